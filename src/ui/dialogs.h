#pragma once

#include <QString>
#include <memory>

class QWidget;

// The one seam through which the program asks and tells the user: message boxes and file
// dialogs. The program uses the real Qt dialogs; tests install a scripted backend.
class DialogBackend
{
public:
    virtual ~DialogBackend() = default;
    virtual void information(QWidget* parent, const QString& text) = 0;
    // Yes/No question; true for Yes.
    virtual bool question(QWidget* parent, const QString& text) = 0;
    // Empty when cancelled. The Qt dialogs open in Dialogs::startFolder().
    virtual QString openFileName(QWidget* parent, const QString& filter) = 0;
    virtual QString saveFileName(
        QWidget* parent, const QString& suggestedName, const QString& filter)
        = 0;
};

namespace Dialogs {
void information(QWidget* parent, const QString& text);
bool question(QWidget* parent, const QString& text);
// The folder of the file chosen is remembered for the next dialog.
QString openFileName(QWidget* parent, const QString& filter);
QString saveFileName(QWidget* parent, const QString& suggestedName, const QString& filter);

// The folder last used, remembered with the settings (value "Ultima_Pasta"), while it exists;
// else the user's documents folder, or home. Never the working directory, which for a program
// started from the menu is no folder the player chose.
QString startFolder();

// Replaces the backend (tests); nullptr puts the real dialogs back.
void setBackend(std::unique_ptr<DialogBackend> backend);
} // namespace Dialogs
