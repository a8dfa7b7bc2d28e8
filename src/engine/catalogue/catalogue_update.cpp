#include "engine/catalogue/catalogue_update.h"

#include "engine/catalogue/catalogue_bounds.h"
#include "engine/catalogue/catalogue_format.h"
#include "engine/catalogue/closing_catalogue.h"
#include "engine/catalogue/closing_constructions.h"
#include "engine/generate/optimizer_check.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <numeric>

namespace CatalogueUpdate {

CatalogueEntry entryOf(const ClosingProblem& problem, std::vector<TicketMask> tickets,
    const ClosingRecipe& recipe, double cpuSeconds)
{
    ClosingConstructions::canonicalise(tickets);
    CatalogueEntry e;
    e.problem = problem;
    e.size = static_cast<std::int64_t>(tickets.size());
    e.tickets = std::move(tickets);
    e.recipe = recipe.toString();
    e.countingBound = CatalogueBounds::counting(problem);
    const CatalogueBounds::Bound strongest = CatalogueBounds::strongest(problem);
    if (strongest.value > e.countingBound) {
        e.strongerBound = strongest.value;
        e.strongerBoundName = strongest.name;
    }
    e.cpuSeconds = cpuSeconds;
    return e;
}

Outcome offer(const QString& folder, const CatalogueEntry& entry, QString* detail)
{
    auto say = [&](Outcome outcome, const QString& what) {
        if (detail) *detail = what;
        return outcome;
    };
    const ClosingProblem& p = entry.problem;
    const QString path = QDir(folder).filePath(ClosingCatalogue::fileName(p));
    QFile current(path);
    if (current.open(QIODevice::ReadOnly)) {
        const std::optional<CatalogueEntry> old = CatalogueFormat::parse(current.readAll(), false);
        if (old && old->size <= static_cast<std::int64_t>(entry.tickets.size()))
            return say(Outcome::NotSmaller,
                QStringLiteral("%1 tickets, the entry has %2")
                    .arg(entry.tickets.size())
                    .arg(old->size));
    }
    if (entry.tickets.size() > static_cast<std::size_t>(ClosingCatalogue::kMostTickets))
        return say(Outcome::TooLarge,
            QStringLiteral("%1 tickets, above %2")
                .arg(entry.tickets.size())
                .arg(ClosingCatalogue::kMostTickets));
    OptimizerCheck::Bet bet;
    bet.selected.resize(static_cast<std::size_t>(p.T));
    std::iota(bet.selected.begin(), bet.selected.end(), 1);
    bet.K = p.K;
    bet.G = p.G;
    bet.C = p.C;
    if (entry.recipe.trimmed().isEmpty())
        return say(Outcome::Malformed, QStringLiteral("no recipe says how it was made"));
    if (entry.tickets.empty() || !OptimizerCheck::wellFormed(bet, entry.tickets))
        return say(Outcome::Malformed, QStringLiteral("a ticket is not K numbers of 1..T"));
    const std::int64_t uncovered = OptimizerCheck::uncoveredDraws(bet, entry.tickets);
    if (uncovered != 0)
        return say(Outcome::Incomplete, QStringLiteral("%1 draws uncovered").arg(uncovered));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(CatalogueFormat::write(entry)) < 0
        || !file.commit())
        return say(Outcome::WriteFailed, file.errorString());
    return say(Outcome::Written, QStringLiteral("%1 tickets").arg(entry.tickets.size()));
}

QString outcomeText(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Written:
        return QStringLiteral("written");
    case Outcome::NotSmaller:
        return QStringLiteral("not smaller");
    case Outcome::TooLarge:
        return QStringLiteral("too large");
    case Outcome::Incomplete:
        return QStringLiteral("incomplete");
    case Outcome::Malformed:
        return QStringLiteral("malformed");
    case Outcome::WriteFailed:
        return QStringLiteral("write failed");
    }
    return {};
}

bool leaveOut(const QString& folder, const ClosingProblem& problem, const QString& reason)
{
    const QDir dir(folder);
    if (QFile::exists(dir.filePath(ClosingCatalogue::fileName(problem)))) return true;
    const QString path = dir.filePath(QStringLiteral("left-out.txt"));
    QStringList lines;
    QFile current(path);
    if (current.open(QIODevice::ReadOnly | QIODevice::Text))
        lines = QString::fromUtf8(current.readAll()).split(u'\n', Qt::SkipEmptyParts);
    current.close();
    const QString prefix = problem.key() + u' ';
    lines.removeIf([&](const QString& line) { return line.startsWith(prefix); });
    if (lines.isEmpty() || !lines.front().startsWith(u'#'))
        lines.prepend(QStringLiteral("# Wheels the catalogue leaves out: T K C G, then why."));
    lines << prefix + reason.simplified();
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write((lines.join(u'\n') + u'\n').toUtf8()) >= 0
        && file.commit();
}

} // namespace CatalogueUpdate
