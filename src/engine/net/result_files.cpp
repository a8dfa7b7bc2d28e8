#include "engine/net/result_files.h"

#include "engine/base/data_folder.h"
#include "engine/generate/line_format.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace ResultFiles {

QString cacheFolderPath()
{
    const QString data = DataFolder::path();
    return data.isEmpty() ? QString() : data + u'/' + QLatin1String(cacheFolder);
}

void prepareCache()
{
    const QString folder = cacheFolderPath();
    if (folder.isEmpty() || !QDir().mkpath(folder)) return;
    const QDir old(QDir::current().filePath(QLatin1String(cacheFolder)));
    if (!old.exists() || old.canonicalPath() == QDir(folder).canonicalPath()) return;
    for (const QFileInfo& file : old.entryInfoList(QDir::Files)) {
        const QString target = folder + u'/' + file.fileName();
        if (QFileInfo::exists(target)) continue;
        if (!QFile::rename(file.filePath(), target)) QFile::copy(file.filePath(), target);
    }
    // Gone once everything moved, so that the working directory is left as the player had it.
    QDir().rmdir(old.path());
}

QString cachePath(Modality m, int contest)
{
    const QString folder = cacheFolderPath();
    if (folder.isEmpty()) return {};
    return folder + u'/' + modalityCode(m) + u'_' + QString::number(contest)
        + QStringLiteral(".txt");
}

QString resultAddress(const QString& site, Modality m, int contest)
{
    QString base = site.trimmed();
    while (base.endsWith(u'/'))
        base.chop(1);
    return base + QStringLiteral("/results/") + modalityCode(m) + u'_' + QString::number(contest)
        + QStringLiteral(".txt");
}

bool isDrawLine(QStringView text, Modality m)
{
    if (m == Modality::Outros) return false;
    const ModalityDefaults& d = modalityDefaults(m);
    if (text.size() != 3 * d.D) return false;
    const LineFormat::LineInfo info = LineFormat::analyse(text);
    if (!info.regular || info.mask.count() != d.D) return false;
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E) return false;
    bool inRange = true;
    info.mask.forEach([&](int n) { inRange = inRange && n <= d.U; });
    return inRange;
}

namespace {

// Drops what ends a line or pads it on the right; the leading separator belongs to the layout.
QStringView rightTrimmed(QStringView text)
{
    while (!text.isEmpty()
        && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' '
            || text.back() == u'\t'))
        text.chop(1);
    return text;
}

} // namespace

std::optional<QString> drawFromBody(const QByteArray& body, Modality m)
{
    const QString text = QString::fromLatin1(body);
    const QStringView draw = rightTrimmed(text);
    if (draw == QLatin1String(noResult) || !isDrawLine(draw, m)) return std::nullopt;
    return draw.toString();
}

std::optional<QString> readCached(const QString& path, Modality m)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    // A result is one short line; a long first line is not one, however it goes on.
    const QByteArray first = file.readLine(1024);
    if (first.isEmpty()) return std::nullopt;
    const QString text = QString::fromLatin1(first);
    const QStringView draw = rightTrimmed(text);
    if (!isDrawLine(draw, m)) return std::nullopt;
    return draw.toString();
}

bool writeCached(const QString& path, const QString& draw)
{
    // Written whole or not at all: a half-written file would be taken for a result next time.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(draw.toLatin1());
    file.write("\r\n");
    return file.commit();
}

} // namespace ResultFiles
