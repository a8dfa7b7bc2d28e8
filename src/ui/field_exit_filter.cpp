#include "ui/field_exit_filter.h"

#include <QFocusEvent>
#include <QWidget>

FieldExitFilter::FieldExitFilter(QObject* owner, Guard guard)
    : QObject(owner)
    , guard_(std::move(guard))
{
}

void FieldExitFilter::add(QWidget* field, std::function<void()> handler)
{
    field->installEventFilter(this);
    handlers_.emplace_back(field, std::move(handler));
}

bool FieldExitFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::FocusOut) return false;
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
    for (const auto& [field, handler] : handlers_)
        if (field == watched) {
            const auto run = handler; // the handler may add or remove fields
            guard_(run);
            break;
        }
    return false;
}
