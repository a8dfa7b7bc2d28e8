#include "engine/base/data_folder.h"

#include <QStandardPaths>

namespace DataFolder {

namespace {

QString& replacement()
{
    static QString folder;
    return folder;
}

} // namespace

QString path()
{
    if (!replacement().isEmpty()) return replacement();
    // Local, not roaming: on Windows a cache does not belong in the profile that follows the
    // user from machine to machine.
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

void setPath(const QString& folder)
{
    replacement() = folder;
}

} // namespace DataFolder
