#pragma once

#include "engine/base/application_name.h"

#include <QString>

// Who the program is to the desktop: its name (settings, task bar), its desktop entry and its
// window icon.
namespace ApplicationIdentity {

// The desktop entry's file name without ".desktop"; the installed entry is quirva.desktop.
inline const QString kDesktopEntry = QStringLiteral("quirva");

// Sets the name, the desktop entry and the icon, and deliberately no display name: the X11 and
// Wayland platforms append a display name to every window title, and each title names QUIRVA
// already.
void apply();

// Loads Qt's own translations (the texts of the file dialogs and of the standard buttons) for
// the user's language, or else Brazilian Portuguese, the language of every other text of the
// program. Without Qt's translation files (not installed) Qt speaks English.
void loadQtTranslations();

} // namespace ApplicationIdentity
