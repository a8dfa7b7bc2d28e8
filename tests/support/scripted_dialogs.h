#pragma once

#include "ui/dialogs.h"

#include <QString>
#include <QStringList>
#include <deque>

// Dialog backend for tests: records every message shown and answers questions and file
// dialogs from queues (an empty queue answers No / cancel).
class ScriptedDialogs : public DialogBackend
{
public:
    // Installs a fresh instance as the program's backend and returns it.
    static ScriptedDialogs& install();

    QStringList messages; // information texts, in order
    QStringList questions; // question texts, in order
    std::deque<bool> answers; // answers to questions
    std::deque<QString> openNames; // answers to open dialogs
    std::deque<QString> saveNames; // answers to save dialogs
    QStringList suggestedSaveNames; // the names the save dialogs proposed
    QStringList startFolders; // where each file dialog would have opened, in order

    void information(QWidget*, const QString& text) override { messages << text; }
    bool question(QWidget*, const QString& text) override;
    QString openFileName(QWidget*, const QString&) override;
    QString saveFileName(QWidget*, const QString& suggested, const QString&) override;

    QString lastMessage() const { return messages.isEmpty() ? QString() : messages.back(); }
};
