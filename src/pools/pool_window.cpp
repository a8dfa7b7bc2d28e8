#include "pools/pool_window.h"

#include "app/dialogs.h"
#include "app/field_exit_filter.h"
#include "app/handler_guard.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QScreen>

PoolWindow::PoolWindow(QWidget* parent)
    : QDialog(parent)
    , exitFilter_(new FieldExitFilter(this, [this](const std::function<void()>& h) { guarded(h); }))
{
    setModal(true);
}

void PoolWindow::guarded(const std::function<void()>& handler)
{
    runGuarded(this, handler, [this] { restoreAfterError(); });
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

bool PoolWindow::refuseClose()
{
    if (!running()) return false;
    Dialogs::information(
        this, QStringLiteral("Aplicativo processando, aperte Parar antes de fechar."));
    return true;
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
