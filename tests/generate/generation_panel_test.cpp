#include "support/app_fixture.h"
#include "support/ui_driver.h"
#include "support/ui_find.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
// Mega-Sena with the given selected numbers and parameters typed in.
void megasena(
    TForm1& w, const QString& selected, const QString& fixed, const QString& K, const QString& G)
{
    Ui::click(&w, "RadioButton3");
    w.MarkSelected(selected, true);
    if (!fixed.isEmpty()) w.MarkFixed(fixed, false);
    w.refreshBoard();
    const int s = w.CountSelected(), f = w.CountFixed();
    Ui::find<QLineEdit>(&w, "Edit1")->setText(QString::number(s + f));
    Ui::find<QLineEdit>(&w, "Edit10")->setText(QString::number(f));
    Ui::find<QLineEdit>(&w, "Edit2")->setText(K);
    Ui::find<QLineEdit>(&w, "Edit4")->setText("6");
    Ui::find<QLineEdit>(&w, "Edit5")->setText(G);
    Ui::find<QLineEdit>(&w, "Edit6")->setText("6");
}
} // namespace

class GenerationPanelTest : public QObject
{
    Q_OBJECT
private slots:
    void enumerationWritesEveryCombination_data();
    void enumerationWritesEveryCombination();
    void marginReportAndCompletion();
    void emptyClosingOnlyTellsTheUser();
    void pararDuringTheCheckKeepsTheClosing();
    void loweringFKeepsEveryTicketAtK_data();
    void loweringFKeepsEveryTicketAtK();
};

void GenerationPanelTest::enumerationWritesEveryCombination_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("fixed");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("last");
    QTest::newRow("eight numbers") << " 01 02 03 04 05 06 07 08"
                                   << "" << 28 << " 01 02 03 04 05 06"
                                   << " 01 02 03 04 05 07"
                                   << " 03 04 05 06 07 08";
    QTest::newRow("05 fixed") << " 01 02 03 04 06 07 08"
                              << " 05" << 21 << " 01 02 03 04 05 06"
                              << " 01 02 03 04 05 07"
                              << " 03 04 05 06 07 08";
}

void GenerationPanelTest::enumerationWritesEveryCombination()
{
    QFETCH(QString, selected);
    QFETCH(QString, fixed);
    QFETCH(int, lines);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, last);
    MainWindowFixture f;
    f.start();
    TForm1& w = *f.form;
    megasena(w, selected, fixed, "6", "6");
    Ui::find<QCheckBox>(&w, "CheckBox6")->setChecked(true); // ignored: the closing is emptied first
    Ui::closing(&w).append(u" 11 12 13 14 15 16");
    Ui::click(&w, "Button1");
    const LineStore& closing = Ui::closing(&w);
    QCOMPARE(closing.size(), qsizetype(lines));
    QCOMPARE(closing.line(0), first);
    QCOMPARE(closing.line(1), second);
    QCOMPARE(closing.line(lines - 1), last);
    for (qsizetype i = 1; i < closing.size(); ++i)
        QVERIFY(closing.line(i - 1) < closing.line(i));
    if (!fixed.isEmpty())
        for (qsizetype i = 0; i < closing.size(); ++i)
            QVERIFY(closing.line(i).contains(" 05"));
    QCOMPARE(Ui::find<QLabel>(&w, "Label2")->text(), QString::number(lines));
    QCOMPARE(Ui::find<QProgressBar>(&w, "ProgressBar1")->maximum(), lines);
    QCOMPARE(Ui::find<QProgressBar>(&w, "ProgressBar1")->value(), lines);
    QVERIFY(Ui::find<QPushButton>(&w, "Button1")->isEnabled());
    QVERIFY(!Ui::find<QPushButton>(&w, "Button5")->isEnabled());
    QVERIFY(w.stopFlag);
    QCOMPARE(Ui::find<QLabel>(&w, "Label15")->text(), QString("."));
}

void GenerationPanelTest::marginReportAndCompletion()
{
    MainWindowFixture f;
    f.start();
    TForm1& w = *f.form;
    megasena(w, " 01 02 03 04 05 06 07 08", "", "6", "5");
    Ui::closing(&w).append(u" 01 02 03 04 05 06");
    Ui::click(&w, "Button11");
    QCOMPARE(Ui::find<QLabel>(&w, "Label2")->text(),
        QString("1. Sendo 15 não fechados em 28 sorteios não repetidos."));
    Ui::find<QCheckBox>(&w, "CheckBoxCompletar")->setChecked(true);
    Ui::click(&w, "Button11");
    QCOMPARE(Ui::find<QLabel>(&w, "Label2")->text(),
        QString("4. Sendo 0 não fechados em 28 sorteios não repetidos."));
    QCOMPARE(Ui::closing(&w).line(3), QString(" 03 04 05 06 07 08"));
    QVERIFY(Ui::find<QPushButton>(&w, "Button11")->isEnabled()
        && Ui::find<QCheckBox>(&w, "CheckBoxCompletar")->isEnabled()
        && Ui::find<QPushButton>(&w, "Button1")->isEnabled());
    QVERIFY(!Ui::find<QLineEdit>(&w, "Edit1")->isReadOnly()
        && Ui::find<QPushButton>(&w, "Button8")->isEnabled());
    QVERIFY(w.stopFlag);
    QVERIFY(f.dialogs->messages.isEmpty());
}

void GenerationPanelTest::emptyClosingOnlyTellsTheUser()
{
    MainWindowFixture f;
    f.start();
    TForm1& w = *f.form;
    Ui::closing(&w).clear();
    Ui::click(&w, "Button11");
    QCOMPARE(f.dialogs->lastMessage(),
        QString("Gere antes algum fechamento para porder testar a margem."));
    QCOMPARE(Ui::find<QLabel>(&w, "Label2")->text(), QString("0"));
    QVERIFY(!Ui::find<QLineEdit>(&w, "Edit1")->isReadOnly()
        && Ui::find<QPushButton>(&w, "Button3")->isEnabled());
}

void GenerationPanelTest::pararDuringTheCheckKeepsTheClosing()
{
    // Lotomania defaults: C(60,20) draws, far more than the test lets run.
    MainWindowFixture f;
    f.start();
    TForm1& w = *f.form;
    Ui::find<LineView>(&w, "Memo1")
        ->store()
        .append(u" 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 "
                u"26 27 28 29 30 31 32 33 34 35 36 37 38 39 40 41 42 43 44 45 46 47 48 49 50");
    Ui::find<QCheckBox>(&w, "CheckBoxCompletar")->setChecked(true);
    bool lockedDuringRun = false;
    Ui::later(200, [&] {
        lockedDuringRun = !w.stopFlag && Ui::find<QPushButton>(&w, "Button5")->isEnabled()
            && !Ui::find<QPushButton>(&w, "Button1")->isEnabled()
            && !Ui::find<QPushButton>(&w, "Button11")->isEnabled()
            && Ui::find<QLineEdit>(&w, "Edit1")->isReadOnly();
        Ui::click(&w, "Button5");
    });
    Ui::click(&w, "Button11");
    QVERIFY(lockedDuringRun);
    QVERIFY(w.stopFlag);
    QVERIFY(Ui::find<QPushButton>(&w, "Button1")->isEnabled()
        && Ui::find<QPushButton>(&w, "Button11")->isEnabled());
    QVERIFY(Ui::closing(&w).line(0).startsWith(" 01 02 03"));
    const QString report = Ui::find<QLabel>(&w, "Label2")->text();
    QVERIFY2(report.startsWith(QString::number(Ui::closing(&w).size()) + ". Sendo "),
        qPrintable(report));
    QVERIFY(report.endsWith(" sorteios não repetidos."));
    QCOMPARE(
        Ui::find<QProgressBar>(&w, "ProgressBar1")->value(), 0); // count beyond 32 bits: still bar
}

void GenerationPanelTest::loweringFKeepsEveryTicketAtK_data()
{
    QTest::addColumn<QString>("guarantee");
    QTest::newRow("enumeration") << "6";
    QTest::newRow("random generator") << "3";
}

void GenerationPanelTest::loweringFKeepsEveryTicketAtK()
{
    QFETCH(QString, guarantee);
    MainWindowFixture f;
    f.start();
    TForm1& w = *f.form;
    Ui::click(&w, "RadioButton3");
    Ui::type(&w, "Edit10", "5");
    Ui::type(&w, "Edit1", "10");
    Ui::click(&w, "Button8"); // 5 selected, 5 fixed
    Ui::type(&w, "Edit10", "0");
    QCOMPARE(w.CountFixed(), 0);
    QCOMPARE(w.CountSelected(), 10); // the released tiles stay in the bet
    Ui::type(&w, "Edit1", "12");
    Ui::type(&w, "Edit5", guarantee);
    // Tied to the window: the enumeration ends by itself, long before the timer.
    QTimer::singleShot(100, &w, [&w] { Ui::click(&w, "Button5"); });
    Ui::click(&w, "Button1");
    const LineStore& closing = Ui::closing(&w);
    QVERIFY(closing.size() > 0);
    for (qsizetype i = 0; i < closing.size(); ++i)
        QCOMPARE(closing.mask(i).count(), 6);
}

QTEST_MAIN(GenerationPanelTest)
#include "generation_panel_test.moc"
