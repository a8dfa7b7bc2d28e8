#include "support/scripted_dialogs.h"

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

QString ScriptedDialogs::openFileName(QWidget*, const QString&)
{
    startFolders << Dialogs::startFolder();
    if (openNames.empty()) return {};
    QString n = openNames.front();
    openNames.pop_front();
    return n;
}

QString ScriptedDialogs::saveFileName(QWidget*, const QString& suggested, const QString&)
{
    startFolders << Dialogs::startFolder();
    suggestedSaveNames << suggested;
    if (saveNames.empty()) return {};
    QString n = saveNames.front();
    saveNames.pop_front();
    return n;
}
