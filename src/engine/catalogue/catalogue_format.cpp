#include "engine/catalogue/catalogue_format.h"

#include <QList>

namespace CatalogueFormat {

namespace {

// The next line of the text from `at` (without its line end; a CR before the LF is dropped).
QByteArrayView nextLine(QByteArrayView text, qsizetype& at)
{
    const qsizetype start = at;
    qsizetype end = text.indexOf('\n', start);
    if (end < 0) end = text.size();
    at = end + 1;
    QByteArrayView line = text.sliced(start, end - start);
    if (line.endsWith('\r')) line.chop(1);
    return line;
}

bool toInteger(QByteArrayView word, qint64& value)
{
    if (word.isEmpty() || word.size() > 12) return false;
    value = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

// Positions of one ticket line; false when a field is not a number of 1..T or repeats one.
bool readTicket(QByteArrayView line, int T, TicketMask& ticket)
{
    ticket = {};
    qsizetype i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ')
            ++i;
        if (i >= line.size()) break;
        int value = 0, digits = 0;
        for (; i < line.size() && line[i] != ' '; ++i, ++digits) {
            if (line[i] < '0' || line[i] > '9' || digits >= 3) return false;
            value = value * 10 + (line[i] - '0');
        }
        if (value < 1 || value > T || ticket.has(value)) return false;
        ticket.add(value);
    }
    return true;
}

} // namespace

QByteArray write(const CatalogueEntry& e)
{
    QByteArray out;
    out.reserve(static_cast<qsizetype>(
        128 + e.recipe.size() + e.tickets.size() * static_cast<std::size_t>(3 * e.problem.K)));
    out += "# QUIRVA closing catalogue entry: positions 1..T, position p is the p-th smallest "
           "number of the bet.\n";
    out += "closing " + e.problem.key().toLatin1() + '\n';
    out += "tickets " + QByteArray::number(static_cast<qulonglong>(e.tickets.size())) + '\n';
    out += "lower-bound counting " + QByteArray::number(e.countingBound) + '\n';
    if (e.strongerBound > e.countingBound)
        out += "lower-bound " + e.strongerBoundName.toLatin1() + ' '
            + QByteArray::number(e.strongerBound) + '\n';
    out += "made " + e.recipe.toLatin1() + '\n';
    out += "cpu-seconds " + QByteArray::number(e.cpuSeconds, 'f', 1) + "\n\n";
    for (const TicketMask& ticket : e.tickets) {
        bool first = true;
        ticket.forEach([&](int p) {
            if (!first) out += ' ';
            first = false;
            out += char('0' + p / 10);
            out += char('0' + p % 10);
        });
        out += '\n';
    }
    return out;
}

std::optional<CatalogueEntry> parse(QByteArrayView text, bool withTickets, QString* error)
{
    auto fail = [&](const QString& why) -> std::optional<CatalogueEntry> {
        if (error) *error = why;
        return std::nullopt;
    };
    CatalogueEntry e;
    qint64 stated = -1;
    bool seenClosing = false, seenCounting = false, seenMade = false, seenCpu = false;
    qsizetype at = 0;
    for (;;) {
        if (at >= text.size()) return fail(QStringLiteral("no blank line ends the header"));
        const QByteArrayView line = nextLine(text, at);
        if (line.trimmed().isEmpty()) break;
        if (line.startsWith('#')) continue;
        const qsizetype blank = line.indexOf(' ');
        const QByteArrayView key = blank < 0 ? line : line.first(blank);
        const QByteArrayView rest = blank < 0 ? QByteArrayView() : line.sliced(blank + 1);
        const QList<QByteArray> words = rest.toByteArray().split(' ');
        auto numberAt = [&](qsizetype i, qint64& value) {
            return i < words.size() && toInteger(words[i], value);
        };
        if (key == "closing") {
            qint64 v[4];
            if (seenClosing || words.size() != 4 || !numberAt(0, v[0]) || !numberAt(1, v[1])
                || !numberAt(2, v[2]) || !numberAt(3, v[3]))
                return fail(QStringLiteral("bad closing line"));
            e.problem = { int(v[0]), int(v[1]), int(v[2]), int(v[3]) };
            if (!e.problem.valid() || e.problem.T > 64)
                return fail(QStringLiteral("closing %1 out of range").arg(e.problem.key()));
            seenClosing = true;
        } else if (key == "tickets") {
            if (stated >= 0 || words.size() != 1 || !numberAt(0, stated))
                return fail(QStringLiteral("bad tickets line"));
        } else if (key == "lower-bound") {
            qint64 value = 0;
            if (words.size() != 2 || !numberAt(1, value))
                return fail(QStringLiteral("bad lower-bound line"));
            if (words[0] == "counting" && !seenCounting) {
                e.countingBound = value;
                seenCounting = true;
            } else if ((words[0] == "turan" || words[0] == "union") && e.strongerBound == 0) {
                e.strongerBound = value;
                e.strongerBoundName = QString::fromLatin1(words[0]);
            } else {
                return fail(QStringLiteral("bad lower-bound line"));
            }
        } else if (key == "made") {
            if (seenMade || rest.trimmed().isEmpty()) return fail(QStringLiteral("bad made line"));
            e.recipe = QString::fromLatin1(rest.trimmed());
            seenMade = true;
        } else if (key == "cpu-seconds") {
            bool ok = false;
            e.cpuSeconds = rest.toByteArray().toDouble(&ok);
            if (seenCpu || !ok || e.cpuSeconds < 0) return fail(QStringLiteral("bad cpu-seconds"));
            seenCpu = true;
        } else {
            return fail(QStringLiteral("unknown key \"%1\"").arg(QString::fromLatin1(key)));
        }
    }
    if (!seenClosing || stated < 0 || !seenCounting || !seenMade)
        return fail(QStringLiteral("header lacks closing, tickets, lower-bound or made"));
    e.size = stated;
    if (!withTickets) return e;
    e.tickets.reserve(static_cast<std::size_t>(stated));
    while (at < text.size()) {
        const QByteArrayView line = nextLine(text, at);
        if (line.trimmed().isEmpty()) continue;
        TicketMask ticket;
        if (!readTicket(line, e.problem.T, ticket) || ticket.count() != e.problem.K)
            return fail(QStringLiteral("bad ticket line \"%1\"").arg(QString::fromLatin1(line)));
        e.tickets.push_back(ticket);
    }
    if (static_cast<qint64>(e.tickets.size()) != stated)
        return fail(
            QStringLiteral("%1 tickets, the header says %2").arg(e.tickets.size()).arg(stated));
    return e;
}

} // namespace CatalogueFormat
