#include "engine/base/random_source.h"
#include "engine/generate/combination_index.h"
#include "engine/generate/full_enumeration.h"
#include "engine/generate/line_format.h"
#include "engine/generate/margin_check.h"

#include <QTest>
#include <random>

namespace {

std::vector<int> numbers(std::initializer_list<int> list)
{
    return list;
}

// Draws of C numbers among the bet (all fixed ones in) no line meets in G numbers, counted
// directly.
int bruteForceUncovered(const LineStore& closing, const std::vector<int>& selected,
    const std::vector<int>& fixed, int G, int C)
{
    int uncovered = 0;
    const int k = C - static_cast<int>(fixed.size());
    for (CombinationIndex idx(static_cast<int>(selected.size()), k); !idx.done(); idx.next()) {
        TicketMask draw;
        for (int f : fixed)
            draw.add(f);
        for (int p : idx.positions())
            draw.add(selected[static_cast<std::size_t>(p)]);
        bool covered = false;
        for (qsizetype i = 0; i < closing.size() && !covered; ++i)
            covered = common(closing.mask(i), draw) >= G;
        uncovered += covered ? 0 : 1;
    }
    return uncovered;
}

void randomClosing(
    LineStore& closing, const std::vector<int>& bet, int K, int tickets, std::uint64_t seed)
{
    std::mt19937_64 rng(seed);
    for (int t = 0; t < tickets; ++t) {
        std::vector<int> pool = bet;
        std::shuffle(pool.begin(), pool.end(), rng);
        TicketMask m;
        for (int i = 0; i < K; ++i)
            m.add(pool[static_cast<std::size_t>(i)]);
        closing.appendBuilt(LineFormat::maskLine(m, u' '), m);
    }
}

MarginCheck::Setup setupFor(int K, int G, int C, std::vector<int> selected, std::vector<int> fixed)
{
    MarginCheck::Setup s;
    s.K = K;
    s.G = G;
    s.C = C;
    s.F = static_cast<int>(fixed.size());
    s.selected = std::move(selected);
    s.fixed = fixed;
    s.fixedLine = fixed.empty() ? QString() : LineFormat::numberLine(fixed, u' ');
    return s;
}

void runToEnd(MarginCheck& check)
{
    while (check.state() == MarginCheck::State::Running)
        check.advance(7, u' ');
}

} // namespace

class MarginCheckTest : public QObject
{
    Q_OBJECT
private slots:
    void marginOfOneMegasenaTicket();
    void completionAddsTheUncoveredDrawsInOrder();
    void countsAgreeWithBruteForce_data();
    void countsAgreeWithBruteForce();
    void completionLeavesMarginZero_data();
    void completionLeavesMarginZero();
    void enumeratedClosingHasMarginZero();
    void completionStopsAtTheLineBound();
    void completionRefusedWhenKBelowG();
    void reportDueEvery5000Draws();
    void irregularLinesUseTheirText();
};

void MarginCheckTest::marginOfOneMegasenaTicket()
{
    LineStore closing;
    closing.append(u" 01 02 03 04 05 06");
    RandomSource random;
    MarginCheck check(setupFor(6, 5, 6, numbers({ 1, 2, 3, 4, 5, 6, 7, 8 }), {}), closing, random);
    runToEnd(check);
    QCOMPARE(check.report(), QString("1. Sendo 15 não fechados em 28 sorteios não repetidos."));
    QCOMPARE(closing.size(), qsizetype(1));
}

void MarginCheckTest::completionAddsTheUncoveredDrawsInOrder()
{
    LineStore closing;
    closing.append(u" 01 02 03 04 05 06");
    RandomSource random;
    random.fixSeed(3);
    auto setup = setupFor(6, 5, 6, numbers({ 1, 2, 3, 4, 5, 6, 7, 8 }), {});
    setup.complete = true;
    MarginCheck check(setup, closing, random);
    runToEnd(check);
    QCOMPARE(closing.lines(),
        QStringList({ " 01 02 03 04 05 06", " 01 02 03 04 07 08", " 01 02 05 06 07 08",
            " 03 04 05 06 07 08" }));
    QCOMPARE(check.report(), QString("4. Sendo 0 não fechados em 28 sorteios não repetidos."));
}

void MarginCheckTest::countsAgreeWithBruteForce_data()
{
    QTest::addColumn<int>("K");
    QTest::addColumn<int>("G");
    QTest::addColumn<int>("C");
    QTest::addColumn<std::vector<int>>("selected");
    QTest::addColumn<std::vector<int>>("fixed");
    QTest::addColumn<int>("tickets");
    QTest::newRow("megasena 12 bet")
        << 6 << 4 << 6 << numbers({ 3, 7, 11, 19, 22, 30, 31, 40, 44, 52, 58, 60 }) << numbers({})
        << 6;
    QTest::newRow("quina with fixed")
        << 5 << 3 << 5 << numbers({ 1, 9, 17, 25, 33, 41, 49, 57, 65 }) << numbers({ 80 }) << 4;
    QTest::newRow("C below K") << 8 << 3 << 5 << numbers({ 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22 })
                               << numbers({}) << 3;
    QTest::newRow("with 100") << 6 << 5 << 6 << numbers({ 10, 20, 30, 40, 50, 60, 70, 100 })
                              << numbers({}) << 5;
}

void MarginCheckTest::countsAgreeWithBruteForce()
{
    QFETCH(int, K);
    QFETCH(int, G);
    QFETCH(int, C);
    QFETCH(std::vector<int>, selected);
    QFETCH(std::vector<int>, fixed);
    QFETCH(int, tickets);
    std::vector<int> bet = selected;
    bet.insert(bet.end(), fixed.begin(), fixed.end());
    LineStore closing;
    randomClosing(closing, bet, K, tickets, 17);
    const int expected = bruteForceUncovered(closing, selected, fixed, G, C);
    for (bool literal : { false, true }) {
        RandomSource random;
        auto setup = setupFor(K, G, C, selected, fixed);
        setup.literalText = literal;
        MarginCheck check(setup, closing, random);
        runToEnd(check);
        QCOMPARE(check.uncovered(), double(expected));
        QCOMPARE(closing.size(), qsizetype(tickets));
    }
}

void MarginCheckTest::completionLeavesMarginZero_data()
{
    countsAgreeWithBruteForce_data();
}

void MarginCheckTest::completionLeavesMarginZero()
{
    QFETCH(int, K);
    QFETCH(int, G);
    QFETCH(int, C);
    QFETCH(std::vector<int>, selected);
    QFETCH(std::vector<int>, fixed);
    QFETCH(int, tickets);
    std::vector<int> bet = selected;
    bet.insert(bet.end(), fixed.begin(), fixed.end());
    LineStore closing;
    randomClosing(closing, bet, K, tickets, 23);
    const QStringList before = closing.lines();
    RandomSource random;
    random.fixSeed(9);
    const qsizetype added = completeToMarginZero(selected, fixed, K, G, C, closing, random);
    QVERIFY(added >= 0);
    QCOMPARE(closing.size(), tickets + added);
    QCOMPARE(closing.lines().mid(0, tickets), before);
    QCOMPARE(bruteForceUncovered(closing, selected, fixed, G, C), 0);
    for (qsizetype i = tickets; i < closing.size(); ++i) {
        const TicketMask m = closing.mask(i);
        QCOMPARE(m.count(), K);
        for (int f : fixed)
            QVERIFY(m.has(f));
        QCOMPARE(closing.line(i), LineFormat::maskLine(m, u' '));
    }
}

void MarginCheckTest::enumeratedClosingHasMarginZero()
{
    LineStore closing;
    FullEnumeration::Setup e;
    e.selected = { 1, 2, 3, 4, 6, 7, 8 };
    e.fixed = { 5 };
    e.k = 5;
    FullEnumeration enumeration(e, closing);
    enumeration.advance(1000, u' ');
    RandomSource random;
    MarginCheck check(setupFor(6, 6, 6, e.selected, e.fixed), closing, random);
    runToEnd(check);
    QCOMPARE(check.total(), 21.0);
    QCOMPARE(check.uncovered(), 0.0);
}

void MarginCheckTest::completionStopsAtTheLineBound()
{
    LineStore closing;
    closing.append(u" 01 02 03 04 05 06");
    RandomSource random;
    auto setup = setupFor(6, 6, 6, numbers({ 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 }), {});
    setup.complete = true;
    setup.lineBound = 5;
    MarginCheck check(setup, closing, random);
    runToEnd(check);
    QCOMPARE(check.state(), MarginCheck::State::LineBound);
    QCOMPARE(closing.size(), qsizetype(5));
    QCOMPARE(closing.line(0), QString(" 01 02 03 04 05 06"));
    QCOMPARE(check.uncovered(), 0.0); // every draw examined so far is covered by now
    QVERIFY(check.total() < 210);
}

void MarginCheckTest::completionRefusedWhenKBelowG()
{
    LineStore closing;
    closing.append(u" 01 02 03");
    RandomSource random;
    QCOMPARE(
        completeToMarginZero({ 1, 2, 3, 4, 5, 6 }, {}, 3, 4, 4, closing, random), qsizetype(-1));
    QCOMPARE(closing.size(), qsizetype(1));
}

void MarginCheckTest::reportDueEvery5000Draws()
{
    // C(20,6) = 38760 draws: reports fall due at the end of a run of the last index once 5000
    // draws have gone by, so 7 times.
    LineStore closing;
    closing.append(u" 01 02 03 04 05 06");
    std::vector<int> bet;
    for (int i = 1; i <= 20; ++i)
        bet.push_back(i);
    RandomSource random;
    MarginCheck check(setupFor(6, 3, 6, bet, {}), closing, random);
    int reports = 0;
    while (check.state() == MarginCheck::State::Running) {
        check.advance(1, u' ');
        reports += check.takeReportDue() ? 1 : 0;
    }
    QCOMPARE(reports, 7);
    QCOMPARE(check.total(), 38760.0);
}

void MarginCheckTest::irregularLinesUseTheirText()
{
    // "0102" has no separator: by text CountCommon finds "01" and "02" only inside the
    // shorter line's fields, which the mask path cannot know.
    LineStore closing;
    closing.append(u" 01 02 03x");
    closing.append(u" 07 08 09 10");
    RandomSource random;
    auto setup = setupFor(4, 3, 4, numbers({ 1, 2, 3, 4, 7, 8, 9, 10 }), {});
    MarginCheck byMask(setup, closing, random);
    runToEnd(byMask);
    setup.literalText = true;
    MarginCheck byText(setup, closing, random);
    runToEnd(byText);
    QCOMPARE(byMask.uncovered(), byText.uncovered());
}

QTEST_GUILESS_MAIN(MarginCheckTest)
#include "margin_check_test.moc"
