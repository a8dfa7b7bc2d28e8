#include "app/application_identity.h"

#include <QGuiApplication>
#include <QIcon>

namespace ApplicationIdentity {

void apply()
{
    QCoreApplication::setApplicationName(kApplicationName);
    QGuiApplication::setDesktopFileName(kDesktopEntry);
    QIcon icon;
    for (const char* size : { "48", "128" })
        icon.addFile(QStringLiteral(":/icons/quirva-%1.png").arg(QLatin1String(size)));
    QGuiApplication::setWindowIcon(icon);
}

} // namespace ApplicationIdentity
