#pragma once

#include <QString>

class LineView;
class QPushButton;

// The "Fechamento" tab's closing: its lines, the result label and the row of commands beside
// them. Implemented by the verification panel, which builds the tab.
class ClosingArea
{
public:
    virtual ~ClosingArea() = default;

    virtual LineView& closing() = 0;
    virtual void setResultLabel(const QString& text) = 0;
    // Adds a command to the row of buttons, after those already there.
    virtual void addCommand(QPushButton* button) = 0;
};
