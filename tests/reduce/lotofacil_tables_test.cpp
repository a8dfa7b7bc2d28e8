#include "engine/reduce/lotofacil_grid.h"
#include "engine/reduce/lotofacil_tables.h"

#include <QTest>
#include <set>

class LotofacilTablesTest : public QObject
{
    Q_OBJECT
private slots:
    void patternTableHoldsEveryPatternOnce();
    void patternTableBeginsAndEndsAsListed_data();
    void patternTableBeginsAndEndsAsListed();
    void patternTableIsOrderedByCountThenText();
    void sumTableEndsAndSymmetry();
    void sumTableAgreesWithDirectCount();
    void ticketPatternsAndSums_data();
    void ticketPatternsAndSums();
    void patternCodeRoundTrips();
};

void LotofacilTablesTest::patternTableHoldsEveryPatternOnce()
{
    const auto& table = LotofacilTables::patterns();
    QCOMPARE(table.size(), std::size_t { 651 });
    std::set<QString> seen;
    std::uint64_t total = 0;
    for (const auto& row : table) {
        QVERIFY(seen.insert(row.text).second);
        QCOMPARE(LotofacilGrid::patternCode(row.text), row.key);
        int digits = 0;
        for (QChar c : row.text)
            digits += c.digitValue();
        QCOMPARE(digits, 15);
        total += row.count;
    }
    QCOMPARE(total, std::uint64_t { 3268760 });
}

void LotofacilTablesTest::patternTableBeginsAndEndsAsListed_data()
{
    QTest::addColumn<int>("index"); // negative: from the end
    QTest::addColumn<QString>("shown");
    QTest::newRow("first") << 0 << "00555 --> 1";
    QTest::newRow("second") << 1 << "05055 --> 1";
    QTest::newRow("fifth") << 4 << "50055 --> 1";
    QTest::newRow("last") << -1 << "33333 --> 100000";
    QTest::newRow("second last") << -2 << "43332 --> 50000";
    QTest::newRow("fifth last") << -5 << "42333 --> 50000";
}

void LotofacilTablesTest::patternTableBeginsAndEndsAsListed()
{
    QFETCH(int, index);
    QFETCH(QString, shown);
    const auto& table = LotofacilTables::patterns();
    const int at = index >= 0 ? index : static_cast<int>(table.size()) + index;
    QCOMPARE(table[static_cast<std::size_t>(at)].listText(), shown);
}

void LotofacilTablesTest::patternTableIsOrderedByCountThenText()
{
    const auto& table = LotofacilTables::patterns();
    for (std::size_t i = 1; i < table.size(); ++i) {
        const auto &a = table[i - 1], &b = table[i];
        QVERIFY2(a.count < b.count || (a.count == b.count && a.text < b.text), qPrintable(b.text));
    }
    // The first rows of count 25 follow the count-1 rows directly.
    auto first25
        = std::find_if(table.begin(), table.end(), [](const auto& r) { return r.count == 25; });
    QVERIFY(first25 != table.end());
    QCOMPARE(first25->text, QString("01455"));
    QCOMPARE((first25 + 1)->text, QString("01545"));
    QCOMPARE((first25 - 1)->count, std::uint64_t { 1 });
}

void LotofacilTablesTest::sumTableEndsAndSymmetry()
{
    const auto& table = LotofacilTables::sums();
    QCOMPARE(table.size(), std::size_t { 151 });
    QCOMPARE(table.front().listText(), QString("120 --> 1"));
    QCOMPARE(table.back().listText(), QString("270 --> 1"));
    const std::uint64_t begins[] = { 1, 1, 2, 3, 5, 7, 11, 15, 22, 30 };
    const std::uint64_t ends[] = { 5, 3, 2, 1, 1 };
    for (int i = 0; i < 10; ++i)
        QCOMPARE(table[static_cast<std::size_t>(i)].count, begins[i]);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(table[static_cast<std::size_t>(146 + i)].count, ends[i]);
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < table.size(); ++i) {
        QCOMPARE(table[i].key, 120 + static_cast<int>(i));
        QCOMPARE(table[i].count, table[table.size() - 1 - i].count);
        total += table[i].count;
    }
    QCOMPARE(total, std::uint64_t { 3268760 });
}

void LotofacilTablesTest::sumTableAgreesWithDirectCount()
{
    // Every 15-subset of 1..25 is the complement of a 10-subset; count sums over those.
    std::vector<std::uint64_t> counts(326, 0);
    std::uint32_t subset = (1u << 10) - 1;
    const std::uint32_t limit = 1u << 25;
    while (subset < limit) {
        int tenSum = 0;
        for (std::uint32_t bits = subset; bits; bits &= bits - 1)
            tenSum += std::countr_zero(bits) + 1;
        ++counts[static_cast<std::size_t>(325 - tenSum)];
        const std::uint32_t low = subset & -subset, ripple = subset + low;
        subset = ripple | (((subset ^ ripple) >> 2) / low);
    }
    for (const auto& row : LotofacilTables::sums())
        QCOMPARE(row.count, counts[static_cast<std::size_t>(row.key)]);
}

void LotofacilTablesTest::ticketPatternsAndSums_data()
{
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("columns");
    QTest::addColumn<int>("sum");
    QTest::newRow("01..15") << QList<int> { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15 }
                            << "55500"
                            << "33333" << 120;
    QTest::newRow("11..25") << QList<int> { 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24,
        25 } << "00555"
                            << "33333" << 270;
    QTest::newRow("columns 2..4") << QList<int> { 2, 3, 4, 7, 8, 9, 12, 13, 14, 17, 18, 19, 22, 23,
        24 } << "33333"
                                  << "05550" << 195;
    QTest::newRow("mixed") << QList<int> { 1, 5, 6, 10, 11, 12, 15, 16, 20, 21, 22, 23, 24, 25, 13 }
                           << "22425"
                           << "52215" << 224;
}

void LotofacilTablesTest::ticketPatternsAndSums()
{
    QFETCH(QList<int>, numbers);
    QFETCH(QString, rows);
    QFETCH(QString, columns);
    QFETCH(int, sum);
    TicketMask mask;
    for (int n : numbers)
        mask.add(n);
    QVERIFY(LotofacilGrid::onGrid(mask));
    QCOMPARE(LotofacilGrid::patternText(LotofacilGrid::rowPattern(mask)), rows);
    QCOMPARE(LotofacilGrid::patternText(LotofacilGrid::columnPattern(mask)), columns);
    QCOMPARE(LotofacilGrid::sum(mask), sum);
}

void LotofacilTablesTest::patternCodeRoundTrips()
{
    for (int code = 0; code < LotofacilGrid::patternCodes; ++code)
        QCOMPARE(LotofacilGrid::patternCode(LotofacilGrid::patternText(code)), code);
    QCOMPARE(LotofacilGrid::patternCode(u"33336"), -1);
    QCOMPARE(LotofacilGrid::patternCode(u"3333"), -1);
}

QTEST_GUILESS_MAIN(LotofacilTablesTest)
#include "lotofacil_tables_test.moc"
