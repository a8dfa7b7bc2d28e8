#include "pools/pool_window.h"

#include "ui/dialogs.h"
#include "ui/field_exit_filter.h"
#include "ui/handler_guard.h"
#include "ui/line_view.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

PoolWindow::PoolWindow(QWidget* parent, PrintSettingsSource printSettings)
    : QDialog(parent)
    , exitFilter_(new FieldExitFilter(this, [this](const std::function<void()>& h) { guarded(h); }))
    , printSettings_(std::move(printSettings))
{
    setModal(true);
}

void PoolWindow::guarded(const std::function<void()>& handler)
{
    // A run's scope has put the window back by the time the message shows.
    runGuarded(this, handler);
}

void PoolWindow::onExit(QWidget* field, std::function<void()> handler)
{
    exitFilter_->add(field, std::move(handler));
}

void PoolWindow::settleGeometry()
{
    adjustSize();
    setFixedSize(sizeHint());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

PrintSettings PoolWindow::printSettings() const
{
    return printSettings_ ? printSettings_() : PrintSettings {};
}

bool PoolWindow::mayRun(Command command)
{
    if (jobs_.allows(command, true)) return true;
    if (const QString why = RunRules::refusal(command); !why.isEmpty())
        Dialogs::information(this, why);
    return false;
}

bool PoolWindow::refuseClose()
{
    return !mayRun(Command::CloseWindow);
}

void PoolWindow::closeEvent(QCloseEvent* event)
{
    if (refuseClose()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void PoolWindow::reject()
{
    // Escape closes a dialog without a close event; it must be refused the same way.
    if (!refuseClose()) QDialog::reject();
}

void PoolWindow::setTicketList(LineView* list, QLabel* count)
{
    ticketList_ = list;
    ticketCount_ = count;
}

void PoolWindow::appendTicket(const QString& text)
{
    appendClosingRow(text);
    ticketList_->store().append(text);
}

void PoolWindow::clearTickets()
{
    clearClosing();
    ticketList_->store().clear();
    ticketList_->sync();
}

void PoolWindow::showTicketCount()
{
    const QString count = QString::number(closingSize());
    if (ticketCount_->text() != count) ticketCount_->setText(count);
}
