#include "engine/base/conversion.h"
#include "engine/generate/line_format.h"
#include "engine/generate/line_store.h"

#include <QTest>
#include <random>

using namespace LineFormat;

class LineFormatTest : public QObject
{
    Q_OBJECT
private slots:
    void countCommon_data();
    void countCommon();
    void sortLine_data();
    void sortLine();
    void sortLineRefusesNonNumbers();
    void masksAgreeWithTextOnRandomLines();
    void oddLinesAreNotRegular_data();
    void oddLinesAreNotRegular();
    void storeUsesTextForOddLines();
    void separatorFallsBackToBlank_data();
    void separatorFallsBackToBlank();
};

void LineFormatTest::countCommon_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("expected");
    QTest::newRow("shared two") << " 01 02 03"
                                << " 02 03 04 05" << 2;
    QTest::newRow("none") << " 01 02"
                          << " 03 04" << 0;
    QTest::newRow("mixed separators") << " 01;02+03"
                                      << " 03-01 09" << 2;
    QTest::newRow("number 100") << " 05 00"
                                << " 00" << 1;
    QTest::newRow("duplicate counted once") << " 01 01"
                                            << " 01 02 03" << 1;
    QTest::newRow("empty") << ""
                           << " 01 02" << 0;
}

void LineFormatTest::countCommon()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, expected);
    QCOMPARE(CountCommon(a, b), expected);
    QCOMPARE(CountCommon(b, a), expected);
}

void LineFormatTest::sortLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("expected");
    QTest::newRow("100 last") << " 10 00 02"
                              << " "
                              << " 02 10 00";
    QTest::newRow("duplicates merged") << " 07 03 07"
                                       << " "
                                       << " 03 07";
    QTest::newRow("new separator") << " 10;02"
                                   << "+"
                                   << " 02+10";
}

void LineFormatTest::sortLine()
{
    QFETCH(QString, line);
    QFETCH(QString, separator);
    QFETCH(QString, expected);
    QCOMPARE(SortLine(line, separator[0]), expected);
}

void LineFormatTest::sortLineRefusesNonNumbers()
{
    QVERIFY_THROWS_EXCEPTION(ConversionError, SortLine(QString(" 01 AB"), u' '));
}

// Regular lines made from random numbers: the mask count must equal the literal text count.
void LineFormatTest::masksAgreeWithTextOnRandomLines()
{
    std::mt19937 rng(42);
    const QChar separators[] = { u' ', u';', u'+', u'-', u'x' };
    for (int round = 0; round < 3000; ++round) {
        auto randomLine = [&](TicketMask& mask) {
            std::vector<int> numbers;
            const int k = 1 + static_cast<int>(rng() % 50);
            while (static_cast<int>(numbers.size()) < k) {
                const int n = 1 + static_cast<int>(rng() % 100);
                if (!mask.has(n)) {
                    mask.add(n);
                    numbers.push_back(n);
                }
            }
            return numberLine(numbers, separators[rng() % 5]); // unsorted on purpose
        };
        TicketMask ma, mb;
        const QString a = randomLine(ma), b = randomLine(mb);
        const LineInfo ia = analyse(a), ib = analyse(b);
        QVERIFY(ia.regular && ib.regular);
        QCOMPARE(ia.mask, ma);
        QCOMPARE(common(ia.mask, ib.mask), CountCommon(a, b));
        QCOMPARE(maskLine(ma, u' '), SortLine(a, u' '));
    }
}

void LineFormatTest::oddLinesAreNotRegular_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("digit separator") << " 0110203";
    QTest::newRow("short") << " 01 0";
    QTest::newRow("letters") << " 01 AB";
    QTest::newRow("repeated number") << " 01 01";
    QTest::newRow("empty") << "";
}

void LineFormatTest::oddLinesAreNotRegular()
{
    QFETCH(QString, line);
    QVERIFY(!analyse(line).regular);
}

void LineFormatTest::storeUsesTextForOddLines()
{
    LineStore store;
    store.append(u" 01 01 03");
    store.append(u" 01 02 03");
    QCOMPARE(store.irregularCount(), qsizetype(1));
    const QString candidate = QStringLiteral(" 01 01");
    TicketMask cm = analyse(candidate).mask;
    QCOMPARE(store.hits(0, cm, candidate), CountCommon(store.line(0), candidate));
    QCOMPARE(store.hits(0, cm, candidate), 2);
    QCOMPARE(store.hits(1, cm, candidate), 1);
    store.prepend(u" 09 10");
    QCOMPARE(store.line(0), QString(" 09 10"));
    QCOMPARE(store.size(), qsizetype(3));
}

void LineFormatTest::separatorFallsBackToBlank_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("used");
    QTest::newRow("semicolon") << ";"
                               << ";";
    QTest::newRow("empty") << ""
                           << " ";
    QTest::newRow("digit") << "7"
                           << " ";
    QTest::newRow("two characters") << ";;"
                                    << " ";
}

void LineFormatTest::separatorFallsBackToBlank()
{
    QFETCH(QString, setting);
    QFETCH(QString, used);
    QCOMPARE(QString(effectiveSeparator(setting)), used);
}

QTEST_APPLESS_MAIN(LineFormatTest)
#include "line_format_test.moc"
