#include "engine/generate/line_format.h"
#include "engine/generate/line_store.h"
#include "engine/verify/ticket_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString writeFile(const QTemporaryDir& dir, const QByteArray& bytes)
{
    static int counter = 0;
    const QString path = dir.filePath(QStringLiteral("f%1.txt").arg(++counter));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write test file");
    file.write(bytes);
    return path;
}

struct ReadResult {
    bool opened = false;
    bool valid = false;
    QStringList lines;
    QList<TicketLineCheck::Verdict> verdicts;
};

ReadResult readAll(const QString& path, int k)
{
    ReadResult result;
    TicketFileReader reader(path, 3 * k + 4);
    result.opened = reader.open();
    if (!result.opened) return result;
    result.valid = ReadTicketFile(reader, k, [&](QStringView line, const TicketLineCheck& check) {
        result.lines << line.toString();
        result.verdicts << check.verdict;
    });
    return result;
}

} // namespace

class TicketFileTest : public QObject
{
    Q_OBJECT
private slots:
    void savesTrimmedLinesWithCrLf();
    void saveThenReadGivesTheSameLines();
    void readsOddLayouts_data();
    void readsOddLayouts();
    void refusesInvalidFiles_data();
    void refusesInvalidFiles();
    void invalidLineEndsTheReading();
    void regularFlagAgreesWithTheLineAnalysis_data();
    void regularFlagAgreesWithTheLineAnalysis();
    void hugeSingleLineIsRefusedWithinItsBound();
    void longTrailingBlanksDoNotMakeALineInvalid();
    void saveFailureReportsAndKeepsTheOldFile();
    void sortOrdersByCharacterCodeAndDropsRepeats_data();
    void sortOrdersByCharacterCodeAndDropsRepeats();
    void invalidFileMessageNamesKAndItsLength();
};

void TicketFileTest::savesTrimmedLinesWithCrLf()
{
    QTemporaryDir dir;
    LineStore store;
    store.append(u" 01 02 03 04 05");
    store.append(u"  06;07;08;09;10  ");
    const QString path = dir.filePath("out.txt");
    QVERIFY(TicketFile::save(path, store));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("01 02 03 04 05\r\n06;07;08;09;10\r\n"));
}

void TicketFileTest::saveThenReadGivesTheSameLines()
{
    QTemporaryDir dir;
    LineStore store;
    const QStringList lines { " 01 02 03 04 00", " 10+20+30+40+50", " 05-06-07-08-99" };
    store.setLines(lines);
    const QString path = dir.filePath("round.txt");
    QVERIFY(TicketFile::save(path, store));
    const ReadResult read = readAll(path, 5);
    QVERIFY(read.valid);
    QCOMPARE(read.lines, lines);
}

void TicketFileTest::readsOddLayouts_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("mixed separators")
        << QByteArray(" 01x03+07 10 23\r\n") << QStringList { " 01x03+07 10 23" };
    QTest::newRow("LF only, no final line end") << QByteArray(
        "01 02 03 04 05\n06 07 08 09 10") << QStringList { " 01 02 03 04 05", " 06 07 08 09 10" };
    QTest::newRow("CR only") << QByteArray("01 02 03 04 05\r06 07 08 09 10\r")
                             << QStringList { " 01 02 03 04 05", " 06 07 08 09 10" };
    QTest::newRow("tabs and control characters around")
        << QByteArray("\t 01 02 03 04 05 \x01\r\n") << QStringList { " 01 02 03 04 05" };
    QTest::newRow("empty file") << QByteArray() << QStringList {};
}

void TicketFileTest::readsOddLayouts()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QTemporaryDir dir;
    const ReadResult read = readAll(writeFile(dir, bytes), 5);
    QVERIFY(read.valid);
    QCOMPARE(read.lines, lines);
}

void TicketFileTest::refusesInvalidFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("verdict");
    const int wrongLength = int(TicketLineCheck::Verdict::WrongLength);
    const int badField = int(TicketLineCheck::Verdict::BadField);
    QTest::newRow("four numbers") << QByteArray("01 02 03 04\r\n") << wrongLength;
    QTest::newRow("six numbers") << QByteArray("01 02 03 04 05 06\r\n") << wrongLength;
    QTest::newRow("separator in front gets a blank too")
        << QByteArray("-01-02-03x04-05\r\n") << wrongLength;
    QTest::newRow("letters") << QByteArray("01 02 AB 04 05\r\n") << badField;
    QTest::newRow("negative number") << QByteArray("01 02 -1 04 05\r\n") << badField;
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << wrongLength;
    QTest::newRow("high bytes") << QByteArray("01 02 \xe9\xe9 04 05\r\n") << badField;
}

void TicketFileTest::refusesInvalidFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, verdict);
    QTemporaryDir dir;
    const ReadResult read = readAll(writeFile(dir, bytes), 5);
    QVERIFY(!read.valid);
    QVERIFY(!read.verdicts.isEmpty());
    QCOMPARE(int(read.verdicts.back()), verdict);
}

void TicketFileTest::invalidLineEndsTheReading()
{
    QTemporaryDir dir;
    const ReadResult read
        = readAll(writeFile(dir, "01 02 03 04 05\r\n01 02\r\n06 07 08 09 10\r\n"), 5);
    QVERIFY(!read.valid);
    QCOMPARE(read.lines.size(), 2);
}

void TicketFileTest::regularFlagAgreesWithTheLineAnalysis_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("plain") << " 01 02 03 04 00";
    QTest::newRow("odd separators") << " 01x03+07-10;23";
    QTest::newRow("digit as separator") << " 01002 03 04 05";
    QTest::newRow("repeated number") << " 01 02 02 04 05";
    QTest::newRow("blank inside a field") << " 01  2 03 04 05";
    QTest::newRow("sign inside a field") << " 01 +2 03 04 05";
}

void TicketFileTest::regularFlagAgreesWithTheLineAnalysis()
{
    QFETCH(QString, line);
    const TicketLineCheck check = checkTicketLine(line, 5);
    QVERIFY(check.valid());
    const LineFormat::LineInfo info = LineFormat::analyse(line);
    QCOMPARE(check.regular, info.regular);
    if (check.regular) QCOMPARE(check.numbers, info.mask);
}

void TicketFileTest::hugeSingleLineIsRefusedWithinItsBound()
{
    QTemporaryDir dir;
    QByteArray bytes(5'000'000, '7');
    bytes += "\r\n01 02 03 04 05\r\n";
    const ReadResult read = readAll(writeFile(dir, bytes), 5);
    QVERIFY(!read.valid);
    QCOMPARE(read.lines.size(), 1);
    QVERIFY(read.lines[0].size() <= 3 * 5 + 5);
    QCOMPARE(read.verdicts[0], TicketLineCheck::Verdict::WrongLength);
}

void TicketFileTest::longTrailingBlanksDoNotMakeALineInvalid()
{
    QTemporaryDir dir;
    QByteArray bytes("01 02 03 04 05");
    bytes += QByteArray(100'000, ' ');
    bytes += "\r\n";
    const ReadResult read = readAll(writeFile(dir, bytes), 5);
    QVERIFY(read.valid);
    QCOMPARE(read.lines, QStringList { " 01 02 03 04 05" });
}

void TicketFileTest::saveFailureReportsAndKeepsTheOldFile()
{
    QTemporaryDir dir;
    LineStore store;
    store.append(u" 01 02 03");
    // A folder where the file should be cannot be replaced by a file.
    QVERIFY(QDir(dir.path()).mkdir("taken"));
    QVERIFY(!TicketFile::save(dir.filePath("taken"), store));
    QVERIFY(QFileInfo(dir.filePath("taken")).isDir());
    QVERIFY(!TicketFile::save(dir.filePath("missing/folder/x.txt"), store));
}

void TicketFileTest::sortOrdersByCharacterCodeAndDropsRepeats_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("00 sorts first")
        << QStringList { " 01 02 03", " 01 02 00" } << QStringList { " 01 02 00", " 01 02 03" };
    QTest::newRow("three equal tickets collapse") << QStringList { " 05 06", " 01 02", " 05 06",
        " 05 06" } << QStringList { " 01 02", " 05 06" };
    QTest::newRow("prefix first, separators by code") << QStringList { " 01+02", " 01 02 03",
        " 01 02", " 01-02" } << QStringList { " 01 02", " 01 02 03", " 01+02", " 01-02" };
}

void TicketFileTest::sortOrdersByCharacterCodeAndDropsRepeats()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, sorted);
    LineStore store;
    store.setLines(lines);
    TicketFile::sortUnique(store);
    QCOMPARE(store.lines(), sorted);
    for (qsizetype i = 0; i < store.size(); ++i)
        QCOMPARE(store.mask(i), LineFormat::analyse(store.line(i)).mask);
}

void TicketFileTest::invalidFileMessageNamesKAndItsLength()
{
    const QString message = TicketFile::invalidFileMessage(20);
    QVERIFY(message.contains("tem que ter 20 dezenas antecedidas"));
    QVERIFY(message.contains("tem que conter 60 cacacteres por linha. \r\r"));
    QVERIFY(message.endsWith("linha:\r-01-02-03x04-05\r 01x03+07 10 23"));
}

QTEST_APPLESS_MAIN(TicketFileTest)
#include "ticket_file_test.moc"
