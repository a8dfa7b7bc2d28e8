#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

// Drives real windows by objectName: find, click, type, leave a field.
namespace Ui {

template <typename W = QWidget> W* find(QWidget* root, const QString& name)
{
    W* w = root->findChild<W*>(name);
    if (!w) qFatal("no control named %s", qPrintable(name));
    return w;
}

// Clicks a button as the user would (nothing happens when it is disabled).
inline void click(QWidget* root, const QString& name)
{
    auto* b = find<QAbstractButton>(root, name);
    if (b->isEnabled()) b->click();
}

inline QString text(QWidget* root, const QString& name)
{
    return find<QLineEdit>(root, name)->text();
}

// Types into a field and leaves it, which runs its exit handler.
void type(QWidget* root, const QString& name, const QString& text);
void leave(QWidget* root, const QString& name);

// Runs `action` once the event loop turns, e.g. to press "Parar" during a long run.
inline void later(int ms, std::function<void()> action)
{
    QTimer::singleShot(ms, action);
}

// Not before `ready` holds either (a minute at most), so that a run stopped this way has done
// what the test checks however slow the machine.
inline void later(int ms, std::function<bool()> ready, std::function<void()> action,
    QDeadlineTimer giveUp = QDeadlineTimer(60000))
{
    QTimer::singleShot(
        ms, [=] { ready() || giveUp.hasExpired() ? action() : later(5, ready, action, giveUp); });
}

} // namespace Ui
