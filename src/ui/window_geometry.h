#pragma once

#include <QString>

class QWidget;

// A window's size and position, kept with the program's settings between sessions.
class WindowGeometry
{
public:
    // Settings value of the main window.
    static inline const QString kMainWindow = QStringLiteral("Janela_Principal");

    // Puts the window where it was last closed; leaves it alone when nothing (or nothing
    // usable) was kept.
    static void restore(QWidget& window, const QString& name);
    static void save(const QWidget& window, const QString& name);
};
