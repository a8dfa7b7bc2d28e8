#pragma once

#include "ui/dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QLineEdit>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <memory>

// Drives the real windows of the benchmarks by objectName, as a player would.
namespace BenchWindow {

inline void click(QWidget& root, const char* name)
{
    root.findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
}

// Types into a field and leaves it, which runs its exit handler.
inline void type(QWidget& root, const char* name, const QString& text)
{
    auto* field = root.findChild<QLineEdit*>(QString::fromLatin1(name));
    field->setText(text);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(field, &out);
}

// Message boxes only recorded, file dialogs answered with one name, so that nothing waits
// for a click.
class Dialogs : public DialogBackend
{
public:
    QStringList messages;
    QString fileName;
    void information(QWidget*, const QString& text) override { messages << text; }
    bool question(QWidget*, const QString&) override { return true; }
    QString openFileName(QWidget*, const QString&) override { return fileName; }
    QString saveFileName(QWidget*, const QString&, const QString&) override { return fileName; }

    static Dialogs& install()
    {
        auto backend = std::make_unique<Dialogs>();
        Dialogs& installed = *backend;
        ::Dialogs::setBackend(std::move(backend));
        return installed;
    }
};

// How long the window thread went without handling an event: a short timer that notes the
// longest gap between two of its ticks.
class Watch
{
public:
    Watch()
    {
        tick_.setInterval(5);
        QObject::connect(
            &tick_, &QTimer::timeout, [this] { longest_ = std::max(longest_, since_.restart()); });
        since_.start();
        tick_.start();
    }
    qint64 longestGapMs() const { return std::max(longest_, since_.elapsed()); }

private:
    QTimer tick_;
    QElapsedTimer since_;
    qint64 longest_ = 0;
};

} // namespace BenchWindow
