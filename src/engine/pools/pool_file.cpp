#include "engine/pools/pool_file.h"

#include <QFile>
#include <QSaveFile>
#include <stdexcept>

namespace PoolFile {

bool writeLines(const QString& fileName, const QStringList& lines)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return false;
    for (const QString& line : lines) {
        const QByteArray bytes = line.trimmed().toLatin1() + "\r\n";
        if (file.write(bytes) != bytes.size()) {
            file.cancelWriting();
            return false;
        }
    }
    return file.commit();
}

QStringList readLines(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(
            QStringLiteral("Não foi possível ler o arquivo %1.").arg(fileName).toStdString());
    const QByteArray bytes = file.readAll();
    QStringList lines = QString::fromLatin1(bytes).split(u'\n');
    // The line end of the last line leaves an empty piece behind that is no line of the file.
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.pop_back();
    for (QString& line : lines)
        line = line.trimmed();
    return lines;
}

} // namespace PoolFile
