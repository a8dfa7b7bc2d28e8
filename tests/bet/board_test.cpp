#include "engine/bet/board.h"

#include <QTest>

using State = Board::State;

class BoardTest : public QObject
{
    Q_OBJECT
private slots:
    void clickRule_data();
    void clickRule();
    void randomBetCompletesAndKeepsChoices();
    void randomBetReplacesAFullBoard();
    void randomBetStaysInRange();
    void randomBetRefusedWhenRangeTooSmall();
    void numberLines_data();
    void numberLines();
};

namespace {
// A board where `selected` and `fixed` numbers are already marked.
Board boardWith(int selected, int fixed, int U = 100)
{
    Board b;
    b.applyNumberRange(U);
    for (int n = 1; n <= selected; ++n)
        b.setState(n, State::Selected);
    for (int n = selected + 1; n <= selected + fixed; ++n)
        b.setState(n, State::Fixed);
    return b;
}
} // namespace

Q_DECLARE_METATYPE(Board::State)

void BoardTest::clickRule_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("fixed");
    QTest::addColumn<int>("T");
    QTest::addColumn<int>("F");
    QTest::addColumn<int>("clicked");
    QTest::addColumn<Board::State>("expected");
    QTest::newRow("free becomes selected") << 3 << 0 << 60 << 0 << 50 << State::Selected;
    QTest::newRow("61st free tile stays free") << 60 << 0 << 60 << 0 << 70 << State::Free;
    QTest::newRow("free becomes fixed when selection is full")
        << 58 << 0 << 60 << 2 << 70 << State::Fixed;
    QTest::newRow("selected becomes fixed") << 58 << 0 << 60 << 2 << 5 << State::Fixed;
    QTest::newRow("selected becomes free with no fixed room")
        << 10 << 0 << 60 << 0 << 5 << State::Free;
    QTest::newRow("third fixed refused") << 58 << 2 << 60 << 2 << 5 << State::Free;
    QTest::newRow("fixed becomes free") << 10 << 2 << 60 << 2 << 11 << State::Free;
    QTest::newRow("tile 00 is number 100") << 0 << 0 << 60 << 0 << 100 << State::Selected;
}

void BoardTest::clickRule()
{
    QFETCH(int, selected);
    QFETCH(int, fixed);
    QFETCH(int, T);
    QFETCH(int, F);
    QFETCH(int, clicked);
    QFETCH(Board::State, expected);
    Board b = boardWith(selected, fixed);
    b.click(clicked, T, F);
    QCOMPARE(b.state(clicked), expected);
    QVERIFY(b.countSelected() <= T - F || b.countSelected() == selected);
    QVERIFY(b.countFixed() <= F || b.countFixed() == fixed);
}

void BoardTest::randomBetCompletesAndKeepsChoices()
{
    RandomSource random;
    random.fixSeed(1);
    Board b = boardWith(10, 0, 25);
    QVERIFY(b.drawRandom(15, 2, random));
    QCOMPARE(b.countSelected() + b.countFixed(), 15);
    QCOMPARE(b.countFixed(), 2);
    int keptOrFixed = 0;
    for (int n = 1; n <= 10; ++n)
        keptOrFixed += b.state(n) != State::Free;
    QCOMPARE(keptOrFixed, 10);
}

void BoardTest::randomBetReplacesAFullBoard()
{
    RandomSource random;
    random.fixSeed(2);
    Board b = boardWith(15, 0, 100);
    QVERIFY(b.drawRandom(15, 0, random));
    QCOMPARE(b.countSelected(), 15);
    int stillFirst = 0;
    for (int n = 1; n <= 15; ++n)
        stillFirst += b.state(n) == State::Selected;
    QVERIFY(stillFirst < 15);
}

void BoardTest::randomBetStaysInRange()
{
    RandomSource random;
    random.fixSeed(3);
    for (int round = 0; round < 50; ++round) {
        Board b;
        b.applyNumberRange(25);
        QVERIFY(b.drawRandom(22, 0, random));
        for (int n = 26; n <= 100; ++n)
            QCOMPARE(b.state(n), State::OutOfRange);
    }
}

void BoardTest::randomBetRefusedWhenRangeTooSmall()
{
    RandomSource random;
    Board b;
    b.applyNumberRange(1);
    QVERIFY(!b.drawRandom(2, 0, random));
    QCOMPARE(b.countSelected(), 0);
}

void BoardTest::numberLines_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("fixed");
    QTest::newRow("blank") << " "
                           << " 05 12 00"
                           << " 07";
    QTest::newRow("semicolon") << ";"
                               << " 05;12;00"
                               << " 07";
}

void BoardTest::numberLines()
{
    QFETCH(QString, separator);
    QFETCH(QString, selected);
    QFETCH(QString, fixed);
    Board b;
    b.applyNumberRange(100);
    QCOMPARE(b.selectedText(separator[0]), QString(" "));
    QCOMPARE(b.fixedText(separator[0]), QString());
    for (int n : { 5, 12, 100 })
        b.setState(n, State::Selected);
    b.setState(7, State::Fixed);
    QCOMPARE(b.selectedText(separator[0]), selected);
    QCOMPARE(b.fixedText(separator[0]), fixed);
}

QTEST_APPLESS_MAIN(BoardTest)
#include "board_test.moc"
