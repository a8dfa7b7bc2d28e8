#pragma once

#include "engine/base/data_folder.h"
#include "net/tfsenha.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <utility>

// Request time-outs: one that no loopback answer comes near however loaded the machine, and a
// short one only for the request an imitation never answers, where it races nothing.
constexpr int kGenerousTimeoutMs = 60000, kUnansweredTimeoutMs = 200;

// A temporary data folder (where the cache folder goes), settings location and working
// directory (its subfolder "start", which must stay clean), so a test never touches the user's
// real files. Restores the working directory and the data folder when it ends.
struct TempWorkspace {
    QTemporaryDir dir;
    QString previous = QDir::currentPath();

    TempWorkspace()
    {
        QDir(dir.path()).mkdir(QStringLiteral("start"));
        QDir::setCurrent(path(QStringLiteral("start")));
        DataFolder::setPath(dir.path());
        useSettingsIn(dir.filePath(QStringLiteral("settings")));
    }
    ~TempWorkspace() { QDir::setCurrent(previous), DataFolder::setPath({}); }

    static void useSettingsIn(const QString& folder)
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
    }
    QString path(const QString& relative) const { return dir.filePath(relative); }
};

// Answers the credentials dialog whenever it comes up: the next queued user name and
// password are typed and "Ok" pressed; with the queue empty the dialog is closed unanswered.
class CredentialsAnswerer
{
public:
    std::deque<std::pair<QString, QString>> answers;
    int shown = 0;

    CredentialsAnswerer()
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<TFSenha*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible()) return;
            ++shown;
            if (answers.empty()) {
                dialog->reject();
                return;
            }
            dialog->Edit1->setText(answers.front().first);
            dialog->Edit2->setText(answers.front().second);
            answers.pop_front();
            dialog->Button1->click();
        });
        timer_.start();
    }

private:
    QTimer timer_;
};
