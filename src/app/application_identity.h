#pragma once

#include <QString>

// Who the program is to the desktop: its name (settings, task bar) and its desktop entry,
// which gives the task bar its icon.
namespace ApplicationIdentity {

inline const QString kName = QStringLiteral("QUIRVA");
// The desktop entry's file name without ".desktop"; the installed entry is quirva.desktop.
inline const QString kDesktopEntry = QStringLiteral("quirva");

// Sets the name and the desktop entry and deliberately no display name: the X11 and Wayland
// platforms append a display name to every window title, and each title names QUIRVA already.
void apply();

} // namespace ApplicationIdentity
