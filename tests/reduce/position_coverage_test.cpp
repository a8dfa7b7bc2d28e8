#include "engine/reduce/position_coverage.h"
#include "engine/reduce/reducer_game.h"

#include <QTest>

Q_DECLARE_METATYPE(std::uint64_t)

class PositionCoverageTest : public QObject
{
    Q_OBJECT
private slots:
    void binomialIsExact_data();
    void binomialIsExact();
    void tellingEntries_data();
    void tellingEntries();
    void everyPositionCoversAllTickets_data();
    void everyPositionCoversAllTickets();
    void coveredSumsItsRangeAndIsZeroWhenReversed();
    void defaultLimitsLieInsideTheirRanges();
    void clampMovesOutsideValuesToTheNearerEnd_data();
    void clampMovesOutsideValuesToTheNearerEnd();
    void countsShowBrazilianThousandsSeparator_data();
    void countsShowBrazilianThousandsSeparator();
};

void PositionCoverageTest::binomialIsExact_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("r");
    QTest::addColumn<std::uint64_t>("expected");
    QTest::newRow("lotofacil") << 25 << 15 << std::uint64_t { 3268760 };
    QTest::newRow("quina") << 80 << 5 << std::uint64_t { 24040016 };
    QTest::newRow("megasena") << 60 << 6 << std::uint64_t { 50063860 };
    QTest::newRow("duplasena") << 50 << 6 << std::uint64_t { 15890700 };
    QTest::newRow("C(79,4)") << 79 << 4 << std::uint64_t { 1502501 };
    QTest::newRow("C(100,15)") << 100 << 15 << std::uint64_t { 253338471349988640ULL };
    QTest::newRow("r = 0") << 7 << 0 << std::uint64_t { 1 };
    QTest::newRow("r > n") << 3 << 4 << std::uint64_t { 0 };
    QTest::newRow("r < 0") << 3 << -1 << std::uint64_t { 0 };
}

void PositionCoverageTest::binomialIsExact()
{
    QFETCH(int, n);
    QFETCH(int, r);
    QFETCH(std::uint64_t, expected);
    QCOMPARE(binomial(n, r), expected);
}

void PositionCoverageTest::tellingEntries_data()
{
    QTest::addColumn<int>("N");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("number");
    QTest::addColumn<std::uint64_t>("expected");
    QTest::newRow("LF pos 1, n 1") << 25 << 15 << 1 << 1 << std::uint64_t { 1961256 };
    QTest::newRow("LF pos 1, n 2") << 25 << 15 << 1 << 2 << std::uint64_t { 817190 };
    QTest::newRow("LF pos 1, n 3") << 25 << 15 << 1 << 3 << std::uint64_t { 319770 };
    QTest::newRow("LF pos 8 peak") << 25 << 15 << 8 << 13 << std::uint64_t { 627264 };
    QTest::newRow("LF pos 1 past its range") << 25 << 15 << 1 << 12 << std::uint64_t { 0 };
    QTest::newRow("LF pos 15, n 25") << 25 << 15 << 15 << 25 << std::uint64_t { 1961256 };
    QTest::newRow("QI pos 1, n 1") << 80 << 5 << 1 << 1 << std::uint64_t { 1502501 };
}

void PositionCoverageTest::tellingEntries()
{
    QFETCH(int, N);
    QFETCH(int, k);
    QFETCH(int, position);
    QFETCH(int, number);
    QFETCH(std::uint64_t, expected);
    QCOMPARE(PositionCoverage(N, k).entry(position, number), expected);
}

void PositionCoverageTest::everyPositionCoversAllTickets_data()
{
    QTest::addColumn<int>("game");
    QTest::newRow("lotofacil") << 0;
    QTest::newRow("quina") << 1;
    QTest::newRow("megasena") << 2;
    QTest::newRow("duplasena") << 3;
}

void PositionCoverageTest::everyPositionCoversAllTickets()
{
    QFETCH(int, game);
    const ReducerGame* games[] = { &ReducerGame::lotofacil(), &ReducerGame::quina(),
        &ReducerGame::megaSena(), &ReducerGame::duplaSena() };
    const ReducerGame& g = *games[game];
    const PositionCoverage coverage(g.N, g.k);
    for (int position = 1; position <= g.k; ++position) {
        std::uint64_t sum = 0;
        for (int n = 1; n <= g.N; ++n) {
            const bool reachable = n >= g.lowestAt(position) && n <= g.highestAt(position);
            QCOMPARE(coverage.entry(position, n) > 0, reachable);
            sum += coverage.entry(position, n);
        }
        QCOMPARE(sum, coverage.total());
        QCOMPARE(coverage.covered(position, g.lowestAt(position), g.highestAt(position)),
            coverage.total());
    }
}

void PositionCoverageTest::coveredSumsItsRangeAndIsZeroWhenReversed()
{
    const PositionCoverage lf(25, 15);
    QCOMPARE(lf.covered(1, 1, 3), std::uint64_t { 3098216 });
    QCOMPARE(lf.covered(1, 3, 1), std::uint64_t { 0 });
    const PositionCoverage ms(60, 6);
    QCOMPARE(ms.covered(3, 5, 5), ms.entry(3, 5));
    QCOMPARE(ms.entry(3, 5), binomial(4, 2) * binomial(55, 3));
}

void PositionCoverageTest::defaultLimitsLieInsideTheirRanges()
{
    for (const ReducerGame* g : { &ReducerGame::lotofacil(), &ReducerGame::quina(),
             &ReducerGame::megaSena(), &ReducerGame::duplaSena() }) {
        QCOMPARE(static_cast<int>(g->defaults.size()), g->k);
        for (int p = 1; p <= g->k; ++p) {
            const auto [low, high] = g->defaults[static_cast<std::size_t>(p - 1)];
            QVERIFY(g->lowestAt(p) <= low && low <= high && high <= g->highestAt(p));
        }
    }
}

void PositionCoverageTest::clampMovesOutsideValuesToTheNearerEnd_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("LF 1 below") << 0 << 1 << 0 << 1;
    QTest::newRow("LF 1 above") << 0 << 1 << 30 << 11;
    QTest::newRow("LF 15 below") << 0 << 15 << 3 << 15;
    QTest::newRow("LF 8 inside") << 0 << 8 << 13 << 13;
    QTest::newRow("QI 5 above") << 1 << 5 << 99 << 80;
    QTest::newRow("QI 1 above") << 1 << 1 << 77 << 76;
    QTest::newRow("MS 3 negative") << 2 << 3 << -4 << 3;
    QTest::newRow("DS 6 above") << 3 << 6 << 51 << 50;
}

void PositionCoverageTest::clampMovesOutsideValuesToTheNearerEnd()
{
    QFETCH(int, game);
    QFETCH(int, position);
    QFETCH(int, value);
    QFETCH(int, expected);
    const ReducerGame* games[] = { &ReducerGame::lotofacil(), &ReducerGame::quina(),
        &ReducerGame::megaSena(), &ReducerGame::duplaSena() };
    QCOMPARE(clampToPosition(*games[game], position, value), expected);
}

void PositionCoverageTest::countsShowBrazilianThousandsSeparator_data()
{
    QTest::addColumn<std::uint64_t>("count");
    QTest::addColumn<QString>("expected");
    QTest::newRow("all lotofacil") << std::uint64_t { 3268760 } << "3.268.760";
    QTest::newRow("two patterns") << std::uint64_t { 100001 } << "100.001";
    QTest::newRow("small") << std::uint64_t { 999 } << "999";
    QTest::newRow("zero") << std::uint64_t { 0 } << "0";
    QTest::newRow("megasena") << std::uint64_t { 50063860 } << "50.063.860";
}

void PositionCoverageTest::countsShowBrazilianThousandsSeparator()
{
    QFETCH(std::uint64_t, count);
    QFETCH(QString, expected);
    QCOMPARE(coverageText(count, QLocale(QStringLiteral("pt_BR"))), expected);
}

QTEST_GUILESS_MAIN(PositionCoverageTest)
#include "position_coverage_test.moc"
