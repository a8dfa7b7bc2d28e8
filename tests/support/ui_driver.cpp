#include "support/ui_driver.h"

#include <QFocusEvent>

namespace Ui {

void leave(QWidget* root, const QString& name)
{
    QWidget* w = find(root, name);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(w, &out);
}

void type(QWidget* root, const QString& name, const QString& text)
{
    auto* e = find<QLineEdit>(root, name);
    e->setText(text);
    leave(root, name);
}

} // namespace Ui
