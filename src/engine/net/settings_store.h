#pragma once

#include <QString>
#include <map>
#include <optional>
#include <utility>
#include <vector>

// The program's persisted string values. On Windows they are values of the registry key
// HKEY_CURRENT_USER\SOFTWARE\QUIRVA; elsewhere an INI file in the user's configuration folder
// (QSettings' user scope, organisation "QUIRVA"). Names are matched without regard to case on
// both, as the registry does, so a value written as "Proxy" is the one read as "proxy".
class SettingsStore
{
public:
    // Every value held, as stored. Empty when the key or file does not exist or cannot be read.
    static std::map<QString, QString> readAll();
    // The value whose name matches `name` ignoring case; nullopt when there is none.
    static std::optional<QString> read(const QString& name);
    // Writes the values (replacing any spelled with another case) and flushes them. False
    // when the store cannot be opened for writing or the write fails.
    static bool write(const std::vector<std::pair<QString, QString>>& values);

    // Where the values live, for messages and documentation.
    static QString location();
};
