#pragma once

#include "engine/base/conversion.h"
#include "ui/dialogs.h"

#include <exception>
#include <utility>

class QWidget;

// Runs one event handler. A conversion (or I/O) error ends the handler: its message is shown
// and `restore` puts back what the handler had locked. Nothing escapes into Qt's event loop.
template <typename Body, typename Restore>
bool runGuarded(QWidget* parent, Body&& body, Restore&& restore)
{
    try {
        std::forward<Body>(body)();
        return true;
    } catch (const std::exception& error) {
        restore();
        Dialogs::information(parent, QString::fromUtf8(error.what()));
        return false;
    }
}

template <typename Body> bool runGuarded(QWidget* parent, Body&& body)
{
    return runGuarded(parent, std::forward<Body>(body), [] {});
}
