#pragma once

#include <QString>

// The per-user folder where the program keeps files of its own (the results cache), apart
// from the player's files and from whatever folder it was started in: the platform's local
// application data folder, ~/.local/share/QUIRVA on Linux, %LOCALAPPDATA%\QUIRVA on Windows.
namespace DataFolder {

// The folder; it may not exist yet. Empty when the platform names none.
QString path();
// Puts the folder elsewhere (tests, benchmarks); an empty path restores the platform's.
void setPath(const QString& folder);

} // namespace DataFolder
