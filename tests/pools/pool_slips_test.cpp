#include "engine/base/random_source.h"
#include "pools/tform_gol.h"
#include "pools/tform_loteca.h"
#include "slips/rel_loteca.h"
#include "slips/rel_lotogol.h"
#include "slips/report_engine.h"
#include "slips/report_preview.h"
#include "support/app_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/ui_driver.h"
#include "ui/line_view.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace {

const QString simples = "0X0 00X 00X 0X0 X00 0X0 00X 00X 00X X00 X00 X00 X00 00X";

// Whether the centre of a band element is black on a page rendered at 96 dpi (one layout unit
// per pixel).
bool blackAt(const QImage& page, const PlacedBand& placed, const QRect& rect)
{
    const int x = qRound(placed.leftMm * 96 / 25.4) + rect.center().x();
    const int y = qRound(placed.topMm * 96 / 25.4) + rect.center().y();
    return qGray(page.pixel(x, y)) < 64;
}

QString setBoxes(QString line, int match, const QString& group)
{
    return line.replace(4 * (match - 1), 3, group);
}

// The slip numbers printed, page by page.
QList<QStringList> slipNumbers(const ReportLayout& layout, int numberLabel)
{
    QList<QStringList> pages(layout.pageCount);
    for (const PlacedBand& b : layout.bands)
        pages[b.page] << b.band.labels()[std::size_t(numberLabel)].caption;
    return pages;
}

} // namespace

class PoolSlipsTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void lotecaMarksOutcomeDoubleAndTripleBoxes_data();
    void lotecaMarksOutcomeDoubleAndTripleBoxes();
    void lotecaPages_data();
    void lotecaPages();
    void lotecaOfficialSlipHidesPrintedFurniture();
    void lotogolMarksScoresAndBetValue();
    void lotogolPages_data();
    void lotogolPages();
    void lotogolOfficialSlipHidesTitleAndMarks();
    void printButtonsOpenThePreview();
};

void PoolSlipsTest::init()
{
    ScriptedDialogs::install();
    RandomSource::instance().fixSeed(5);
}

void PoolSlipsTest::lotecaMarksOutcomeDoubleAndTripleBoxes_data()
{
    QTest::addColumn<QString>("ticket");
    QTest::newRow("double X0X on match 4") << setBoxes(simples, 4, "X0X");
    QTest::newRow("triple on match 14") << setBoxes(simples, 14, "XXX");
    QTest::newRow("lower-case x prints white") << setBoxes(simples, 1, "0x0");
    QTest::newRow("doubles and triples")
        << "XXX 0XX X0X XX0 X00 0X0 00X 00X 00X X00 X00 XXX X00 0XX";
}

void PoolSlipsTest::lotecaMarksOutcomeDoubleAndTripleBoxes()
{
    QFETCH(QString, ticket);
    TFormLoteca window;
    window.appendTicket(ticket);
    RelLoteca report(window.Memo1->store(), window.Edit12->text(), PrintSettings {});
    const ReportLayout layout = ReportEngine::layout(report);
    QCOMPARE(layout.pageCount, 1);
    QCOMPARE(int(layout.bands.size()), 1);
    const QImage page = ReportEngine::renderPage(layout, 0);
    const PlacedBand& slip = layout.bands[0];
    for (int g = 0; g < 14; ++g) {
        const int top = RelLoteca::rowTops[std::size_t(g)];
        int bets = 0;
        for (int c = 0; c < 3; ++c) {
            const bool bet = ticket[4 * g + c] == u'X';
            bets += bet;
            QVERIFY2(blackAt(page, slip, QRect(RelLoteca::outcomeLefts[std::size_t(c)], top, 16, 9))
                    == bet,
                qPrintable(QString("match %1 outcome %2").arg(g + 1).arg(c + 1)));
        }
        QCOMPARE(blackAt(page, slip, QRect(RelLoteca::doubleLeft, top, 16, 9)), bets == 2);
        QCOMPARE(blackAt(page, slip, QRect(RelLoteca::tripleLeft, top, 16, 9)), bets == 3);
        // Plain paper prints every edge mark.
        QVERIFY(blackAt(page, slip, QRect(2, RelLoteca::markTops[std::size_t(g)], 13, 9)));
    }
}

void PoolSlipsTest::lotecaPages_data()
{
    QTest::addColumn<int>("tickets");
    QTest::addColumn<bool>("official");
    QTest::addColumn<QList<QStringList>>("numbers");
    QTest::newRow("five on plain paper")
        << 5 << false << QList<QStringList> { { "1", "2", "3", "4" }, { "5" } };
    QTest::newRow("three on official slips")
        << 3 << true << QList<QStringList> { { "1" }, { "2" }, { "3" } };
}

void PoolSlipsTest::lotecaPages()
{
    QFETCH(int, tickets);
    QFETCH(bool, official);
    QFETCH(QList<QStringList>, numbers);
    TFormLoteca window;
    for (int i = 0; i < tickets; ++i)
        window.appendTicket(simples);
    PrintSettings settings;
    settings.officialSlip = official;
    RelLoteca report(window.Memo1->store(), window.Edit12->text(), settings);
    const ReportLayout layout = ReportEngine::layout(report);
    QCOMPARE(slipNumbers(layout, 1), numbers);
    if (!official) {
        // Down the first column, then the second.
        QCOMPARE(layout.bands[0].column, 0);
        QCOMPARE(layout.bands[1].column, 0);
        QCOMPARE(layout.bands[2].column, 1);
        QCOMPARE(layout.bands[0].leftMm, 35.5);
        QCOMPARE(layout.bands[0].topMm, 7.0);
    } else {
        QCOMPARE(layout.bands[0].leftMm, 64.0);
        QCOMPARE(layout.bands[0].topMm, 0.0);
    }
    // A second run (a print from the preview) starts again with the first ticket.
    QCOMPARE(slipNumbers(ReportEngine::layout(report), 1), numbers);
}

void PoolSlipsTest::lotecaOfficialSlipHidesPrintedFurniture()
{
    TFormLoteca window;
    window.appendTicket(simples);
    window.Edit12->setText("BOLAO DA FIRMA");
    PrintSettings settings;
    settings.officialSlip = true;
    RelLoteca report(window.Memo1->store(), window.Edit12->text(), settings);
    const ReportLayout layout = ReportEngine::layout(report);
    const QImage page = ReportEngine::renderPage(layout, 0);
    const PlacedBand& slip = layout.bands[0];
    QVERIFY(blackAt(page, slip, QRect(2, 137, 13, 9)));
    for (int g = 1; g < 14; ++g)
        QVERIFY(!blackAt(page, slip, QRect(2, RelLoteca::markTops[std::size_t(g)], 13, 9)));
    for (int left : { 2, 20, 42, 91, 139, 163, 188 })
        QVERIFY(!blackAt(page, slip, QRect(left, 88, 13, 8)));
    const auto& labels = slip.band.labels();
    QCOMPARE(labels[2].caption, QString("BOLAO DA FIRMA"));
    QCOMPARE(labels[2].color, QColor(Qt::white));
    QCOMPARE(labels[0].caption, QString("LOTECA"));
    QCOMPARE(labels[0].color, QColor(Qt::black));
    QCOMPARE(labels[3].caption, QString("Gerado pelo QUIRVA"));
    QCOMPARE(slip.band.shapes()[0].pen, PenStyle::Clear);
    QCOMPARE(slip.band.height(), 700);
}

void PoolSlipsTest::lotogolMarksScoresAndBetValue()
{
    TFormGOL window;
    window.appendTicket("+x+ 1x0 +x2 0x0 3x2");
    window.appendTicket("4x0 1x0 +x2 0x0 3x2");
    window.ComboBox2->setCurrentText("R$ 1,00");
    RelLotogol report(window.Memo1->store(), window.Edit12->text(), window.ComboBox2->currentText(),
        PrintSettings {});
    const ReportLayout layout = ReportEngine::layout(report);
    QCOMPARE(int(layout.bands.size()), 2);
    const QImage page = ReportEngine::renderPage(layout, 0);
    const QString expected[2] = { "++10+20032", "4010+20032" };
    for (int s = 0; s < 2; ++s) {
        const PlacedBand& slip = layout.bands[std::size_t(s)];
        for (int r = 0; r < 10; ++r)
            for (int k = 0; k < 5; ++k) {
                const bool bet = expected[s][r] == QChar(lotogolScores[std::size_t(k)]);
                const QRect box(RelLotogol::scoreLefts[std::size_t(k)],
                    RelLotogol::rowTops[std::size_t(r)], 16, 9);
                QVERIFY2(blackAt(page, slip, box) == bet,
                    qPrintable(QString("slip %1 row %2 score %3").arg(s + 1).arg(r + 1).arg(k)));
            }
        QVERIFY(!blackAt(page, slip, QRect(162, 376, 16, 9)));
        QVERIFY(blackAt(page, slip, QRect(187, 376, 16, 9)));
        QVERIFY(!blackAt(page, slip, QRect(210, 376, 16, 9)));
        QVERIFY(blackAt(page, slip, QRect(2, 380, 12, 8)));
        QCOMPARE(slip.band.labels()[4].caption, window.Memo1->store().line(s));
    }
}

void PoolSlipsTest::lotogolPages_data()
{
    QTest::addColumn<int>("tickets");
    QTest::addColumn<bool>("official");
    QTest::addColumn<QList<QStringList>>("numbers");
    QTest::newRow("seven on plain paper")
        << 7 << false << QList<QStringList> { { "1", "2", "3", "4" }, { "5", "6", "7" } };
    QTest::newRow("two on official slips") << 2 << true << QList<QStringList> { { "1" }, { "2" } };
}

void PoolSlipsTest::lotogolPages()
{
    QFETCH(int, tickets);
    QFETCH(bool, official);
    QFETCH(QList<QStringList>, numbers);
    TFormGOL window;
    for (int i = 0; i < tickets; ++i)
        window.appendTicket("+x+ 1x0 +x2 0x0 3x2");
    PrintSettings settings;
    settings.officialSlip = official;
    RelLotogol report(
        window.Memo1->store(), window.Edit12->text(), window.ComboBox2->currentText(), settings);
    const ReportLayout layout = ReportEngine::layout(report);
    QCOMPARE(slipNumbers(layout, 1), numbers);
    QCOMPARE(layout.bands[0].leftMm, official ? 64.0 : 35.5);
}

void PoolSlipsTest::lotogolOfficialSlipHidesTitleAndMarks()
{
    TFormGOL window;
    window.appendTicket("+x+ 1x0 +x2 0x0 3x2");
    window.Edit12->setText("Grupo");
    PrintSettings settings;
    settings.officialSlip = true;
    settings.leftMarginMm = 50;
    settings.topMarginMm = 3;
    RelLotogol report(
        window.Memo1->store(), window.Edit12->text(), window.ComboBox2->currentText(), settings);
    const ReportLayout layout = ReportEngine::layout(report);
    const QImage page = ReportEngine::renderPage(layout, 0);
    const PlacedBand& slip = layout.bands[0];
    QCOMPARE(slip.leftMm, 50.0);
    QCOMPARE(slip.topMm, 3.0);
    for (int r = 0; r < 10; ++r)
        QVERIFY(!blackAt(page, slip, QRect(2, RelLotogol::markTops[std::size_t(r)], 12, 8)));
    QVERIFY(!blackAt(page, slip, QRect(2, 380, 12, 8)));
    for (int left : { 2, 19, 67, 115, 163 })
        QVERIFY(!blackAt(page, slip, QRect(left, 93, 12, 8)));
    QVERIFY(blackAt(page, slip, QRect(162, 376, 16, 9))); // the default value R$ 0,50
    const auto& labels = slip.band.labels();
    QCOMPARE(labels[0].color, QColor(Qt::white));
    QCOMPARE(labels[2].caption, QString("Grupo"));
    QCOMPARE(labels[2].color, QColor(Qt::black));
    QCOMPARE(labels[4].caption, QString("+x+ 1x0 +x2 0x0 3x2"));
}

void PoolSlipsTest::printButtonsOpenThePreview()
{
    QStringList seen;
    ReportPreview::setHandler([&](QWidget*, SlipReport& report) {
        seen << report.name() + ":" + QString::number(ReportEngine::layout(report).pageCount);
    });
    TFormLoteca loteca;
    for (int i = 0; i < 6; ++i)
        loteca.appendTicket(simples);
    Ui::click(&loteca, "Button6");
    TFormGOL gol;
    gol.appendTicket("+x+ 1x0 +x2 0x0 3x2");
    Ui::click(&gol, "Button6");
    ReportPreview::setHandler({});
    QCOMPARE(seen, QStringList({ "RelLoteca:2", "RelLotogol:1" }));
}

QTEST_MAIN(PoolSlipsTest)
#include "pool_slips_test.moc"
