#include "engine/base/conversion.h"
#include "engine/generate/line_format.h"
#include "engine/reduce/lotofacil_filter.h"
#include "engine/reduce/lotofacil_grid.h"
#include "engine/reduce/lotofacil_tables.h"
#include "engine/reduce/reducer_game.h"
#include "engine/reduce/reduction_pass.h"

#include <QTest>
#include <algorithm>
#include <numeric>
#include <random>
#include <set>

namespace {

// A ticket's text written the way closings may hold it: ascending or in any order, with any
// of the separators.
QString ticketText(std::vector<int> numbers, QChar separator, bool ascending, std::mt19937& rng)
{
    if (ascending)
        std::sort(numbers.begin(), numbers.end());
    else
        std::shuffle(numbers.begin(), numbers.end(), rng);
    QString text;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        text += (i == 0 ? QChar(u' ') : separator) + LineFormat::numberText(numbers[i]);
    return text;
}

std::vector<int> randomTicket(std::mt19937& rng, int N, int k)
{
    std::vector<int> all(static_cast<std::size_t>(N));
    std::iota(all.begin(), all.end(), 1);
    std::shuffle(all.begin(), all.end(), rng);
    all.resize(static_cast<std::size_t>(k));
    return all;
}

// The reducer's rule read straight off the text, as the user would apply it by hand.
struct DirectFilter {
    LotofacilFilter::Settings settings;
    std::set<QString> rows, columns;
    std::set<int> sums;

    bool keeps(const QString& line) const
    {
        std::vector<int> numbers;
        for (int p = 1; p <= 15; ++p)
            numbers.push_back(line.mid(3 * p - 2, 2).toInt());
        QString rowText(5, u'0'), columnText(5, u'0');
        int sum = 0;
        for (int p = 0; p < 15; ++p) {
            const int n = numbers[static_cast<std::size_t>(p)];
            rowText[(n - 1) / 5] = QChar(rowText[(n - 1) / 5].unicode() + 1);
            columnText[(n - 1) % 5] = QChar(columnText[(n - 1) % 5].unicode() + 1);
            sum += n;
            const auto [low, high] = settings.limits.at(p + 1);
            if (settings.byPositions && (n < low || n > high)) return false;
        }
        return (!settings.byRows || rows.count(rowText))
            && (!settings.byColumns || columns.count(columnText))
            && (!settings.bySums || sums.count(sum));
    }
};

} // namespace

class ReducerFiltersTest : public QObject
{
    Q_OBJECT
private slots:
    void lotofacilFilterAgreesWithDirectRule();
    void lotofacilLinesThatHoldNoTicket_data();
    void lotofacilLinesThatHoldNoTicket();
    void lotofacilFiltersAreAConjunction();
    void emptySelectionRejectsEverything();
    void positionLimitsOfTheExampleTickets_data();
    void positionLimitsOfTheExampleTickets();
    void positionLimitsAgreeWithDirectRule();
    void passAppliesOnlyWhenFinished();
    void passStopsAtBadLine();
};

void ReducerFiltersTest::lotofacilFilterAgreesWithDirectRule()
{
    std::mt19937 rng(2024);
    const QChar separators[] = { u' ', u';', u'+', u'-' };
    const auto& patterns = LotofacilTables::patterns();
    int roundsWithSurvivors = 0, roundsWithLosses = 0;
    for (int round = 0; round < 40; ++round) {
        LineStore closing;
        QStringList texts;
        for (int i = 0; i < 300; ++i) {
            const QString text
                = ticketText(randomTicket(rng, 25, 15), separators[rng() % 4], rng() % 4 != 0, rng);
            closing.append(text);
            texts << text;
        }
        DirectFilter direct;
        auto& s = direct.settings;
        s.byPositions = rng() % 2;
        s.byRows = rng() % 2;
        s.byColumns = rng() % 2;
        s.bySums = rng() % 2;
        std::vector<std::pair<int, int>> bounds;
        const ReducerGame& game = ReducerGame::lotofacil();
        for (int p = 1; p <= 15; ++p) {
            std::uniform_int_distribution<int> pick(game.lowestAt(p), game.highestAt(p));
            int a = pick(rng), b = pick(rng);
            bounds.emplace_back(std::min(a, b), std::max(a, b) + 0);
        }
        s.limits = PositionLimits(bounds);
        for (const auto& row : patterns) {
            // Frequent patterns are likelier to be chosen, so that some tickets survive.
            if (rng() % 100000 < row.count * 3) {
                s.rowPatterns.push_back(row.key);
                direct.rows.insert(row.text);
            }
            if (rng() % 100000 < row.count * 3) {
                s.columnPatterns.push_back(row.key);
                direct.columns.insert(row.text);
            }
        }
        for (int sum = 120; sum <= 270; ++sum)
            if (rng() % 3 != 0) {
                s.sums.push_back(sum);
                direct.sums.insert(sum);
            }

        const LotofacilFilter filter(s);
        ReductionPass pass(closing,
            [&](const LineStore& lines, qsizetype row) { return filter.check(lines, row); });
        while (!pass.done())
            pass.step();
        QVERIFY(pass.applyTo(closing));
        QStringList expected;
        for (const QString& text : texts)
            if (direct.keeps(text)) expected << text;
        QCOMPARE(closing.lines(), expected);
        roundsWithSurvivors += !expected.isEmpty();
        roundsWithLosses += expected.size() < texts.size();
    }
    QVERIFY(roundsWithSurvivors > 10 && roundsWithLosses > 10);
}

void ReducerFiltersTest::lotofacilLinesThatHoldNoTicket_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("conversionError");
    QTest::newRow("14 numbers") << " 01 02 03 04 05 06 07 08 09 10 11 12 13 14" << false;
    QTest::newRow("16 numbers") << " 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16" << false;
    QTest::newRow("repeated number") << " 01 01 03 04 05 06 07 08 09 10 11 12 13 14 15" << false;
    QTest::newRow("number 26") << " 01 02 03 04 05 06 07 08 09 10 11 12 13 14 26" << false;
    QTest::newRow("number 00") << " 01 02 03 04 05 06 07 08 09 10 11 12 13 14 00" << false;
    QTest::newRow("letters") << " 01 02 03 04 05 06 07 ab 09 10 11 12 13 14 15" << true;
    QTest::newRow("empty") << "" << false;
}

void ReducerFiltersTest::lotofacilLinesThatHoldNoTicket()
{
    QFETCH(QString, line);
    QFETCH(bool, conversionError);
    LotofacilFilter::Settings s;
    s.bySums = true;
    s.sums = { 120 };
    const LotofacilFilter filter(s);
    LineStore lines;
    lines.append(line);
    if (conversionError) {
        try {
            filter.check(lines, 0);
            QFAIL("no conversion error");
        } catch (const ConversionError& e) {
            QCOMPARE(e.message(), QString("'ab' is not a valid integer value"));
        }
    } else {
        QCOMPARE(filter.check(lines, 0), LineVerdict::NotATicket);
    }
}

void ReducerFiltersTest::lotofacilFiltersAreAConjunction()
{
    // 01..15 has rows 55500, columns 33333; the other ticket has rows 33333, columns 33333.
    LineStore lines;
    lines.append(u" 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15");
    lines.append(u" 01 02 03 06 07 08 11 12 13 16 17 18 21 22 23");
    lines.append(u" 03 04 05 08 09 10 13 14 15 18 19 20 23 24 25");
    LotofacilFilter::Settings s;
    s.byRows = s.byColumns = true;
    s.rowPatterns = { LotofacilGrid::patternCode(u"55500") };
    s.columnPatterns = { LotofacilGrid::patternCode(u"33333") };
    const LotofacilFilter both(s);
    QCOMPARE(both.check(lines, 0), LineVerdict::Kept);
    QCOMPARE(both.check(lines, 1), LineVerdict::Dropped); // its rows are 33333
    QCOMPARE(both.check(lines, 2), LineVerdict::Dropped);
    s.rowPatterns.push_back(LotofacilGrid::patternCode(u"33333"));
    const LotofacilFilter wider(s);
    QCOMPARE(wider.check(lines, 1), LineVerdict::Dropped); // its columns are 55500
    QCOMPARE(wider.check(lines, 2), LineVerdict::Dropped); // its columns are 00555
    s.byColumns = false;
    const LotofacilFilter rowsOnly(s);
    QCOMPARE(rowsOnly.check(lines, 1), LineVerdict::Kept);
    QCOMPARE(rowsOnly.check(lines, 2), LineVerdict::Kept);
}

void ReducerFiltersTest::emptySelectionRejectsEverything()
{
    LineStore lines;
    lines.append(u" 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25");
    LotofacilFilter::Settings s;
    s.bySums = true;
    QCOMPARE(LotofacilFilter(s).check(lines, 0), LineVerdict::Dropped);
    s.sums = { 270 };
    QCOMPARE(LotofacilFilter(s).check(lines, 0), LineVerdict::Kept);
}

void ReducerFiltersTest::positionLimitsOfTheExampleTickets_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("admitted");
    QTest::newRow("MS 01..06") << 2 << " 01 02 03 04 05 06" << false;
    QTest::newRow("MS 10..60") << 2 << " 10 20 30 40 50 60" << true;
    QTest::newRow("QI 32 first") << 1 << " 32 40 50 60 70" << false;
    QTest::newRow("QI 31 first") << 1 << " 31 40 50 60 70" << true;
    QTest::newRow("DS unsorted") << 3 << " 20 03 34 42 48 50" << false;
    QTest::newRow("LF defaults, lowest ticket")
        << 0 << " 01 02 03 04 06 08 09 11 13 14 16 18 20 21 23" << true;
    QTest::newRow("LF 01..15") << 0 << " 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15" << false;
}

void ReducerFiltersTest::positionLimitsOfTheExampleTickets()
{
    QFETCH(int, game);
    QFETCH(QString, line);
    QFETCH(bool, admitted);
    const ReducerGame* games[] = { &ReducerGame::lotofacil(), &ReducerGame::quina(),
        &ReducerGame::megaSena(), &ReducerGame::duplaSena() };
    const QByteArray bytes = line.toLatin1();
    QCOMPARE(PositionLimits(games[game]->defaults).admits(QLatin1StringView(bytes)), admitted);
}

void ReducerFiltersTest::positionLimitsAgreeWithDirectRule()
{
    std::mt19937 rng(99);
    const ReducerGame& game = ReducerGame::megaSena();
    const PositionLimits limits(game.defaults);
    int admittedCount = 0;
    for (int i = 0; i < 3000; ++i) {
        const QString text
            = ticketText(randomTicket(rng, game.N, game.k), u'-', rng() % 3 != 0, rng);
        bool direct = true;
        for (int p = 1; p <= game.k; ++p) {
            const int n = text.mid(3 * p - 2, 2).toInt();
            const auto [low, high] = game.defaults[static_cast<std::size_t>(p - 1)];
            direct = direct && n >= low && n <= high;
        }
        const QByteArray bytes = text.toLatin1();
        QCOMPARE(limits.admits(QLatin1StringView(bytes)), direct);
        admittedCount += direct;
    }
    QVERIFY(admittedCount > 100 && admittedCount < 2900);
}

void ReducerFiltersTest::passAppliesOnlyWhenFinished()
{
    LineStore lines;
    for (const char* text : { " 01", " 02", " 03", " 04" })
        lines.append(QString::fromLatin1(text));
    auto evenOnly = [](const LineStore& l, qsizetype row) {
        return l.mask(row).has(2) || l.mask(row).has(4) ? LineVerdict::Kept : LineVerdict::Dropped;
    };
    ReductionPass halfway(lines, evenOnly);
    halfway.step();
    halfway.step();
    QVERIFY(!halfway.applyTo(lines));
    QCOMPARE(lines.size(), 4);

    ReductionPass whole(lines, evenOnly);
    while (!whole.done())
        whole.step();
    QCOMPARE(whole.kept(), 2);
    QVERIFY(whole.applyTo(lines));
    QCOMPARE(lines.lines(), QStringList({ " 02", " 04" }));
    QVERIFY(lines.mask(1).has(4));

    // A pass over a closing that changed since it started is never applied.
    ReductionPass stale(lines, evenOnly);
    lines.append(u" 06");
    while (!stale.done())
        stale.step();
    QVERIFY(!stale.applyTo(lines));
    QCOMPARE(lines.size(), 3);
}

void ReducerFiltersTest::passStopsAtBadLine()
{
    LineStore lines;
    for (const char* text : { " 01 02", " 03 04", " 05", " 07 08" })
        lines.append(QString::fromLatin1(text));
    int examined = 0;
    ReductionPass pass(lines, [&](const LineStore& l, qsizetype row) {
        ++examined;
        return l.lineBytes(row).size() == 6 ? LineVerdict::Kept : LineVerdict::NotATicket;
    });
    while (!pass.done())
        pass.step();
    QCOMPARE(pass.badLine(), 2);
    QCOMPARE(examined, 3);
    QVERIFY(!pass.applyTo(lines));
    QCOMPARE(lines.size(), 4);
}

QTEST_GUILESS_MAIN(ReducerFiltersTest)
#include "reducer_filters_test.moc"
