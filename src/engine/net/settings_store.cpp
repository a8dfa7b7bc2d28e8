#include "engine/net/settings_store.h"

#include <QSettings>
#include <memory>

namespace {

std::unique_ptr<QSettings> open()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE\\QUIRVA"), QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(
        QSettings::IniFormat, QSettings::UserScope, QStringLiteral("QUIRVA"));
#endif
}

// The stored spelling of a name, or an empty string.
QString storedName(const QSettings& settings, const QString& name)
{
    for (const QString& key : settings.childKeys())
        if (key.compare(name, Qt::CaseInsensitive) == 0) return key;
    return {};
}

// Whether what the store holds can be read. A file QSettings can read only in part (a broken
// line) reports FormatError on the one object that parsed it, and later objects get the same
// parsed values from Qt's cache without the error: the values read are used either way, so what
// the program loads does not depend on which read came first.
bool readable(const QSettings& settings)
{
    return settings.status() != QSettings::AccessError;
}

} // namespace

std::map<QString, QString> SettingsStore::readAll()
{
    std::map<QString, QString> values;
    const auto settings = open();
    if (!readable(*settings)) return values;
    for (const QString& key : settings->childKeys())
        values[key] = settings->value(key).toString();
    return values;
}

std::optional<QString> SettingsStore::read(const QString& name)
{
    const auto settings = open();
    if (!readable(*settings)) return std::nullopt;
    const QString key = storedName(*settings, name);
    if (key.isEmpty()) return std::nullopt;
    return settings->value(key).toString();
}

bool SettingsStore::write(const std::vector<std::pair<QString, QString>>& values)
{
    const auto settings = open();
    // A file read only in part is written anew, well formed, with what could be read of it:
    // refusing would make every later save fail until the file was mended by hand.
    if (!settings->isWritable() || !readable(*settings)) return false;
    for (const auto& [name, value] : values) {
        // The file format tells "Proxy" from "proxy"; the registry does not. Keep one spelling.
        for (const QString& key : settings->childKeys())
            if (key != name && key.compare(name, Qt::CaseInsensitive) == 0) settings->remove(key);
        settings->setValue(name, value);
    }
    settings->sync();
    return settings->status() != QSettings::AccessError;
}

QString SettingsStore::location()
{
    return open()->fileName();
}
