#include "engine/generate/line_format.h"
#include "engine/net/settings_store.h"
#include "engine/verify/ticket_file.h"
#include "support/app_fixture.h"
#include "support/ui_driver.h"
#include "support/ui_find.h"
#include "verify/verification_panel.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString writeFile(const QTemporaryDir& dir, const QByteArray& bytes)
{
    static int counter = 0;
    const QString path = dir.filePath(QStringLiteral("in%1.txt").arg(++counter));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write test file");
    file.write(bytes);
    return path;
}

// Quina: U 80, T 15, K 5, D 5, G 3, C 5.
void startQuina(MainWindowFixture& f)
{
    f.start();
    Ui::click(f.form.get(), "RadioButton5");
    Ui::click(f.form.get(), "Button8");
}

QList<int> selectedOnBoard(TForm1& form)
{
    QList<int> numbers;
    for (int n = 1; n <= 100; ++n)
        if (form.board.state(n) == Board::State::Selected) numbers << n;
    return numbers;
}

int numberCount(const QString& line)
{
    return LineFormat::analyse(line).mask.count();
}

} // namespace

class VerificationPanelTest : public QObject
{
    Q_OBJECT
private slots:
    void defaultFileNameFollowsTheFields();
    void saveThenOpenRestoresLinesBoardAndT();
    void saveReportsFailure();
    void openRefusesInvalidFiles_data();
    void openRefusesInvalidFiles();
    void openThatCannotReadKeepsTheClosing();
    void emptyFileOpensAsEmptyClosing();
    void sortDropsRepeatsAndKeepsTheCount();
    void filesAreRefusedWhileAGenerationRuns();
    void modeSwitchesEnableTheirInputs_data();
    void modeSwitchesEnableTheirInputs();
    void simulationKeepsFixedNumbersInEveryDraw();
    void allNumbersModePutsTheBetBack();
    void drawsFileIsCheckedAgainstTheClosing();
    void drawsFileOfWrongLengthIsRefused();
    void typedResultIsCheckedAsTyped();
    void pararDuringTheSampleStopsTheRun();
    void pararDuringTheCheckKeepsWhatWasChecked();
    void badFieldEndsTheRunAndUnlocks();
    void fileDialogsStartInTheFolderLastUsed();
};

void VerificationPanelTest::defaultFileNameFollowsTheFields()
{
    MainWindowFixture f;
    f.start();
    auto* panel = f.form->findChild<VerificationPanel*>();
    QVERIFY(panel);
    QCOMPARE(panel->defaultFileName(), QString("Quirva_LM_60dz_50m_20s_17gr_se20.txt"));
    Ui::click(f.form.get(), "Button6");
    QCOMPARE(f.dialogs->lastMessage(),
        QString("Fechamento não gerado para poder ser exportado para arquivo. Tente gerar o "
                "fechamento antes."));
    Ui::click(f.form.get(), "RadioButton2");
    QCOMPARE(panel->defaultFileName(), QString("Quirva_LF_22dz_15m_15s_11gr_se15.txt"));
}

void VerificationPanelTest::saveThenOpenRestoresLinesBoardAndT()
{
    MainWindowFixture f;
    startQuina(f);
    QTemporaryDir dir;
    const QStringList lines { " 01 02 03 04 05", " 03 07 10 23 00" };
    Ui::closing(f.form.get()).setLines(lines);
    const QString path = dir.filePath("quina"); // no extension: ".txt" is added
    f.dialogs->saveNames.push_back(path);
    Ui::click(f.form.get(), "Button6");
    QCOMPARE(f.dialogs->suggestedSaveNames.back(), QString("Quirva_QI_15dz_5m_5s_3gr_se5.txt"));
    const QString saved = QDir::toNativeSeparators(path + ".txt");
    QCOMPARE(f.dialogs->lastMessage(), "Arquivo " + saved + " gerado com sucesso.");
    QFile file(path + ".txt");
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("01 02 03 04 05\r\n03 07 10 23 00\r\n"));

    Ui::closing(f.form.get()).clear();
    f.dialogs->openNames.push_back(path + ".txt");
    Ui::click(f.form.get(), "Button10");
    QCOMPARE(Ui::closing(f.form.get()).lines(), lines);
    QCOMPARE(selectedOnBoard(*f.form), (QList<int> { 1, 2, 3, 4, 5, 7, 10, 23, 100 }));
    QCOMPARE(Ui::text(f.form.get(), "Edit1"), QString("9"));
    QCOMPARE(Ui::find<QLabel>(f.form.get(), "Label2")->text(), QString("2"));
    QCOMPARE(Ui::find<QLabel>(f.form.get(), "Label22")->text(), QString("9"));
    QCOMPARE(Ui::text(f.form.get(), "Edit9"), f.form->SelectedText());
    QCOMPARE(f.dialogs->messages.size(), 1);
}

void VerificationPanelTest::saveReportsFailure()
{
    MainWindowFixture f;
    startQuina(f);
    QTemporaryDir dir;
    Ui::closing(f.form.get()).setLines({ " 01 02 03 04 05" });
    const QString path = dir.filePath("missing/x.txt");
    f.dialogs->saveNames.push_back(path);
    Ui::click(f.form.get(), "Button6");
    QCOMPARE(f.dialogs->lastMessage(),
        "Erro ao gerar o arquivo " + QDir::toNativeSeparators(path) + ".");
    QCOMPARE(Ui::closing(f.form.get()).size(), 1);
}

void VerificationPanelTest::openRefusesInvalidFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("four numbers") << QByteArray("01 02 03 04 05\r\n01 02 03 04\r\n");
    QTest::newRow("separator in front") << QByteArray("-01-02-03x04-05\r\n");
    QTest::newRow("letters") << QByteArray("01 02 03 04 05\r\nAB 02 03 04 05\r\n");
    QTest::newRow("negative") << QByteArray("-1 02 03 04 05\r\n");
    QTest::newRow("binary") << QByteArray("\0\1\2\3\xff\xfe\r\n\0\0", 10);
    QTest::newRow("one huge line") << QByteArray(3'000'000, '1');
}

void VerificationPanelTest::openRefusesInvalidFiles()
{
    QFETCH(QByteArray, bytes);
    MainWindowFixture f;
    startQuina(f);
    QTemporaryDir dir;
    Ui::closing(f.form.get()).setLines({ " 10 20 30 40 50" });
    f.dialogs->openNames.push_back(writeFile(dir, bytes));
    Ui::click(f.form.get(), "Button10");
    QCOMPARE(f.dialogs->messages, QStringList { TicketFile::invalidFileMessage(5) });
    QVERIFY(Ui::closing(f.form.get()).empty());
    QCOMPARE(Ui::find<QLabel>(f.form.get(), "Label2")->text(), QString("0"));
    QCOMPARE(f.form->board.countSelected() + f.form->board.countFixed(), 0);
    QCOMPARE(Ui::text(f.form.get(), "Edit9").trimmed(), QString());
}

void VerificationPanelTest::openThatCannotReadKeepsTheClosing()
{
    MainWindowFixture f;
    startQuina(f);
    QTemporaryDir dir;
    Ui::closing(f.form.get()).setLines({ " 10 20 30 40 50" });
    const QList<int> board = selectedOnBoard(*f.form);
    f.dialogs->openNames.push_back(dir.filePath("absent.txt"));
    Ui::click(f.form.get(), "Button10");
    QCOMPARE(f.dialogs->messages.size(), 1);
    QVERIFY(f.dialogs->lastMessage().startsWith("Não foi possível abrir o arquivo "));
    QCOMPARE(Ui::closing(f.form.get()).size(), 1);
    QCOMPARE(selectedOnBoard(*f.form), board);
    QVERIFY(f.form->stopFlag);
}

void VerificationPanelTest::emptyFileOpensAsEmptyClosing()
{
    MainWindowFixture f;
    startQuina(f);
    QTemporaryDir dir;
    Ui::closing(f.form.get()).setLines({ " 10 20 30 40 50" });
    f.dialogs->openNames.push_back(writeFile(dir, QByteArray()));
    Ui::click(f.form.get(), "Button10");
    QVERIFY(f.dialogs->messages.isEmpty());
    QVERIFY(Ui::closing(f.form.get()).empty());
    QCOMPARE(Ui::text(f.form.get(), "Edit1"), QString("0"));
    QCOMPARE(Ui::find<QLabel>(f.form.get(), "Label2")->text(), QString("0"));
    QCOMPARE(Ui::find<QLabel>(f.form.get(), "Label22")->text(), QString("0"));
}

void VerificationPanelTest::sortDropsRepeatsAndKeepsTheCount()
{
    MainWindowFixture f;
    startQuina(f);
    Ui::find<LineView>(f.form.get(), "Memo1")
        ->store()
        .setLines({ " 05 06 07 08 09", " 01 02 03 04 05", " 05 06 07 08 09", " 01 02 03 04 00" });
    Ui::find<QLabel>(f.form.get(), "Label2")->setText("4");
    Ui::click(f.form.get(), "Button9");
    QCOMPARE(Ui::closing(f.form.get()).lines(),
        QStringList({ " 01 02 03 04 00", " 01 02 03 04 05", " 05 06 07 08 09" }));
    QCOMPARE(Ui::find<QLabel>(f.form.get(), "Label2")->text(), QString("4"));
    QVERIFY(f.dialogs->messages.isEmpty());
}

void VerificationPanelTest::filesAreRefusedWhileAGenerationRuns()
{
    MainWindowFixture f;
    f.start();
    QTemporaryDir dir;
    const QString path = dir.filePath("never.txt");
    f.dialogs->saveNames.push_back(path);
    f.dialogs->openNames.push_back(path);
    Ui::click(f.form.get(), "RadioButton9"); // the mode is locked during a run
    Ui::later(50, [&] {
        Ui::click(f.form.get(), "Button6");
        Ui::click(f.form.get(), "Button10");
        Ui::click(f.form.get(), "Button13");
        Ui::click(f.form.get(), "Button9");
        Ui::click(f.form.get(), "Button5");
    });
    Ui::click(f.form.get(), "Button1");
    QCOMPARE(f.dialogs->messages,
        QStringList({ "Aperte em PARAR para poder salvar um fechamento.",
            "Aperte em PARAR para poder abrir um fechamento.",
            "Aperte em PARAR para poder abrir." }));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(f.dialogs->openNames.size(), std::size_t(1));
    QCOMPARE(f.dialogs->saveNames.size(), std::size_t(1));
}

void VerificationPanelTest::modeSwitchesEnableTheirInputs_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QList<bool>>("enabled"); // S, N, Abrir, typed
    QTest::newRow("selected numbers") << "RadioButton7" << QList<bool> { true, true, false, false };
    QTest::newRow("all numbers") << "RadioButton8" << QList<bool> { false, true, false, false };
    QTest::newRow("file") << "RadioButton9" << QList<bool> { false, false, true, false };
    QTest::newRow("typed") << "RadioButton10" << QList<bool> { false, false, false, true };
}

void VerificationPanelTest::modeSwitchesEnableTheirInputs()
{
    QFETCH(QString, button);
    QFETCH(QList<bool>, enabled);
    MainWindowFixture f;
    f.start();
    Ui::click(f.form.get(), "RadioButton10"); // start from another mode than the one tested
    Ui::click(f.form.get(), "RadioButton8");
    Ui::click(f.form.get(), button);
    const QList<bool> actual { Ui::find<QLineEdit>(f.form.get(), "Edit13")->isEnabled(),
        Ui::find<QLineEdit>(f.form.get(), "Edit7")->isEnabled(),
        Ui::find<QPushButton>(f.form.get(), "Button13")->isEnabled(),
        Ui::find<QLineEdit>(f.form.get(), "MaskEdit1")->isEnabled() };
    QCOMPARE(actual, enabled);
}

void VerificationPanelTest::simulationKeepsFixedNumbersInEveryDraw()
{
    MainWindowFixture f;
    startQuina(f);
    Ui::type(f.form.get(), "Edit10", "2");
    Ui::type(f.form.get(), "Edit7", "30");
    Ui::find<LineView>(f.form.get(), "Memo1")
        ->store()
        .setLines({ " 01 02 03 04 05", " 06 07 08 09 10" });
    Ui::find<QLabel>(&*f.form, "Label116")->setText("7");
    Ui::click(f.form.get(), "Button3");

    QCOMPARE(Ui::find<QLabel>(&*f.form, "Label116")->text(), QString("0"));
    QCOMPARE(f.form->board.countFixed(), 2);
    QCOMPARE(f.form->board.countSelected(), 13);
    TicketMask fixed, bet;
    for (int n : f.form->board.fixedNumbers())
        fixed.add(n);
    for (int n : f.form->board.selectedNumbers())
        bet.add(n);
    const LineStore& draws = Ui::find<LineView>(&*f.form, "Memo2")->store();
    QCOMPARE(draws.size(), 30);
    for (qsizetype j = 0; j < draws.size(); ++j) {
        const QString line = draws.line(j);
        QCOMPARE(line, LineFormat::SortLine(line, u' '));
        QCOMPARE(numberCount(line), 5);
        QCOMPARE(common(draws.mask(j), fixed), 2);
        QCOMPARE(common(draws.mask(j), bet), 3);
    }
    const QStringList report = Ui::find<LineView>(&*f.form, "Memo3")->store().lines();
    QCOMPARE(report.first(), QString("--- Conferência do Fechamento: "));
    QCOMPARE(report.size(), 1 + 6 + (report.last().startsWith("Sem garantia") ? 2 : 1));
    QCOMPARE(Ui::find<QLabel>(f.form.get(), "Label15")->text(), QString("."));
    QVERIFY(f.form->stopFlag);
    QVERIFY(Ui::find<QPushButton>(f.form.get(), "Button3")->isEnabled());
    QVERIFY(!Ui::find<QPushButton>(f.form.get(), "Button5")->isEnabled());
    QCOMPARE(Ui::find<QTabWidget>(f.form.get(), "PageControl1")->currentWidget(),
        Ui::find<QWidget>(f.form.get(), "TabSimulacao"));
}

void VerificationPanelTest::allNumbersModePutsTheBetBack()
{
    MainWindowFixture f;
    startQuina(f);
    Ui::type(f.form.get(), "Edit10", "1");
    Ui::click(f.form.get(), "Button8");
    Ui::type(f.form.get(), "Edit7", "40");
    const QString selected = Ui::text(f.form.get(), "Edit9"),
                  fixedLine = Ui::text(f.form.get(), "Edit11");
    const QList<int> board = selectedOnBoard(*f.form);
    QCOMPARE(board.size(), 14);
    Ui::closing(f.form.get()).setLines({ " 01 02 03 04 05" });
    Ui::click(f.form.get(), "RadioButton8");
    Ui::click(f.form.get(), "Button3");

    QCOMPARE(Ui::text(f.form.get(), "Edit1"), QString("15"));
    QCOMPARE(Ui::text(f.form.get(), "Edit10"), QString("1"));
    QCOMPARE(Ui::text(f.form.get(), "Edit9"), selected);
    QCOMPARE(Ui::text(f.form.get(), "Edit11"), fixedLine);
    QCOMPARE(selectedOnBoard(*f.form), board);
    QCOMPARE(Ui::find<QLabel>(f.form.get(), "Label21")->text(), QString("1"));
    TicketMask bet;
    for (int n : board)
        bet.add(n);
    bool outsideTheBet = false;
    const LineStore& draws = Ui::find<LineView>(&*f.form, "Memo2")->store();
    QCOMPARE(draws.size(), 40);
    for (qsizetype j = 0; j < draws.size(); ++j)
        outsideTheBet = outsideTheBet || common(draws.mask(j), ~bet) > 0;
    QVERIFY(outsideTheBet);
}

void VerificationPanelTest::drawsFileIsCheckedAgainstTheClosing()
{
    MainWindowFixture f;
    startQuina(f);
    QTemporaryDir dir;
    const QStringList closing { " 01 02 03 04 05", " 03 04 05 06 07", " 10 20 30 40 50" };
    Ui::closing(f.form.get()).setLines(closing);
    const QString boardBefore = Ui::text(f.form.get(), "Edit9");
    Ui::click(f.form.get(), "RadioButton9");
    f.dialogs->openNames.push_back(
        writeFile(dir, "01 02 03 11 12\r\n03-04-05-06-80\r\n70 71 72 73 74\r\n"));
    Ui::click(f.form.get(), "Button13");
    QCOMPARE(Ui::find<LineView>(&*f.form, "Memo2")->store().lines(),
        QStringList({ " 01 02 03 11 12", " 03-04-05-06-80", " 70 71 72 73 74" }));
    QCOMPARE(Ui::text(f.form.get(), "Edit9"), boardBefore);
    QCOMPARE(Ui::find<QTabWidget>(f.form.get(), "PageControl1")->currentWidget(),
        Ui::find<QWidget>(f.form.get(), "TabSimulacao"));

    Ui::click(f.form.get(), "Button3");
    // 9 pairs: draw 1 hits 3,1,0; draw 2 hits 3,4,0; draw 3 hits 0,0,0.
    QCOMPARE(Ui::find<LineView>(&*f.form, "Memo3")->store().lines(),
        QStringList({ "--- Conferência do Fechamento: ", "5 bilhetes com 0 acerto(s)",
            "1 bilhetes com 1 acerto(s)", "0 bilhetes com 2 acerto(s)",
            "2 bilhetes com 3 acerto(s)", "1 bilhetes com 4 acerto(s)",
            "0 bilhetes com 5 acerto(s)", "Garantia de fechamento em 2 da amostragem.",
            "Sem garantia em 1 da amostragem." }));
    QCOMPARE(Ui::find<LineView>(&*f.form, "Memo2")->store().size(), 3); // the file's sample is kept
}

void VerificationPanelTest::drawsFileOfWrongLengthIsRefused()
{
    MainWindowFixture f;
    startQuina(f);
    QTemporaryDir dir;
    Ui::find<LineView>(&*f.form, "Memo2")->store().setLines({ " 01 02 03 04 05" });
    Ui::click(f.form.get(), "RadioButton9");
    f.dialogs->openNames.push_back(writeFile(dir, "01 02 03 04 05 06\r\n"));
    Ui::click(f.form.get(), "Button13");
    QCOMPARE(f.dialogs->messages, QStringList { TicketFile::invalidFileMessage(5) });
    QVERIFY(Ui::find<LineView>(&*f.form, "Memo2")->store().empty());
}

void VerificationPanelTest::typedResultIsCheckedAsTyped()
{
    MainWindowFixture f;
    startQuina(f);
    Ui::find<LineView>(f.form.get(), "Memo1")
        ->store()
        .setLines({ " 01 02 03 04 05", " 01 02 30 40 50" });
    Ui::click(f.form.get(), "RadioButton10");
    Ui::click(f.form.get(), "CheckBox4");
    Ui::find<QLineEdit>(f.form.get(), "MaskEdit1")->setText("01 02 03");
    Ui::click(f.form.get(), "Button3");
    const QString draw = Ui::find<LineView>(&*f.form, "Memo2")->store().line(0);
    QCOMPARE(draw.left(9), QString(" 01 02 03"));
    QCOMPARE(numberCount(draw), 3);
    const QStringList report = Ui::find<LineView>(&*f.form, "Memo3")->store().lines();
    QVERIFY(report.contains(" 01 02 03 04 05 -> 3 acerto(s)"));
    QVERIFY(report.contains(" 01 02 30 40 50 -> 2 acerto(s)"));
    QVERIFY(report[0].startsWith("--- Conferência em 15 dezenas: "));
    QCOMPARE(report.last(), QString("Garantia de fechamento em todos da amostragem."));
}

void VerificationPanelTest::pararDuringTheSampleStopsTheRun()
{
    MainWindowFixture f;
    f.start();
    Ui::type(f.form.get(), "Edit7", "100000000");
    Ui::closing(f.form.get()).setLines({ " 01 02 03" });
    bool lockedDuringRun = false;
    Ui::later(50, [&] {
        lockedDuringRun = !Ui::find<QPushButton>(f.form.get(), "Button3")->isEnabled()
            && !Ui::find<QRadioButton>(f.form.get(), "RadioButton8")->isEnabled()
            && Ui::find<QLineEdit>(f.form.get(), "Edit7")->isReadOnly()
            && Ui::find<QLineEdit>(f.form.get(), "Edit1")->isReadOnly()
            && !Ui::find<QCheckBox>(f.form.get(), "CheckBox4")->isEnabled();
        Ui::click(f.form.get(), "Button5");
    });
    Ui::click(f.form.get(), "Button3");
    QVERIFY(lockedDuringRun);
    const qsizetype drawn = Ui::find<LineView>(&*f.form, "Memo2")->store().size();
    QVERIFY(drawn > 0 && drawn < 100000000);
    const QStringList report = Ui::find<LineView>(&*f.form, "Memo3")->store().lines();
    // The later loops do not start after Parar; with no draw checked no guarantee is claimed.
    QCOMPARE(report,
        QStringList({ "--- Conferência do Fechamento: ",
            QString("--- Conferência interrompida: 0 de %1 resultado(s) conferido(s).").arg(drawn),
            QString("--- Nada foi conferido: Parar foi apertado enquanto a amostragem era "
                    "sorteada (%1 de 100000000 sorteio(s)).")
                .arg(drawn) }));
    QVERIFY(f.form->stopFlag);
    QVERIFY(Ui::find<QPushButton>(f.form.get(), "Button3")->isEnabled()
        && Ui::find<QRadioButton>(f.form.get(), "RadioButton8")->isEnabled());
    QVERIFY(!Ui::find<QLineEdit>(f.form.get(), "Edit7")->isReadOnly()
        && !Ui::find<QLineEdit>(f.form.get(), "Edit1")->isReadOnly());
    QVERIFY(Ui::find<QCheckBox>(f.form.get(), "CheckBox3")->isEnabled());
}

void VerificationPanelTest::pararDuringTheCheckKeepsWhatWasChecked()
{
    MainWindowFixture f;
    startQuina(f);
    LineStore& closing = Ui::closing(f.form.get());
    for (int i = 0; i < 2000; ++i)
        closing.append(u" 01 02 03 04 05");
    LineStore& draws = Ui::find<LineView>(&*f.form, "Memo2")->store();
    for (int j = 0; j < 200000; ++j)
        draws.append(u" 01 02 03 70 71");
    Ui::click(f.form.get(), "RadioButton9");
    Ui::click(f.form.get(), "CheckBox4");
    // Parar drops the draw under way: not before one draw is through, however slow the machine.
    const auto oneChecked
        = [&] { return Ui::find<QProgressBar>(&*f.form, "ProgressBar1")->value() > 0; };
    Ui::later(50, oneChecked, [&] { Ui::click(f.form.get(), "Button5"); });
    Ui::click(f.form.get(), "Button3");
    const QStringList report = Ui::find<LineView>(&*f.form, "Memo3")->store().lines();
    const QString last = report.last();
    QVERIFY2(last.startsWith("--- Conferência interrompida: "), qPrintable(last));
    QCOMPARE(report[report.size() - 2], QString("Garantia de fechamento em todos da amostragem."));
    QVERIFY(report.contains("--- Conferência do Fechamento: "));
    // Every draw kept was checked against the whole closing.
    const qsizetype ticketLines = report.count(" 01 02 03 04 05 -> 3 acerto(s)");
    QCOMPARE(ticketLines % 2000, 0);
    QVERIFY(ticketLines > 0);
    QVERIFY(f.form->stopFlag);
}

void VerificationPanelTest::badFieldEndsTheRunAndUnlocks()
{
    MainWindowFixture f;
    f.start();
    Ui::find<QLineEdit>(f.form.get(), "Edit7")->setText("abc");
    Ui::click(f.form.get(), "RadioButton8");
    Ui::click(f.form.get(), "Button3");
    QCOMPARE(f.dialogs->lastMessage(), QString("'abc' is not a valid integer value"));
    QVERIFY(f.form->stopFlag);
    QVERIFY(Ui::find<QPushButton>(f.form.get(), "Button3")->isEnabled()
        && Ui::find<QRadioButton>(f.form.get(), "RadioButton7")->isEnabled()
        && Ui::find<QCheckBox>(f.form.get(), "CheckBox4")->isEnabled()
        && Ui::find<QPushButton>(f.form.get(), "Button1")->isEnabled());
    QVERIFY(!Ui::find<QPushButton>(f.form.get(), "Button5")->isEnabled());
    QVERIFY(!Ui::find<QLineEdit>(f.form.get(), "Edit7")->isReadOnly());
    QCOMPARE(Ui::text(f.form.get(), "Edit1"), QString("60"));
}

void VerificationPanelTest::fileDialogsStartInTheFolderLastUsed()
{
    SettingsStore::write({ { "Ultima_Pasta", QString() } });
    MainWindowFixture f;
    startQuina(f);
    Ui::closing(f.form.get()).setLines({ " 01 02 03 04 05" });
    auto used = std::make_unique<QTemporaryDir>();
    const QString folder = used->path();
    f.dialogs->saveNames.push_back(used->filePath("quina.txt"));
    for (const char* button : { "Button6", "Button10", "Button10" }) // opening cancelled
        Ui::click(f.form.get(), button);
    used.reset();
    Ui::click(f.form.get(), "Button10");
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString fallback = QFileInfo(documents).isDir() ? documents : QDir::homePath();
    QCOMPARE(f.dialogs->startFolders, (QStringList { fallback, folder, folder, fallback }));
}

QTEST_MAIN(VerificationPanelTest)
#include "verification_panel_test.moc"
