#pragma once

#include <QString>

class QProgressBar;

// What a run of the main window tells as it goes: the status line ("." when idle) and the
// progress bar under it. Implemented by the main window's parameter panel.
class RunStatus
{
public:
    virtual ~RunStatus() = default;

    virtual void setStatus(const QString& text) = 0;
    virtual QProgressBar& progressBar() = 0;
};
