#pragma once

#include <QString>

// The program's name to the system, shared by the window and the command line so that both
// read the same settings and keep the same caches.
inline const QString kApplicationName = QStringLiteral("QUIRVA");
