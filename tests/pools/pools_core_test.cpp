#include "engine/base/random_source.h"
#include "engine/pools/loteca_closing.h"
#include "engine/pools/loteca_pass_engine.h"
#include "engine/pools/lotogol_closing.h"
#include "engine/pools/pool_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <set>

class PoolsCoreTest : public QObject
{
    Q_OBJECT
private slots:
    void lotecaHits_data();
    void lotecaHits();
    void lotecaTextRoundTrip();
    void lotecaGuarantee14CoversOnlyFullTickets();
    void lotecaCandidatesKeepTheirShape_data();
    void lotecaCandidatesKeepTheirShape();
    void lotecaRepeatNeedsTheSameText();
    void lotogolHits_data();
    void lotogolHits();
    void lotogolCoverStopsAtGuarantee();
    void fileKeepsOldContentWhenWriteFails();
    void fileWritesCrLfAndReadsTrimmed();
};

void PoolsCoreTest::lotecaHits_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("expected");
    const QString result = "0X0 00X 00X 0X0 X00 0X0 00X 00X 00X X00 X00 X00 X00 00X";
    QTest::newRow("same simples") << result << result << 14;
    QTest::newRow("double holds the result")
        << "0X0 00X 00X 0X0 X00 0X0 00X 00X 00X X0X X00 X00 X00 00X" << result << 14;
    QTest::newRow("triples and misses")
        << "XXX X00 X00 0X0 X00 0X0 00X 00X 00X XXX X00 X00 X00 X00" << result << 11;
    QTest::newRow("lower-case x is no bet")
        << "0x0 00X 00X 0X0 X00 0X0 00X 00X 00X X00 X00 X00 X00 00X" << result << 13;
    QTest::newRow("nothing in common")
        << "X00 X00 X00 X00 0X0 X00 X00 X00 X00 0X0 0X0 0X0 0X0 X00" << result << 0;
    // Both hold an "X" where a blank belongs: the position counts as any other.
    QTest::newRow("X in a separator")
        << "0X0X00X 00X 0X0 X00 0X0 00X 00X 00X X00 X00 X00 X00 00X"
        << "0X0X00X 00X 0X0 X00 0X0 00X 00X 00X X00 X00 X00 X00 00X" << 15;
}

void PoolsCoreTest::lotecaHits()
{
    QFETCH(QString, line);
    QFETCH(QString, result);
    QFETCH(int, expected);
    QCOMPARE(hits(LotecaLine::fromText(line), LotecaLine::fromText(result)), expected);
    // The plain definition: positions where both hold "X".
    int literal = 0;
    for (int i = 0; i < 55; ++i)
        literal += line[i] == u'X' && result[i] == u'X';
    QCOMPARE(literal, expected);
}

void PoolsCoreTest::lotecaTextRoundTrip()
{
    const QString text = "XXX 00X 00X 0X0 X00 XX0 00X 00X 00X XXX X00 X00 X00 00X";
    const LotecaLine line = LotecaLine::fromText(text);
    QCOMPARE(line.text(), text);
    QCOMPARE(line.outcomesOf(0), 3);
    QCOMPARE(line.outcomesOf(5), 2);
    QCOMPARE(line.group(5), 0b011U);
}

void PoolsCoreTest::lotecaGuarantee14CoversOnlyFullTickets()
{
    const LotecaLine result
        = LotecaLine::fromText(u"0X0 00X 00X 0X0 X00 0X0 00X 00X 00X X00 X00 X00 X00 00X");
    const LotecaLine candidate
        = LotecaLine::fromText(u"X00 X00 X00 X00 X00 X00 X00 X00 X00 X00 X00 X00 X00 X00");
    struct Case {
        const char* row;
        LotecaPassEngine::Outcome outcome;
    } cases[] = {
        { "0X0 00X 00X 0X0 X00 0X0 00X 00X 00X X00 X00 X00 X00 0X0",
            LotecaPassEngine::Outcome::Added },
        { "0X0 00X 00X 0X0 X00 0X0 00X 00X 00X X00 X00 X00 X00 00X",
            LotecaPassEngine::Outcome::Covered },
        { "XXX 0XX 00X 0X0 X00 0X0 00X 00X 00X X00 X00 X00 X00 X0X",
            LotecaPassEngine::Outcome::Covered },
    };
    for (const Case& c : cases) {
        LotecaClosing closing;
        closing.append(QString::fromLatin1(c.row));
        QCOMPARE(LotecaPassEngine::judge(closing, candidate, result, 14), c.outcome);
        QCOMPARE(closing.size(), c.outcome == LotecaPassEngine::Outcome::Added ? 2 : 1);
    }
}

void PoolsCoreTest::lotecaCandidatesKeepTheirShape_data()
{
    QTest::addColumn<QString>("board");
    QTest::addColumn<int>("doubles");
    QTest::addColumn<int>("triples");
    QTest::newRow("all triples, 3D 2T")
        << "XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX" << 3 << 2;
    QTest::newRow("mixed board, 2D 1T")
        << "XXX 0XX X0X 00X X00 0X0 XX0 00X X00 0X0 00X X00 0X0 X00" << 2 << 1;
    QTest::newRow("all simples") << "X00 0X0 00X X00 0X0 00X X00 0X0 00X X00 0X0 00X X00 0X0" << 0
                                 << 0;
}

void PoolsCoreTest::lotecaCandidatesKeepTheirShape()
{
    QFETCH(QString, board);
    QFETCH(int, doubles);
    QFETCH(int, triples);
    RandomSource::instance().fixSeed(3);
    const LotecaLine marks = LotecaLine::fromText(board);
    LotecaPassEngine engine(marks, doubles, triples, RandomSource::instance());
    for (int i = 0; i < 500; ++i) {
        const LotecaLine ticket = engine.candidate();
        const LotecaLine result = engine.drawnResult();
        int counts[4] = {};
        for (int g = 0; g < 14; ++g) {
            ++counts[ticket.outcomesOf(g)];
            QCOMPARE(result.outcomesOf(g), 1);
        }
        QCOMPARE(counts[0], 0);
        QCOMPARE(counts[2], doubles);
        QCOMPARE(counts[3], triples);
        QCOMPARE(ticket.bits & ~marks.bits, std::uint64_t { 0 });
        QCOMPARE(result.bits & ~marks.bits, std::uint64_t { 0 });
    }
}

void PoolsCoreTest::lotecaRepeatNeedsTheSameText()
{
    const QString text = "X00 0X0 00X X00 0X0 00X X00 0X0 00X X00 0X0 00X X00 0X0";
    const LotecaLine candidate = LotecaLine::fromText(text);
    LotecaLine result
        = LotecaLine::fromText(u"00X X00 X00 00X X00 X00 00X X00 X00 00X X00 X00 00X X00");
    LotecaClosing closing;
    closing.append(text);
    QCOMPARE(
        LotecaPassEngine::judge(closing, candidate, result, 14), LotecaPassEngine::Outcome::Repeat);
    // The same marks written with other non-"X" characters are a different text.
    LotecaClosing odd;
    odd.append(QString(text).replace(u'0', u'-'));
    QCOMPARE(LotecaPassEngine::judge(odd, candidate, result, 14), LotecaPassEngine::Outcome::Added);
}

void PoolsCoreTest::lotogolHits_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("expected");
    const QString result = "2x1 0x0 3x+ 1x1 +x0";
    QTest::newRow("same") << result << result << 5;
    QTest::newRow("2x1 right, 3x3 wrong") << "2x1 1x0 3x3 0x1 0x0" << result << 1;
    QTest::newRow("one score of each wrong") << "2x2 0x1 +x+ 0x1 +x1" << result << 0;
    QTest::newRow("blank score in a typed result") << "2x1 0x0 3x+ 1x1 +x0"
                                                   << "2x1 0x0 3x+ 1x1  x0" << 4;
    QTest::newRow("short line shifts groups") << "2x1 x0 3x+ 1x1 +x0" << result << 1;
}

void PoolsCoreTest::lotogolHits()
{
    QFETCH(QString, line);
    QFETCH(QString, result);
    QFETCH(int, expected);
    QCOMPARE(hits(LotogolLine::fromText(line), LotogolLine::fromText(result)), expected);
    int literal = 0;
    for (int g = 0; g < 5; ++g)
        literal += line.mid(4 * g, 3) == result.mid(4 * g, 3);
    QCOMPARE(literal, expected);
}

void PoolsCoreTest::lotogolCoverStopsAtGuarantee()
{
    LotogolClosing closing;
    closing.append(u"0x0 0x0 0x0 0x0 0x0");
    closing.append(u"1x1 1x1 1x1 0x0 0x0");
    const LotogolLine candidate = LotogolLine::fromText(u"1x1 1x1 0x0 2x2 2x2");
    QVERIFY(closing.covers(candidate, 1));
    QVERIFY(closing.covers(candidate, 2));
    QVERIFY(!closing.covers(candidate, 3));
    const std::array<int, 6> tally = closing.tally(candidate);
    QCOMPARE(tally[1], 1);
    QCOMPARE(tally[2], 1);
}

void PoolsCoreTest::fileKeepsOldContentWhenWriteFails()
{
    QTemporaryDir dir;
    const QString name = dir.filePath("closing.txt");
    QVERIFY(PoolFile::writeLines(name, { "first" }));
    QVERIFY(!PoolFile::writeLines(dir.filePath("missing/closing.txt"), { "x" }));
    QFile file(name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("first\r\n"));
}

void PoolsCoreTest::fileWritesCrLfAndReadsTrimmed()
{
    QTemporaryDir dir;
    const QString name = dir.filePath("closing.txt");
    QVERIFY(PoolFile::writeLines(name, { "  +x+ 1x0 +x2 0x0 3x2 ", "1x1 1x1 1x1 0x0 0x0" }));
    QFile file(name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("+x+ 1x0 +x2 0x0 3x2\r\n1x1 1x1 1x1 0x0 0x0\r\n"));
    QCOMPARE(
        PoolFile::readLines(name), QStringList({ "+x+ 1x0 +x2 0x0 3x2", "1x1 1x1 1x1 0x0 0x0" }));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, PoolFile::readLines(dir.filePath("none.txt")));
}

QTEST_MAIN(PoolsCoreTest)
#include "pools_core_test.moc"
