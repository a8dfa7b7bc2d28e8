#pragma once

#include <QLineEdit>
#include <QString>
#include <utility>

// A new control with its objectName, which is how tests and the settings find it.
template <typename W, typename... Args> W* named(const QString& name, Args&&... args)
{
    W* w = new W(std::forward<Args>(args)...);
    w->setObjectName(name);
    return w;
}

// A short numeric field of the main window.
inline QLineEdit* numberField(const QString& name, const QString& text, int maxLength)
{
    auto* e = named<QLineEdit>(name, text);
    e->setMaxLength(maxLength);
    e->setMaximumWidth(48);
    return e;
}
