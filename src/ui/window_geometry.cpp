#include "ui/window_geometry.h"

#include "engine/net/settings_store.h"

#include <QWidget>

void WindowGeometry::restore(QWidget& window, const QString& name)
{
    // Kept as Base64 text: every setting is a string, in the registry as in the INI file.
    const std::optional<QString> kept = SettingsStore::read(name);
    if (kept) window.restoreGeometry(QByteArray::fromBase64(kept->toLatin1()));
}

void WindowGeometry::save(const QWidget& window, const QString& name)
{
    // A failed write only costs the position next time; closing goes on.
    SettingsStore::write({ { name, QString::fromLatin1(window.saveGeometry().toBase64()) } });
}
