#include "app/application_identity.h"

#include <QGuiApplication>

namespace ApplicationIdentity {

void apply()
{
    QCoreApplication::setApplicationName(kName);
    QGuiApplication::setDesktopFileName(kDesktopEntry);
}

} // namespace ApplicationIdentity
