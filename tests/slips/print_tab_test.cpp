#include "slips/page_view.h"
#include "slips/print_tab.h"
#include "slips/report_engine.h"
#include "slips/report_preview.h"
#include "support/app_fixture.h"
#include "support/ui_driver.h"
#include "support/ui_find.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList tickets(int count, int numbers)
{
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        QString line;
        for (int n = 1; n <= numbers; ++n)
            line += QLatin1Char(' ') + QString::asprintf("%02d", n % 100);
        lines << line;
    }
    return lines;
}

int pdfPageCount(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QString text = QString::fromLatin1(file.readAll());
    return int(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))));
}

// Stands in for the modal preview: lays the report out as the dialog would, twice (the
// preview's run and a print), and keeps what it saw.
struct PreviewSpy {
    QStringList reports;
    ReportLayout firstRun, secondRun;
    QString pdfFile;
    PreviewSpy()
    {
        ReportPreview::setHandler([this](QWidget*, SlipReport& report) {
            reports << report.name();
            firstRun = ReportEngine::layout(report);
            secondRun = ReportEngine::layout(report);
            if (!pdfFile.isEmpty()) ReportEngine::writePdf(report, pdfFile);
        });
    }
    ~PreviewSpy() { ReportPreview::setHandler({}); }
};

} // namespace

class PrintTabTest : public QObject
{
    Q_OBJECT
private slots:
    void startsWithTheDefaults();
    void refusals_data();
    void refusals();
    void choosesTheSlipByModalityAndLineLength_data();
    void choosesTheSlipByModalityAndLineLength();
    void leavingAMarginFieldClampsAndMovesTheBar_data();
    void leavingAMarginFieldClampsAndMovesTheBar();
    void nonIntegerMarginLeavesTheBar();
    void officialPrintUsesTheBarsNotTheFields();
    void everyRunStartsAtTheFirstLine();
    void megasenaClosingToPdf_data();
    void megasenaClosingToPdf();
    void identificationIsUpperCaseAndLimited();
    void savingAPdfFromThePreview();
    void previewOfALargeClosingKeepsOnlyThePagesInSight();
};

void PrintTabTest::startsWithTheDefaults()
{
    MainWindowFixture f;
    f.start();
    PrintTab* tab = PrintTab::of(*f.form);
    QVERIFY(tab);
    QCOMPARE(Ui::find<QSlider>(f.form.get(), "TrackBar1")->value(), 64);
    QCOMPARE(Ui::find<QSlider>(f.form.get(), "TrackBar2")->value(), 0);
    QCOMPARE(Ui::text(f.form.get(), "Edit45"), QString("64"));
    QCOMPARE(Ui::text(f.form.get(), "Edit46"), QString("0"));
    QVERIFY(!Ui::find<QCheckBox>(f.form.get(), "CheckBox10")->isChecked());
    QCOMPARE(
        Ui::find<QPushButton>(f.form.get(), "Button12")->text(), QString("Imprimir Fechamento"));
    Ui::find<QSlider>(f.form.get(), "TrackBar2")->setValue(-15);
    QCOMPARE(Ui::text(f.form.get(), "Edit46"), QString("-15"));
}

void PrintTabTest::refusals_data()
{
    QTest::addColumn<QString>("modality");
    QTest::addColumn<QStringList>("closing");
    QTest::addColumn<bool>("running");
    QTest::addColumn<QString>("message");
    const QString unavailable = "Impressão não disponível para essta modalidade.";
    QTest::newRow("running, even with no closing")
        << "RadioButton3" << QStringList {} << true << "Aperte PARAR para poder imprimir.";
    QTest::newRow("empty closing") << "RadioButton3" << QStringList {} << false
                                   << "Não há combinações disponíveis para a impressão.";
    QTest::newRow("megasena five numbers")
        << "RadioButton3" << tickets(2, 5) << false << unavailable;
    QTest::newRow("quina eight numbers") << "RadioButton5" << tickets(2, 8) << false << unavailable;
    QTest::newRow("lotomania twenty numbers")
        << "RadioButton1" << tickets(2, 20) << false << unavailable;
    QTest::newRow("lotofacil sixteen numbers")
        << "RadioButton2" << tickets(2, 16) << false << unavailable;
    QTest::newRow("outros") << "RadioButton6" << tickets(2, 6) << false << unavailable;
}

void PrintTabTest::refusals()
{
    QFETCH(QString, modality);
    QFETCH(QStringList, closing);
    QFETCH(bool, running);
    QFETCH(QString, message);
    MainWindowFixture f;
    f.start();
    PreviewSpy spy;
    Ui::click(f.form.get(), modality);
    Ui::closing(f.form.get()).setLines(closing);
    f.form->stopFlag = !running;
    f.dialogs->messages.clear();
    Ui::click(f.form.get(), "Button12");
    QCOMPARE(f.dialogs->messages, QStringList { message });
    QVERIFY(spy.reports.isEmpty());
    f.form->stopFlag = true;
}

void PrintTabTest::choosesTheSlipByModalityAndLineLength_data()
{
    QTest::addColumn<QString>("modality");
    QTest::addColumn<int>("numbers");
    QTest::addColumn<QString>("report");
    QTest::newRow("lotomania 50") << "RadioButton1" << 50 << "RelLotomania";
    QTest::newRow("lotofacil 15") << "RadioButton2" << 15 << "RelLotofacil";
    QTest::newRow("megasena 6") << "RadioButton3" << 6 << "RelMegasena";
    QTest::newRow("megasena 15") << "RadioButton3" << 15 << "RelMegasena";
    QTest::newRow("duplasena 6") << "RadioButton4" << 6 << "RelDuplasena";
    QTest::newRow("duplasena 15") << "RadioButton4" << 15 << "RelDuplasena";
    QTest::newRow("quina 5") << "RadioButton5" << 5 << "RelQuina";
    QTest::newRow("quina 7") << "RadioButton5" << 7 << "RelQuina";
}

void PrintTabTest::choosesTheSlipByModalityAndLineLength()
{
    QFETCH(QString, modality);
    QFETCH(int, numbers);
    QFETCH(QString, report);
    MainWindowFixture f;
    f.start();
    PreviewSpy spy;
    Ui::click(f.form.get(), modality);
    Ui::closing(f.form.get()).setLines(tickets(5, numbers));
    f.dialogs->messages.clear();
    Ui::click(f.form.get(), "Button12");
    QVERIFY(f.dialogs->messages.isEmpty());
    QCOMPARE(spy.reports, QStringList { report });
}

void PrintTabTest::leavingAMarginFieldClampsAndMovesTheBar_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("left above") << "Edit45"
                                << "TrackBar1"
                                << "250"
                                << "200";
    QTest::newRow("left below") << "Edit45"
                                << "TrackBar1"
                                << "-300"
                                << "-200";
    QTest::newRow("left leading zeros") << "Edit45"
                                        << "TrackBar1"
                                        << "007"
                                        << "7";
    QTest::newRow("top inside") << "Edit46"
                                << "TrackBar2"
                                << "-12"
                                << "-12";
    QTest::newRow("top above") << "Edit46"
                               << "TrackBar2"
                               << "201"
                               << "200";
    QTest::newRow("top unmoved, rewritten") << "Edit46"
                                            << "TrackBar2"
                                            << "+0"
                                            << "0";
}

void PrintTabTest::leavingAMarginFieldClampsAndMovesTheBar()
{
    QFETCH(QString, field);
    QFETCH(QString, bar);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    MainWindowFixture f;
    f.start();
    Ui::type(f.form.get(), field, typed);
    QCOMPARE(Ui::text(f.form.get(), field), shown);
    QCOMPARE(Ui::find<QSlider>(f.form.get(), bar)->value(), shown.toInt());
    QVERIFY(f.dialogs->messages.isEmpty());
}

void PrintTabTest::nonIntegerMarginLeavesTheBar()
{
    MainWindowFixture f;
    f.start();
    Ui::type(f.form.get(), "Edit45", "6a");
    QCOMPARE(f.dialogs->lastMessage(), QString("'6a' is not a valid integer value"));
    QCOMPARE(Ui::find<QSlider>(f.form.get(), "TrackBar1")->value(), 64);
    QCOMPARE(Ui::text(f.form.get(), "Edit45"), QString("6a"));
    QVERIFY(f.form->stopFlag);
}

void PrintTabTest::officialPrintUsesTheBarsNotTheFields()
{
    MainWindowFixture f;
    f.start();
    PreviewSpy spy;
    Ui::click(f.form.get(), "RadioButton3");
    Ui::closing(f.form.get()).setLines(tickets(7, 6));
    Ui::find<QCheckBox>(f.form.get(), "CheckBox10")->setChecked(true);
    Ui::find<QSlider>(f.form.get(), "TrackBar2")->setValue(5);
    // Typed but not left: the bar keeps 64.
    Ui::find<QLineEdit>(f.form.get(), "Edit45")->setText("20");
    Ui::click(f.form.get(), "Button12");
    QCOMPARE(spy.firstRun.pageCount, 3);
    for (const PlacedBand& band : spy.firstRun.bands) {
        QCOMPARE(band.leftMm, 64.0);
        QCOMPARE(band.topMm, 5.0);
    }
}

void PrintTabTest::everyRunStartsAtTheFirstLine()
{
    MainWindowFixture f;
    f.start();
    PreviewSpy spy;
    Ui::click(f.form.get(), "RadioButton2");
    Ui::closing(f.form.get()).setLines(tickets(3, 15));
    Ui::find<QComboBox>(f.form.get(), "ComboBox2")->setCurrentText("4");
    Ui::click(f.form.get(), "Button12");
    QCOMPARE(spy.firstRun.bands.size(), std::size_t(2));
    QCOMPARE(spy.secondRun.bands.size(), std::size_t(2));
    for (const ReportLayout* run : { &spy.firstRun, &spy.secondRun }) {
        QCOMPARE(run->bands[0].band.labels()[1].caption, QString("1 e 2"));
        QCOMPARE(run->bands[1].band.labels()[1].caption, QString("3"));
    }
    // Teimosinha "4" marks its box on every slip.
    const QImage page = ReportEngine::renderPage(spy.secondRun, 0);
    for (const PlacedBand& band : spy.secondRun.bands) {
        const QPoint box(
            qRound(band.leftMm * 96 / 25.4) + 88 + 10, qRound(band.topMm * 96 / 25.4) + 366 + 6);
        QVERIFY(qGray(page.pixel(box)) < 64);
    }
}

void PrintTabTest::megasenaClosingToPdf_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("official");
    QTest::addColumn<int>("pages");
    QTest::newRow("plain, 13 slips, four per page") << 37 << false << 4;
    QTest::newRow("official, one slip per page") << 7 << true << 3;
}

void PrintTabTest::megasenaClosingToPdf()
{
    QFETCH(int, lines);
    QFETCH(bool, official);
    QFETCH(int, pages);
    MainWindowFixture f;
    f.start();
    QTemporaryDir dir;
    PreviewSpy spy;
    spy.pdfFile = dir.filePath("Quirva_RelMegasena.pdf");
    Ui::click(f.form.get(), "RadioButton3");
    Ui::closing(f.form.get()).setLines(tickets(lines, 6));
    Ui::find<QCheckBox>(f.form.get(), "CheckBox10")->setChecked(official);
    Ui::click(f.form.get(), "Button12");
    QCOMPARE(spy.firstRun.pageCount, pages);
    QCOMPARE(pdfPageCount(spy.pdfFile), pages);
}

void PrintTabTest::identificationIsUpperCaseAndLimited()
{
    MainWindowFixture f;
    f.start();
    auto* edit = Ui::find<QLineEdit>(f.form.get(), "Edit12");
    QTest::keyClicks(edit, "bol");
    edit->insert(QString::fromUtf8("ão"));
    QTest::keyClicks(edit, " da firma");
    QCOMPARE(edit->text(), QString::fromUtf8("BOLÃO DA FIRMA"));
    QTest::keyClicks(edit, QString(60, 'x'));
    QCOMPARE(edit->text().size(), 50);
}

void PrintTabTest::savingAPdfFromThePreview()
{
    MainWindowFixture f;
    f.start();
    QTemporaryDir dir;
    Ui::click(f.form.get(), "RadioButton5");
    Ui::closing(f.form.get()).setLines(tickets(5, 5));
    ReportPreview::setHandler([&](QWidget* parent, SlipReport& report) {
        f.dialogs->saveNames = { QString(), dir.filePath("slips.pdf"), "/no/such/folder/x.pdf" };
        ReportPreview::savePdf(parent, report); // cancelled
        ReportPreview::savePdf(parent, report);
        ReportPreview::savePdf(parent, report);
    });
    f.dialogs->messages.clear();
    Ui::click(f.form.get(), "Button12");
    ReportPreview::setHandler({});
    QCOMPARE(f.dialogs->suggestedSaveNames.value(0), QString("Quirva_RelQuina.pdf"));
    QCOMPARE(pdfPageCount(dir.filePath("slips.pdf")), 1); // three slips, one page
    QCOMPARE(f.dialogs->messages,
        QStringList { "Não foi possível gravar o arquivo /no/such/folder/x.pdf." });
}

void PrintTabTest::previewOfALargeClosingKeepsOnlyThePagesInSight()
{
    MainWindowFixture f;
    f.start();
    Ui::click(f.form.get(), "RadioButton2");
    LineStore& closing = Ui::closing(f.form.get());
    for (const QString& line : tickets(100000, 15))
        closing.append(line);
    int pageCount = 0, kept = 0;
    Ui::later(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        auto* pages = Ui::find<PageView>(dialog, "PreviewPages");
        pageCount = pages->pageCount();
        for (const char* action : { "LastPageAction", "FirstPageAction" }) {
            Ui::find<QAction>(dialog, action)->trigger();
            pages->viewport()->grab();
        }
        for (int step = 0; step < 20; ++step) {
            Ui::find<QAction>(dialog, "NextPageAction")->trigger();
            pages->viewport()->grab();
        }
        kept = pages->keptPages();
        QCOMPARE(pages->currentPage(), 20);
        dialog->accept();
    });
    Ui::click(f.form.get(), "Button12");
    QCOMPARE(pageCount, 12500); // two bets a slip, four slips a page
    QVERIFY(kept > 0 && kept <= PageView::kKeptPages);
}

QTEST_MAIN(PrintTabTest)
#include "print_tab_test.moc"
