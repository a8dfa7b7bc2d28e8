#include "engine/generate/line_format.h"
#include "engine/generate/line_store.h"
#include "engine/verify/verification_engine.h"

#include <QTest>
#include <random>

namespace {

QString randomLine(std::mt19937& rng, int k, int U, QChar separator = u' ')
{
    std::vector<int> pool(static_cast<std::size_t>(U));
    for (int i = 0; i < U; ++i)
        pool[static_cast<std::size_t>(i)] = i + 1;
    std::shuffle(pool.begin(), pool.end(), rng);
    pool.resize(static_cast<std::size_t>(k));
    std::sort(pool.begin(), pool.end());
    return LineFormat::numberLine(pool, separator);
}

// Runs the whole check, as the window does when nobody presses Parar.
QStringList runAll(
    const LineStore& closing, const LineStore& draws, const VerificationEngine::Setup& setup)
{
    LineStore report;
    VerificationEngine engine(closing, draws, report, setup);
    engine.begin();
    while (engine.drawsLeft() || engine.midDraw())
        engine.step(3); // small slices: draws are split across steps
    engine.beginTotals();
    while (engine.totalsLeft())
        engine.writeNextTotal();
    engine.writeSummary();
    return report.lines();
}

} // namespace

class VerificationEngineTest : public QObject
{
    Q_OBJECT
private slots:
    void tallyMatchesBruteForce_data();
    void tallyMatchesBruteForce();
    void summaryLines_data();
    void summaryLines();
    void detailLinesPerDrawAndTicket();
    void stopBetweenDrawsSummarisesWhatWasChecked();
    void detailStopsAtItsMemoryBoundButTotalsStayWhole();
};

void VerificationEngineTest::tallyMatchesBruteForce_data()
{
    QTest::addColumn<bool>("oddLines");
    QTest::addColumn<bool>("detail");
    QTest::newRow("regular lines, masks only") << false << false;
    QTest::newRow("odd lines take the literal path") << true << false;
    QTest::newRow("odd lines with detail") << true << true;
}

void VerificationEngineTest::tallyMatchesBruteForce()
{
    QFETCH(bool, oddLines);
    QFETCH(bool, detail);
    std::mt19937 rng(42);
    LineStore closing, draws;
    for (int i = 0; i < 40; ++i)
        closing.append(randomLine(rng, 6, 25, i % 3 ? u' ' : u'+'));
    for (int j = 0; j < 30; ++j)
        draws.append(randomLine(rng, 8, 25));
    if (oddLines) {
        closing.append(u" 01 01 02 03 04 05"); // a repeated number
        closing.append(u" 0102 03 04 05 06"); // a digit as separator
        draws.append(u" 01 02 __ 04 0  06 07 08"); // a typed draw with empty fields
        QVERIFY(closing.irregularCount() > 0);
    }
    VerificationEngine::Setup setup;
    setup.D = 8;
    setup.G = 4;
    setup.detail = detail;
    LineStore report;
    VerificationEngine engine(closing, draws, report, setup);
    engine.begin();
    while (engine.drawsLeft() || engine.midDraw())
        engine.step(7);

    std::array<std::int64_t, 101> expected {};
    qsizetype failures = 0;
    for (qsizetype j = 0; j < draws.size(); ++j) {
        bool guaranteed = false;
        for (qsizetype i = 0; i < closing.size(); ++i) {
            const int h = LineFormat::CountCommon(closing.line(i), draws.line(j));
            ++expected[static_cast<std::size_t>(h)];
            guaranteed = guaranteed || h >= setup.G;
        }
        failures += guaranteed ? 0 : 1;
    }
    QCOMPARE(engine.hitTally(), expected);
    QCOMPARE(engine.failures(), failures);
    QCOMPARE(engine.drawsChecked(), draws.size());
}

void VerificationEngineTest::summaryLines_data()
{
    QTest::addColumn<QStringList>("closing");
    QTest::addColumn<QStringList>("draws");
    QTest::addColumn<QStringList>("ending");
    const QStringList twoTickets { " 01 02 03", " 04 05 06" };
    QTest::newRow("all guaranteed")
        << twoTickets << QStringList { " 01 02 10", " 04 05 11" }
        << QStringList { "Garantia de fechamento em todos da amostragem." };
    QTest::newRow("none") << twoTickets << QStringList { " 07 08 09", " 01 08 09" }
                          << QStringList { "Amostragem sem garantia." };
    QTest::newRow("mixed") << twoTickets
                           << QStringList { " 01 02 10", " 07 08 09", " 04 05 06", " 10 11 12" }
                           << QStringList { "Garantia de fechamento em 2 da amostragem.",
                                  "Sem garantia em 2 da amostragem." };
    QTest::newRow("empty closing") << QStringList {} << QStringList { " 01 02 03" }
                                   << QStringList { "Amostragem sem garantia." };
    // Nothing checked claims no guarantee.
    QTest::newRow("empty sample") << twoTickets << QStringList {}
                                  << QStringList { "Nenhum resultado para conferir." };
}

void VerificationEngineTest::summaryLines()
{
    QFETCH(QStringList, closing);
    QFETCH(QStringList, draws);
    QFETCH(QStringList, ending);
    LineStore closingStore, drawStore;
    closingStore.setLines(closing);
    drawStore.setLines(draws);
    VerificationEngine::Setup setup;
    setup.D = 3;
    setup.G = 2;
    const QStringList report = runAll(closingStore, drawStore, setup);
    // Heading, one line per hit count 0..D, then the summary.
    QCOMPARE(report.size(), 1 + 4 + ending.size());
    QCOMPARE(report[0], QString("--- Conferência do Fechamento: "));
    QCOMPARE(report.mid(5), ending);
    std::int64_t pairs = 0;
    for (int h = 0; h <= 3; ++h) {
        const QString line = report[1 + h];
        QVERIFY2(
            line.endsWith(QStringLiteral(" bilhetes com %1 acerto(s)").arg(h)), qPrintable(line));
        pairs += line.section(u' ', 0, 0).toLongLong();
    }
    QCOMPARE(pairs, std::int64_t(closing.size()) * draws.size());
}

void VerificationEngineTest::detailLinesPerDrawAndTicket()
{
    LineStore closing, draws;
    closing.setLines({ " 01 02 03", " 04 05 06" });
    draws.setLines({ " 01 02 04", " 07 08 09" });
    VerificationEngine::Setup setup;
    setup.D = 3;
    setup.G = 2;
    setup.detail = true;
    setup.selectedLine = " 01 02 03 04 05 06";
    setup.selectedCount = "6";
    const QStringList report = runAll(closing, draws, setup);
    const QStringList expected {
        "--- Conferência em 6 dezenas:  01 02 03 04 05 06",
        "",
        "No 1º resultado o acerto foi de 3 dezena(s).",
        "--- Conferência de cada bilhete no resultado:  01 02 04",
        " 01 02 03 -> 2 acerto(s)",
        " 04 05 06 -> 1 acerto(s)",
        "",
        "No 2º resultado o acerto foi de 0 dezena(s).",
        "--- Conferência de cada bilhete no resultado:  07 08 09",
        " 01 02 03 -> 0 acerto(s)",
        " 04 05 06 -> 0 acerto(s)",
        "",
        "--- Conferência do Fechamento: ",
        "2 bilhetes com 0 acerto(s)",
        "1 bilhetes com 1 acerto(s)",
        "1 bilhetes com 2 acerto(s)",
        "0 bilhetes com 3 acerto(s)",
        "Garantia de fechamento em 1 da amostragem.",
        "Sem garantia em 1 da amostragem.",
    };
    QCOMPARE(report, expected);
}

void VerificationEngineTest::stopBetweenDrawsSummarisesWhatWasChecked()
{
    LineStore closing, draws;
    closing.setLines({ " 01 02 03" });
    draws.setLines({ " 07 08 09", " 01 02 03", " 01 02 03", " 01 02 03" });
    VerificationEngine::Setup setup;
    setup.D = 3;
    setup.G = 2;
    LineStore report;
    VerificationEngine engine(closing, draws, report, setup);
    engine.begin();
    engine.step();
    engine.step();
    QVERIFY(!engine.midDraw());
    QCOMPARE(engine.drawsChecked(), 2);
    engine.beginTotals();
    engine.writeSummary();
    const QStringList lines = report.lines();
    QCOMPARE(lines.mid(1),
        QStringList(
            { "Garantia de fechamento em 1 da amostragem.", "Sem garantia em 1 da amostragem.",
                "--- Conferência interrompida: 2 de 4 resultado(s) conferido(s)." }));
}

void VerificationEngineTest::detailStopsAtItsMemoryBoundButTotalsStayWhole()
{
    std::mt19937 rng(3);
    LineStore closing, draws;
    for (int i = 0; i < 50; ++i)
        closing.append(randomLine(rng, 5, 30));
    for (int j = 0; j < 50; ++j)
        draws.append(randomLine(rng, 5, 30));
    VerificationEngine::Setup setup;
    setup.D = 5;
    setup.G = 3;
    setup.detail = true;
    setup.detailByteLimit = 20'000;
    const QStringList report = runAll(closing, draws, setup);
    QVERIFY(report.size() < 2500);
    QCOMPARE(
        report.count(QStringLiteral("--- Detalhe interrompido: o relatório atingiu o limite de "
                                    "memória; os totais seguem completos.")),
        1);
    std::int64_t pairs = 0;
    for (const QString& line : report)
        if (line.contains(" bilhetes com ")) pairs += line.section(u' ', 0, 0).toLongLong();
    QCOMPARE(pairs, std::int64_t(2500));
}

QTEST_APPLESS_MAIN(VerificationEngineTest)
#include "verification_engine_test.moc"
