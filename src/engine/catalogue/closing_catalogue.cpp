#include "engine/catalogue/closing_catalogue.h"

#include "engine/catalogue/catalogue_format.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>

namespace {

bool wheelOrder(const ClosingProblem& a, const ClosingProblem& b)
{
    return std::tie(a.K, a.T, a.G, a.C) < std::tie(b.K, b.T, b.G, b.C);
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

const ClosingCatalogue& ClosingCatalogue::builtIn()
{
    static const ClosingCatalogue catalogue(builtInFolder());
    return catalogue;
}

ClosingCatalogue::ClosingCatalogue(const QString& folder)
    : folder_(folder)
{
    static const QRegularExpression entryName(QStringLiteral("^\\d+-\\d+-\\d+-\\d+\\.txt$"));
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        if (name == u"left-out.txt" || !entryName.match(name).hasMatch()) continue;
        QString error;
        std::optional<CatalogueEntry> e
            = CatalogueFormat::parse(readAll(dir.filePath(name)), false, &error);
        if (e && fileName(e->problem) != name)
            error = QStringLiteral("holds %1").arg(e->problem.key());
        if (e && error.isEmpty())
            entries_.push_back(std::move(*e));
        else
            damaged_ << name + QStringLiteral(": ") + error;
    }
    std::sort(
        entries_.begin(), entries_.end(), [](const CatalogueEntry& a, const CatalogueEntry& b) {
            return wheelOrder(a.problem, b.problem);
        });
    // "T K C G reason", one wheel a line.
    const QList<QByteArray> lines
        = readAll(dir.filePath(QStringLiteral("left-out.txt"))).split('\n');
    for (const QByteArray& raw : lines) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
        bool ok = words.size() >= 4;
        int v[4] = {};
        for (int i = 0; ok && i < 4; ++i)
            v[i] = words[i].toInt(&ok);
        if (!ok) {
            damaged_ << QStringLiteral("left-out.txt: ") + line;
            continue;
        }
        leftOut_.push_back({ { v[0], v[1], v[2], v[3] }, words.mid(4).join(u' ') });
    }
}

const CatalogueEntry* ClosingCatalogue::header(const ClosingProblem& problem) const
{
    const auto at = std::find_if(entries_.begin(), entries_.end(),
        [&](const CatalogueEntry& e) { return e.problem == problem; });
    return at == entries_.end() ? nullptr : &*at;
}

std::vector<ClosingProblem> ClosingCatalogue::wheelsFor(int K) const
{
    std::vector<ClosingProblem> held;
    for (const CatalogueEntry& e : entries_)
        if (e.problem.K == K) held.push_back(e.problem);
    return held;
}

std::optional<CatalogueEntry> ClosingCatalogue::find(
    const ClosingProblem& problem, QString* error) const
{
    if (!header(problem)) {
        if (error) *error = QStringLiteral("no entry for %1").arg(problem.key());
        return std::nullopt;
    }
    return CatalogueFormat::parse(readAll(path(problem)), true, error);
}

std::vector<ClosingProblem> ClosingCatalogue::wheels()
{
    std::vector<ClosingProblem> all;
    struct Table {
        int K, fromT, toT, fromG, toG;
    };
    for (const Table& t :
        { Table { 5, 6, 30, 2, 4 }, Table { 6, 7, 30, 3, 5 }, Table { 15, 16, 25, 11, 14 } })
        for (int T = t.fromT; T <= t.toT; ++T)
            for (int G = t.fromG; G <= t.toG; ++G)
                all.push_back({ T, t.K, t.K, G });
    std::sort(all.begin(), all.end(), wheelOrder);
    return all;
}

QString ClosingCatalogue::fileName(const ClosingProblem& p)
{
    return QStringLiteral("%1-%2-%3-%4.txt").arg(p.T).arg(p.K).arg(p.C).arg(p.G);
}
