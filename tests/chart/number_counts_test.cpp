#include "engine/base/conversion.h"
#include "engine/chart/number_counts.h"

#include <QTest>

class NumberCountsTest : public QObject
{
    Q_OBJECT
private slots:
    void countsPointsAndRanking_data();
    void countsPointsAndRanking();
    void fieldThatIsNotANumberStopsTheCount_data();
    void fieldThatIsNotANumberStopsTheCount();
};

void NumberCountsTest::countsPointsAndRanking_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("points"); // "x:y:label"
    QTest::addColumn<QStringList>("ranking");

    QTest::newRow("two short draws") << QStringList { " 01 02 03", " 02 03 04" }
                                     << QStringList { "1:1:01", "2:2:02", "3:2:03", "4:1:04" }
                                     << QStringList { "02 = 2", "03 = 2", "01 = 1", "04 = 1" };
    QTest::newRow("00 is counted as 100 and comes first")
        << QStringList { " 05 00", " 99 00", " 05" } << QStringList { "1:2:00", "2:2:05", "3:1:99" }
        << QStringList { "00 = 2", "05 = 2", "99 = 1" };
    QTest::newRow("empty area") << QStringList {} << QStringList {} << QStringList {};
    QTest::newRow("blank and empty lines")
        << QStringList { "", " ", "  " } << QStringList {} << QStringList {};
    QTest::newRow("other separators")
        << QStringList { " 10;20-30", "+10+20" } << QStringList { "1:2:10", "2:2:20", "3:1:30" }
        << QStringList { "10 = 2", "20 = 2", "30 = 1" };
    QTest::newRow("field cut at the line end is not read")
        << QStringList { " 07 0" } << QStringList { "1:1:07" } << QStringList { "07 = 1" };
    QTest::newRow("field with one digit and a blank")
        << QStringList { "  7 08" } << QStringList { "1:1:07", "2:1:08" }
        << QStringList { "07 = 1", "08 = 1" };
    QTest::newRow("the most frequent first, whatever its number")
        << QStringList { " 90 10", " 90 20", " 90 10" }
        << QStringList { "1:2:10", "2:1:20", "3:3:90" }
        << QStringList { "90 = 3", "10 = 2", "20 = 1" };
}

void NumberCountsTest::countsPointsAndRanking()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, points);
    QFETCH(QStringList, ranking);
    NumberCounts counts;
    for (const QString& line : lines)
        counts.addLine(line);
    QStringList gotPoints, gotRanking;
    for (const auto& p : counts.points())
        gotPoints << QStringLiteral("%1:%2:%3").arg(p.x).arg(p.y).arg(p.label);
    for (const auto& item : counts.ranking())
        gotRanking << item.text();
    QCOMPARE(gotPoints, points);
    QCOMPARE(gotRanking, ranking);
}

void NumberCountsTest::fieldThatIsNotANumberStopsTheCount_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("message");
    QTest::newRow("letters") << " 01 xx 03"
                             << "'xx' is not a valid integer value";
    QTest::newRow("negative") << " 01 -1 03"
                              << "'-1' is not a valid integer value";
    QTest::newRow("digit and letter") << " 01 0x"
                                      << "'0x' is not a valid integer value";
}

void NumberCountsTest::fieldThatIsNotANumberStopsTheCount()
{
    QFETCH(QString, line);
    QFETCH(QString, message);
    NumberCounts counts;
    counts.addLine(QStringLiteral(" 03"));
    try {
        counts.addLine(line);
        QFAIL("no error raised");
    } catch (const ConversionError& error) {
        QCOMPARE(error.message(), message);
    }
    QCOMPARE(counts.count(3), 1);
}

QTEST_MAIN(NumberCountsTest)
#include "number_counts_test.moc"
