#include "engine/generate/covering_generator.h"
#include "engine/generate/line_format.h"

#include <QTest>
#include <numeric>

class CoveringGeneratorTest : public QObject
{
    Q_OBJECT
private slots:
    void ticketsKeepSizeAndFixedNumbers_data();
    void ticketsKeepSizeAndFixedNumbers();
    void megasenaTicketIsTheUncoveredDraw();
    void guaranteeZeroKeepsOneTicket();
    void existingLinesCoverFromTheStart();
    void balancedPickRotatesThroughTheBet();
};

namespace {
CoveringGenerator::Setup setup(int T, int K, int F, int G, int C)
{
    CoveringGenerator::Setup s;
    s.K = K;
    s.F = F;
    s.G = G;
    s.C = C;
    for (int n = 1; n <= F; ++n)
        s.fixed.push_back(90 + n);
    for (int n = 1; n <= T - F; ++n)
        s.selected.push_back(n);
    if (F > 0) s.fixedLine = LineFormat::numberLine(s.fixed, u' ');
    return s;
}
} // namespace

void CoveringGeneratorTest::ticketsKeepSizeAndFixedNumbers_data()
{
    QTest::addColumn<int>("T");
    QTest::addColumn<int>("K");
    QTest::addColumn<int>("F");
    QTest::addColumn<int>("G");
    QTest::addColumn<int>("C");
    QTest::newRow("lotomania") << 60 << 50 << 0 << 17 << 20;
    QTest::newRow("megasena two fixed") << 12 << 6 << 2 << 3 << 6;
    QTest::newRow("lotofacil") << 22 << 15 << 0 << 11 << 15;
    QTest::newRow("quina one fixed") << 15 << 5 << 1 << 3 << 5;
}

void CoveringGeneratorTest::ticketsKeepSizeAndFixedNumbers()
{
    QFETCH(int, T);
    QFETCH(int, K);
    QFETCH(int, F);
    QFETCH(int, G);
    QFETCH(int, C);
    const CoveringGenerator::Setup s = setup(T, K, F, G, C);
    TicketMask fixedMask, betMask;
    for (int f : s.fixed)
        fixedMask.add(f);
    for (int n : s.selected)
        betMask.add(n);
    betMask = betMask | fixedMask;
    LineStore closing;
    RandomSource random;
    random.fixSeed(9);
    CoveringGenerator generator(s, closing, random);
    for (int i = 0; i < 3000; ++i)
        generator.step(u';');
    QVERIFY(closing.size() > 1);
    for (qsizetype i = 0; i < closing.size(); ++i) {
        const TicketMask m = closing.mask(i);
        QCOMPARE(m.count(), K);
        QCOMPARE(m & fixedMask, fixedMask);
        QCOMPARE(m & betMask, m);
        QCOMPARE(closing.line(i), LineFormat::maskLine(m, u';'));
        QCOMPARE(LineFormat::analyse(closing.line(i)).mask, m);
    }
    QCOMPARE(generator.drawsMade(), 3000.0);
}

void CoveringGeneratorTest::megasenaTicketIsTheUncoveredDraw()
{
    LineStore closing;
    RandomSource random;
    random.fixSeed(4);
    CoveringGenerator generator(setup(12, 6, 0, 3, 6), closing, random);
    QVERIFY(generator.step(u' '));
    QCOMPARE(closing.size(), qsizetype(1));
    TicketMask drawn;
    for (int p = 1; p <= 12; ++p)
        if (generator.drawFlags()[static_cast<std::size_t>(p)]) drawn.add(p);
    QCOMPARE(closing.mask(0), drawn);
    // later tickets go on top
    while (closing.size() < 2)
        generator.step(u' ');
    QVERIFY(closing.mask(0) != drawn);
    QCOMPARE(closing.mask(1), drawn);
}

void CoveringGeneratorTest::guaranteeZeroKeepsOneTicket()
{
    LineStore closing;
    RandomSource random;
    random.fixSeed(5);
    CoveringGenerator generator(setup(12, 6, 0, 0, 6), closing, random);
    for (int i = 0; i < 2500; ++i)
        generator.step(u' ');
    QCOMPARE(closing.size(), qsizetype(1));
    QCOMPARE(generator.coveredSinceReport(), 2499);
}

void CoveringGeneratorTest::existingLinesCoverFromTheStart()
{
    // Every ticket of all 12 numbers covers any draw: nothing is added.
    LineStore closing;
    closing.append(u" 01 02 03 04 05 06 07 08 09 10 11 12");
    RandomSource random;
    CoveringGenerator generator(setup(12, 6, 0, 3, 6), closing, random);
    for (int i = 0; i < 100; ++i)
        QVERIFY(!generator.step(u' '));
    QCOMPARE(closing.size(), qsizetype(1));
}

void CoveringGeneratorTest::balancedPickRotatesThroughTheBet()
{
    CoveringGenerator::Setup s = setup(10, 5, 0, 3, 5);
    s.balancedPick = true;
    LineStore closing;
    RandomSource random;
    random.fixSeed(6);
    CoveringGenerator generator(s, closing, random);
    // Two draws of five take every one of the ten positions exactly once.
    std::array<int, 11> seen {};
    for (int d = 0; d < 2; ++d) {
        generator.step(u' ');
        for (int p = 1; p <= 10; ++p)
            seen[static_cast<std::size_t>(p)] += generator.drawFlags()[static_cast<std::size_t>(p)];
    }
    for (int p = 1; p <= 10; ++p)
        QCOMPARE(seen[static_cast<std::size_t>(p)], 1);
}

QTEST_APPLESS_MAIN(CoveringGeneratorTest)
#include "covering_generator_test.moc"
