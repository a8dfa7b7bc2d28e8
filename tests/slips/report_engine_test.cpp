#include "slips/report_engine.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A report of `count` bands, each with one black box whose left grows with the band number,
// and an optional official-style set-up done in BeforePrint.
class CountingReport : public SlipReport
{
public:
    CountingReport(int count, bool official = false)
        : SlipReport(QStringLiteral("RelTeste"), 311, 529)
        , count_(count)
        , official_(official)
        , box_(band().addShape(QRect(10, 10, 20, 10)))
        , caption_(band().addLabel(QRect(100, 100, 100, 15), QString(), 8))
    {
        addOutline(310, 528);
    }
    void BeforePrint() override
    {
        ++beforePrintCalls;
        cursor_ = 0;
        if (official_) setUpOfficialSlip(64, 0);
    }
    void NeedData(bool& more) override
    {
        moreSeen.push_back(more);
        box_.rect.moveLeft(10 + 30 * (cursor_ % 8));
        caption_.caption = QString::number(cursor_ + 1);
        if (cursor_ < count_) more = true;
        ++cursor_;
    }
    qsizetype bandCount() const override { return std::max(count_, 1); }
    void seekBand(qsizetype index) override { cursor_ = int(index); }
    int beforePrintCalls = 0;
    std::vector<bool> moreSeen;

private:
    int count_, official_;
    int cursor_ = 0;
    ReportShape& box_;
    ReportLabel& caption_;
};

int pdfPageCount(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QString text = QString::fromLatin1(file.readAll());
    return int(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))));
}

bool black(const QImage& image, double xMm, double yMm, int dx = 0, int dy = 0)
{
    const int x = qRound(xMm * 96 / 25.4) + dx, y = qRound(yMm * 96 / 25.4) + dy;
    return qGray(image.pixel(x, y)) < 64;
}

} // namespace

class ReportEngineTest : public QObject
{
    Q_OBJECT
private slots:
    void bandsFillColumnsThenPages_data();
    void bandsFillColumnsThenPages();
    void protocolCallsBeforePrintOnceAndMoreTrueFirst();
    void eachRunStartsFromTheDesign();
    void rendersShapesAtTheirUnitsFromThePaperEdge();
    void pdfHasOnePagePerLaidOutPage();
    void stoppedPdfLeavesNoFile();
    void pdfToAnUnwritablePlaceFails();
    void printingWithoutAPrinterReportsIt();
};

void ReportEngineTest::bandsFillColumnsThenPages_data()
{
    QTest::addColumn<int>("bands");
    QTest::addColumn<bool>("official");
    QTest::addColumn<int>("pages");
    QTest::newRow("one plain") << 1 << false << 1;
    QTest::newRow("four plain, one page") << 4 << false << 1;
    QTest::newRow("five plain") << 5 << false << 2;
    QTest::newRow("seven official") << 7 << true << 7;
}

void ReportEngineTest::bandsFillColumnsThenPages()
{
    QFETCH(int, bands);
    QFETCH(bool, official);
    QFETCH(int, pages);
    CountingReport report(bands, official);
    const ReportLayout layout = ReportEngine::layout(report);
    QCOMPARE(layout.pageCount, pages);
    QCOMPARE(int(layout.bands.size()), bands);
    const double bandHeight = (official ? 700 : 529) * kMillimetresPerUnit;
    for (int i = 0; i < bands; ++i) {
        const PlacedBand& b = layout.bands[std::size_t(i)];
        if (official) {
            QCOMPARE(b.page, i);
            QCOMPARE(b.leftMm, 64.0);
            QCOMPARE(b.topMm, 0.0);
        } else {
            // Down the left column, then down the right one.
            QCOMPARE(b.page, i / 4);
            QCOMPARE(b.column, (i % 4) / 2);
            QCOMPARE(b.topMm, 7.0 + (i % 2) * bandHeight);
            const double columnWidth = (210.0 - 35.5 - 10.0 - 0.1) / 2;
            QCOMPARE(b.leftMm, 35.5 + b.column * (columnWidth + 0.1));
        }
    }
    // Each page painted alone, as the preview paints it, is that page of the whole run.
    const ReportPages alone = ReportEngine::paginate(report);
    QCOMPARE(alone.pageCount, pages);
    for (int p = 0; p < pages; ++p)
        QCOMPARE(ReportEngine::renderPage(report, alone, p, 48),
            ReportEngine::renderPage(layout, p, 48));
}

void ReportEngineTest::protocolCallsBeforePrintOnceAndMoreTrueFirst()
{
    CountingReport report(3);
    ReportEngine::layout(report);
    QCOMPARE(report.beforePrintCalls, 1);
    // Three bands and the closing call that leaves `more` false.
    QCOMPARE(report.moreSeen, (std::vector<bool> { true, false, false, false }));
}

void ReportEngineTest::eachRunStartsFromTheDesign()
{
    CountingReport report(2, true);
    ReportEngine::layout(report);
    QCOMPARE(report.page().columns, 1);
    QCOMPARE(report.band().height(), 700);
    // The second run sees the design again before its BeforePrint changes it.
    int columnsSeen = -1;
    class Probe : public CountingReport
    {
    public:
        using CountingReport::CountingReport;
        int* seen = nullptr;
        void BeforePrint() override
        {
            *seen = page().columns;
            CountingReport::BeforePrint();
        }
    } probe(2, true);
    probe.seen = &columnsSeen;
    ReportEngine::layout(probe);
    QCOMPARE(columnsSeen, 2);
    ReportEngine::layout(probe);
    QCOMPARE(columnsSeen, 2);
    QCOMPARE(probe.page().leftMm, 64.0);
}

void ReportEngineTest::rendersShapesAtTheirUnitsFromThePaperEdge()
{
    CountingReport report(2);
    const ReportLayout layout = ReportEngine::layout(report);
    const QImage page = ReportEngine::renderPage(layout, 0);
    QCOMPARE(page.size(), QSize(794, 1123));
    const double left = 35.5, top = 7.0;
    const double secondTop = top + 529 * kMillimetresPerUnit;
    // Band 1: box at units 10..30 x 10..20; band 2 moved 30 units right.
    QVERIFY(black(page, left, top, 15, 15));
    QVERIFY(!black(page, left, top, 45, 15));
    QVERIFY(black(page, left, secondTop, 45, 15));
    QVERIFY(!black(page, left, secondTop, 15, 15));
    // Outside every band the paper stays white.
    QVERIFY(!black(page, 10, 10));
}

void ReportEngineTest::pdfHasOnePagePerLaidOutPage()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath("slips.pdf");
    CountingReport report(9);
    QString error;
    QVERIFY(ReportEngine::writePdf(report, fileName, &error));
    QCOMPARE(pdfPageCount(fileName), 3);
    QCOMPARE(report.beforePrintCalls, 1);
}

void ReportEngineTest::stoppedPdfLeavesNoFile()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath("slips.pdf");
    CountingReport report(9);
    QString error = "?";
    QList<int> pulses;
    QVERIFY(!ReportEngine::writePdf(report, fileName, &error, [&](int done, int count) {
        pulses << done << count;
        return done < 2;
    }));
    QCOMPARE(pulses, (QList<int> { 1, 3, 2, 3 }));
    QVERIFY(error.isEmpty());
    QVERIFY(!QFile::exists(fileName));
}

void ReportEngineTest::pdfToAnUnwritablePlaceFails()
{
    CountingReport report(1);
    QString error;
    QVERIFY(!ReportEngine::writePdf(report, "/nonexistent-folder/x/slips.pdf", &error));
    QVERIFY(error.contains("/nonexistent-folder/x/slips.pdf"));
}

void ReportEngineTest::printingWithoutAPrinterReportsIt()
{
    CountingReport report(1);
    QPrinter printer;
    // What Qt gives when no printer is installed.
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString());
    QString error;
    QVERIFY(!ReportEngine::print(report, printer, &error));
    QCOMPARE(error, QString("Não foi possível imprimir: nenhuma impressora instalada."));
}

QTEST_MAIN(ReportEngineTest)
#include "report_engine_test.moc"
