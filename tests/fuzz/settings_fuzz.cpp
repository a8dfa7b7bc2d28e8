// The settings file read at start-up: any INI content. Every name the program reads must come
// back as one of the stored values of that name (ignoring case) or as nothing, and saving what
// was read must give the same values back.

#include "fuzz_support.h"

#include "engine/base/conversion.h"
#include "engine/net/settings_store.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <array>

namespace {

// The names the program reads at start-up, with the spelling it saves them under.
constexpr std::array<std::pair<const char*, const char*>, 5> names { {
    { "proxy", "Proxy" },
    { "proxy_usu", "Proxy_usu" },
    { "proxy_name", "Proxy_Name" },
    { "proxy_port", "Proxy_Port" },
    { "Site", "Site" },
} };

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The store's file then lives in the scratch folder, whatever the user's configuration is.
    qputenv("XDG_CONFIG_HOME", Fuzz::scratch().path().toLocal8Bit());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static qint64 inputs = 0;
    const QString path = Fuzz::writeFile(QStringLiteral("QUIRVA.ini"), data, size);
    FUZZ_REQUIRE(QDir::cleanPath(SettingsStore::location()) == QDir::cleanPath(path));
    {
        // QSettings keeps files it read and reads one again only when its size or time changed.
        QFile file(path);
        FUZZ_REQUIRE(file.open(QIODevice::ReadWrite));
        file.setFileTime(
            QDateTime::fromMSecsSinceEpoch(++inputs * 1000), QFileDevice::FileModificationTime);
    }

    const std::map<QString, QString> all = SettingsStore::readAll();
    std::vector<std::pair<QString, QString>> toSave;
    for (const auto& [name, savedName] : names) {
        const QString wanted = QString::fromLatin1(name);
        const std::optional<QString> value = SettingsStore::read(wanted);
        bool matches = false, stored = false;
        for (const auto& [key, text] : all) {
            if (key.compare(wanted, Qt::CaseInsensitive) != 0) continue;
            stored = true;
            matches = matches || (value && *value == text);
        }
        FUZZ_REQUIRE(stored == value.has_value());
        FUZZ_REQUIRE(!stored || matches);
        int port = 0; // the start-up converts the proxy port, whatever text it finds
        (void)tryStrToInt(value.value_or(QString()), port);
        toSave.emplace_back(QString::fromLatin1(savedName), value.value_or(QString()));
    }

    FUZZ_REQUIRE(SettingsStore::write(toSave));
    for (const auto& [name, value] : toSave)
        FUZZ_REQUIRE(SettingsStore::read(name) == value);
    return 0;
}
