#include "support/scripted_dialogs.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

// Window tests read and write settings (the main window keeps its geometry on closing, the file
// dialogs their folder) in a scratch folder of their own, never the user's; a test may still
// point them elsewhere. Done as the application starts, after a test's main() has set its
// locale.
static void keepSettingsAside()
{
    static QTemporaryDir folder;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
}
Q_COREAPP_STARTUP_FUNCTION(keepSettingsAside)

ScriptedDialogs& ScriptedDialogs::install()
{
    auto owned = std::make_unique<ScriptedDialogs>();
    ScriptedDialogs& ref = *owned;
    Dialogs::setBackend(std::move(owned));
    return ref;
}

bool ScriptedDialogs::question(QWidget*, const QString& text)
{
    questions << text;
    if (answers.empty()) return false;
    const bool a = answers.front();
    answers.pop_front();
    return a;
}

QString ScriptedDialogs::openFileName(QWidget*, const QString& folder, const QString&)
{
    startFolders << folder;
    if (openNames.empty()) return {};
    QString n = openNames.front();
    openNames.pop_front();
    return n;
}

QString ScriptedDialogs::saveFileName(
    QWidget*, const QString& folder, const QString& suggested, const QString&)
{
    startFolders << folder;
    suggestedSaveNames << suggested;
    if (saveNames.empty()) return {};
    QString n = saveNames.front();
    saveNames.pop_front();
    return n;
}
