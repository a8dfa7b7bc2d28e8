#include "app/application_identity.h"
#include "app/tform_sobre.h"
#include "bet/tile_label.h"
#include "engine/net/settings_store.h"
#include "pools/tform_gol.h"
#include "pools/tform_loteca.h"
#include "support/app_fixture.h"
#include "support/ui_driver.h"
#include "support/ui_find.h"
#include "ui/window_geometry.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

class MainWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void startsWithRandomLotomaniaBet();
    void modalitySwitchWritesItsDefaults_data();
    void modalitySwitchWritesItsDefaults();
    void outrosEnablesTheFreeFields();
    void leavingUSetsRangeAndT();
    void fieldExitNormalises();
    void fixedNumbersDisableBalancedPick();
    void nonIntegerFieldShowsConversionErrorAndRestores();
    void generatorRunsUntilParar();
    void generatorKeepsFixedNumbers();
    void equalKDGHandsOverToEnumeration();
    void closingIsRefusedWhileRunning();
    void tilesFollowTheClickRule();
    void outrosWithKBelowGIsRefused();
    void separatorChangesLinesBuiltLater();
    void windowComesBackWhereItWasClosed();
    void productIsNamedOnceInEveryTitle();
    void tabKeyFollowsTheWindowsOrder();
};

void MainWindowTest::startsWithRandomLotomaniaBet()
{
    MainWindowFixture f;
    f.start();
    QCOMPARE(Ui::text(f.form.get(), "Edit1"), QString("60"));
    QCOMPARE(Ui::find<QLabel>(f.form.get(), "Label22")->text(), QString("60"));
    QCOMPARE(Ui::find<QLabel>(f.form.get(), "Label20")->text(), QString("60"));
    QCOMPARE(Ui::text(f.form.get(), "Edit3"), QString("3"));
    QCOMPARE(Ui::find<QPushButton>(f.form.get(), "Button10")->text(),
        QString("Abrir Fechamento (50 Dz)"));
    QCOMPARE(Ui::find<QPushButton>(f.form.get(), "Button13")->text(), QString("Abrir (20 Dz)"));
    QCOMPARE(
        Ui::find<QLineEdit>(f.form.get(), "MaskEdit1")->property("editMask").toString().count("99"),
        20);
    QCOMPARE(Ui::find<QLabel>(f.form.get(), "Label2")->text(), QString("0"));
    QCOMPARE(Ui::find<QLabel>(f.form.get(), "Label15")->text(), QString("."));
    for (QWidget* tab : { Ui::find<QWidget>(f.form.get(), "TabLotofacil"),
             Ui::find<QWidget>(f.form.get(), "TabQuina"),
             Ui::find<QWidget>(f.form.get(), "TabMegaSena"),
             Ui::find<QWidget>(f.form.get(), "TabDuplaSena") })
        QVERIFY(
            !Ui::find<QTabWidget>(f.form.get(), "PageControl1")
                 ->isTabVisible(Ui::find<QTabWidget>(f.form.get(), "PageControl1")->indexOf(tab)));
    QVERIFY(f.dialogs->messages.isEmpty());
}

void MainWindowTest::modalitySwitchWritesItsDefaults_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("expected"); // U T F S K D G C
    QTest::addColumn<QString>("reducerTab");
    QTest::addColumn<QStringList>("repeat");
    QTest::addColumn<bool>("mirror");
    QTest::newRow("lotofacil") << "RadioButton2"
                               << QStringList { "25", "22", "0", "15", "15", "15", "11", "15" }
                               << "TabLotofacil" << QStringList { "1", "2", "4" } << false;
    QTest::newRow("megasena") << "RadioButton3"
                              << QStringList { "60", "12", "0", "6", "6", "6", "3", "6" }
                              << "TabMegaSena" << QStringList { "1", "2", "4", "8" } << false;
    QTest::newRow("duplasena S limited to D")
        << "RadioButton4" << QStringList { "50", "20", "0", "6", "6", "6", "3", "6" }
        << "TabDuplaSena" << QStringList { "1", "2", "4", "8" } << false;
    QTest::newRow("quina") << "RadioButton5"
                           << QStringList { "80", "15", "0", "5", "5", "5", "3", "5" } << "TabQuina"
                           << QStringList { "1", "3", "6", "12" } << false;
    QTest::newRow("lotomania") << "RadioButton1"
                               << QStringList { "100", "60", "0", "20", "50", "20", "17", "20" }
                               << "" << QStringList { "1", "2", "4", "8" } << true;
}

void MainWindowTest::modalitySwitchWritesItsDefaults()
{
    QFETCH(QString, button);
    QFETCH(QStringList, expected);
    QFETCH(QString, reducerTab);
    QFETCH(QStringList, repeat);
    QFETCH(bool, mirror);
    MainWindowFixture f;
    f.start();
    TForm1& w = *f.form;
    w.show();
    Ui::closing(&w).append(u" 01 02");
    Ui::find<QLineEdit>(&w, "MaskEdit1")->setText("12");
    Ui::click(&w, "RadioButton3"); // start from a different modality
    Ui::click(&w, button);
    const QStringList got { Ui::text(&w, "Edit8"), Ui::text(&w, "Edit1"), Ui::text(&w, "Edit10"),
        Ui::text(&w, "Edit13"), Ui::text(&w, "Edit2"), Ui::text(&w, "Edit4"), Ui::text(&w, "Edit5"),
        Ui::text(&w, "Edit6") };
    QCOMPARE(got, expected);
    for (QWidget* tab : { Ui::find<QWidget>(&w, "TabLotofacil"), Ui::find<QWidget>(&w, "TabQuina"),
             Ui::find<QWidget>(&w, "TabMegaSena"), Ui::find<QWidget>(&w, "TabDuplaSena") })
        QCOMPARE(Ui::find<QTabWidget>(&w, "PageControl1")
                     ->isTabVisible(Ui::find<QTabWidget>(&w, "PageControl1")->indexOf(tab)),
            tab->objectName() == reducerTab);
    QStringList items;
    for (int i = 0; i < Ui::find<QComboBox>(&w, "ComboBox2")->count(); ++i)
        items << Ui::find<QComboBox>(&w, "ComboBox2")->itemText(i);
    QCOMPARE(items, repeat);
    QCOMPARE(Ui::find<QComboBox>(&w, "ComboBox2")->currentText(), QString("1"));
    QCOMPARE(!Ui::find<QCheckBox>(&w, "CheckBox2")->isHidden(), mirror);
    QCOMPARE(Ui::find<QLabel>(&w, "Label22")->text(), QString("0")); // board emptied
    QCOMPARE(Ui::closing(&w).size(), qsizetype(1)); // closing kept
    QVERIFY(Ui::text(&w, "MaskEdit1").trimmed().isEmpty()
        || Ui::text(&w, "MaskEdit1").remove(' ').isEmpty());
    QVERIFY(!Ui::find<QLineEdit>(&w, "Edit8")->isEnabled());
    const int U = expected[0].toInt();
    QCOMPARE(Ui::find(&w, QStringLiteral("StaticText%1").arg(U))->isEnabled(), true);
    if (U < 100)
        QCOMPARE(Ui::find(&w, QStringLiteral("StaticText%1").arg(U + 1))->isEnabled(), false);
}

void MainWindowTest::outrosEnablesTheFreeFields()
{
    MainWindowFixture f;
    f.start();
    TForm1& w = *f.form;
    Ui::click(&w, "RadioButton3");
    Ui::click(&w, "RadioButton6");
    QVERIFY(Ui::find<QLineEdit>(&w, "Edit8")->isEnabled());
    QVERIFY(Ui::find<QLineEdit>(&w, "Edit2")->isEnabled());
    QVERIFY(Ui::find<QLineEdit>(&w, "Edit4")->isEnabled());
    QCOMPARE(Ui::text(&w, "Edit1"), QString("12")); // no parameter changes
    QCOMPARE(Ui::find<QLabel>(&w, "Label22")->text(), QString("0"));
}

void MainWindowTest::leavingUSetsRangeAndT()
{
    MainWindowFixture f;
    f.start();
    TForm1& w = *f.form;
    Ui::click(&w, "RadioButton6");
    Ui::type(&w, "Edit8", "30");
    QCOMPARE(Ui::text(&w, "Edit1"), QString("30"));
    QVERIFY(Ui::find(&w, QStringLiteral("StaticText%1").arg(30))->isEnabled());
    QVERIFY(!Ui::find(&w, QStringLiteral("StaticText%1").arg(31))->isEnabled());
    Ui::type(&w, "Edit8", "80");
    QCOMPARE(Ui::text(&w, "Edit1"), QString("80"));
    Ui::type(&w, "Edit8", "1");
    QCOMPARE(Ui::text(&w, "Edit8"), QString("2"));
    Ui::click(&w, "Button8");
    QCOMPARE(Ui::find<QLabel>(&w, "Label22")->text(), QString("2"));
    QVERIFY(f.dialogs->messages.isEmpty() || !f.dialogs->lastMessage().contains("integer"));
}

void MainWindowTest::fieldExitNormalises()
{
    MainWindowFixture f;
    f.start();
    TForm1& w = *f.form;
    Ui::type(&w, "Edit1", "40");
    QCOMPARE(Ui::text(&w, "Edit1"), QString("51"));
    Ui::click(&w, "RadioButton3");
    Ui::type(&w, "Edit1", "20");
    Ui::type(&w, "Edit2", "20");
    QCOMPARE(Ui::text(&w, "Edit2"), QString("15"));
    Ui::type(&w, "Edit2", "6");
    QVERIFY(Ui::find<QTabWidget>(&w, "PageControl1")
                ->isTabVisible(Ui::find<QTabWidget>(&w, "PageControl1")
                                   ->indexOf(Ui::find<QWidget>(&w, "TabMegaSena"))));
    Ui::type(&w, "Edit2", "7");
    QVERIFY(!Ui::find<QTabWidget>(&w, "PageControl1")
                 ->isTabVisible(Ui::find<QTabWidget>(&w, "PageControl1")
                                    ->indexOf(Ui::find<QWidget>(&w, "TabMegaSena"))));
    QCOMPARE(Ui::text(&w, "Edit3"),
        QString("3")); // C(20,7) / (C(14,4) * C(6,3)) = 3.87, truncated
}

void MainWindowTest::fixedNumbersDisableBalancedPick()
{
    MainWindowFixture f;
    f.start();
    TForm1& w = *f.form;
    Ui::find<QCheckBox>(&w, "CheckBox3")->setChecked(true);
    Ui::type(&w, "Edit10", "2");
    QVERIFY(!Ui::find<QCheckBox>(&w, "CheckBox3")->isEnabled());
    QVERIFY(!Ui::find<QCheckBox>(&w, "CheckBox3")->isChecked());
    Ui::type(&w, "Edit10", "0");
    QVERIFY(Ui::find<QCheckBox>(&w, "CheckBox3")->isEnabled());
    QVERIFY(!Ui::find<QCheckBox>(&w, "CheckBox3")->isChecked());
}

void MainWindowTest::nonIntegerFieldShowsConversionErrorAndRestores()
{
    MainWindowFixture f;
    f.start();
    TForm1& w = *f.form;
    Ui::type(&w, "Edit5", "ab");
    QCOMPARE(f.dialogs->lastMessage(), QString("'ab' is not a valid integer value"));
    Ui::click(&w, "Button1");
    QCOMPARE(f.dialogs->lastMessage(), QString("'ab' is not a valid integer value"));
    QVERIFY(w.stopFlag);
    QVERIFY(!Ui::find<QLineEdit>(&w, "Edit1")->isReadOnly());
    QVERIFY(Ui::find<QPushButton>(&w, "Button7")->isEnabled());
    QVERIFY(Ui::find<QRadioButton>(&w, "RadioButton1")->isEnabled());
    QVERIFY(Ui::find<QPushButton>(&w, "Button1")->isEnabled());
    QVERIFY(!Ui::find<QPushButton>(&w, "Button5")->isEnabled());
    QCOMPARE(Ui::closing(&w).size(), qsizetype(0));
}

void MainWindowTest::generatorRunsUntilParar()
{
    MainWindowFixture f;
    f.start();
    TForm1& w = *f.form;
    bool lockedDuringRun = false;
    Ui::later(300, [&] {
        lockedDuringRun = Ui::find<QLineEdit>(&w, "Edit1")->isReadOnly()
            && !Ui::find<QPushButton>(&w, "Button7")->isEnabled()
            && !Ui::find<QPushButton>(&w, "Button1")->isEnabled()
            && Ui::find<QPushButton>(&w, "Button5")->isEnabled()
            && !Ui::find<QRadioButton>(&w, "RadioButton2")->isEnabled()
            && !Ui::find<QPushButton>(&w, "Button3")->isEnabled()
            && Ui::find<QLabel>(&w, "Label15")->text() == "Pare quando quiser." && !w.stopFlag;
        Ui::click(&w, "Button5");
    });
    Ui::click(&w, "Button1");
    QVERIFY(lockedDuringRun);
    QVERIFY(w.stopFlag);
    QVERIFY(Ui::closing(&w).size() > 0);
    QVERIFY(Ui::find<QLabel>(&w, "Label2")
                ->text()
                .startsWith(QString::number(Ui::closing(&w).size()) + " fechados em "));
    QVERIFY(Ui::find<QLabel>(&w, "Label2")->text().endsWith(" combinações."));
    QVERIFY(Ui::find<QPushButton>(&w, "Button1")->isEnabled());
    QVERIFY(!Ui::find<QPushButton>(&w, "Button5")->isEnabled());
    QVERIFY(Ui::find<QPushButton>(&w, "Button7")->isEnabled());
    QVERIFY(!Ui::find<QLineEdit>(&w, "Edit1")->isReadOnly());
    QCOMPARE(Ui::find<QLabel>(&w, "Label15")->text(), QString("."));
    QCOMPARE(Ui::find<QTabWidget>(&w, "PageControl1")->currentWidget(),
        Ui::find<QWidget>(&w, "TabFechamento"));
    for (qsizetype i = 0; i < Ui::closing(&w).size(); ++i)
        QCOMPARE(Ui::closing(&w).mask(i).count(), 50);
}

void MainWindowTest::generatorKeepsFixedNumbers()
{
    MainWindowFixture f;
    f.start();
    TForm1& w = *f.form;
    Ui::click(&w, "RadioButton3");
    Ui::type(&w, "Edit10", "2");
    Ui::later(200, [&] { Ui::click(&w, "Button5"); });
    Ui::click(&w, "Button1"); // board does not match F: a new random bet with two fixed numbers
    QCOMPARE(w.CountFixed(), 2);
    const std::vector<int> fixed = w.board.fixedNumbers();
    QVERIFY(Ui::closing(&w).size() > 0);
    for (qsizetype i = 0; i < Ui::closing(&w).size(); ++i) {
        QCOMPARE(Ui::closing(&w).mask(i).count(), 6);
        for (int n : fixed)
            QVERIFY(Ui::closing(&w).mask(i).has(n));
    }
}

void MainWindowTest::equalKDGHandsOverToEnumeration()
{
    MainWindowFixture f;
    f.start();
    TForm1& w = *f.form;
    Ui::click(&w, "RadioButton3");
    Ui::type(&w, "Edit1", "40"); // 3,838,380 combinations: still running when looked at
    Ui::type(&w, "Edit5", "6");
    QString statusDuringRun;
    Ui::later(50, [&] {
        statusDuringRun = Ui::find<QLabel>(&w, "Label15")->text();
        Ui::click(&w, "Button5");
    });
    Ui::click(&w, "Button1");
    QCOMPARE(statusDuringRun, QString("Gerando Fechamento"));
    QVERIFY(!Ui::closing(&w).empty());
    QCOMPARE(Ui::closing(&w).mask(0).count(), 6);
    QCOMPARE(Ui::find<QLabel>(&w, "Label15")->text(), QString("."));
    QVERIFY(w.stopFlag);
    QVERIFY(Ui::find<QPushButton>(&w, "Button7")->isEnabled());
}

void MainWindowTest::closingIsRefusedWhileRunning()
{
    MainWindowFixture f;
    f.start();
    TForm1& w = *f.form;
    w.show();
    bool stayedOpen = false;
    Ui::later(200, [&] {
        w.close();
        stayedOpen = w.isVisible();
        Ui::click(&w, "Button5");
    });
    Ui::click(&w, "Button1");
    QVERIFY(stayedOpen);
    QCOMPARE(
        f.dialogs->lastMessage(), QString("Aplicativo processando, aperte Parar antes de fechar."));
    QVERIFY(w.close());
}

void MainWindowTest::tilesFollowTheClickRule()
{
    MainWindowFixture f;
    f.start();
    TForm1& w = *f.form;
    Ui::click(&w, "RadioButton3"); // T = 12, empty board
    Ui::type(&w, "Edit10", "1");
    for (int n = 1; n <= 11; ++n)
        w.StaticText1Click(n);
    QCOMPARE(Ui::find<QLabel>(&w, "Label20")->text(), QString("11"));
    w.StaticText1Click(20); // selection full: becomes fixed
    QCOMPARE(w.board.state(20), Board::State::Fixed);
    w.StaticText1Click(30); // nothing left: stays free
    QCOMPARE(w.board.state(30), Board::State::Free);
    QCOMPARE(Ui::find<QLabel>(&w, "Label22")->text(), QString("12"));
    QCOMPARE(Ui::text(&w, "Edit11"), QString(" 20"));
    QVERIFY(Ui::text(&w, "Edit9").startsWith(" 01 02 03"));
    QVERIFY(!Ui::find(&w, QStringLiteral("StaticText%1").arg(61))->isEnabled());
}

void MainWindowTest::outrosWithKBelowGIsRefused()
{
    MainWindowFixture f;
    f.start();
    TForm1& w = *f.form;
    Ui::click(&w, "RadioButton6");
    Ui::type(&w, "Edit1", "20");
    Ui::type(&w, "Edit2", "3");
    Ui::type(&w, "Edit4", "10");
    Ui::type(&w, "Edit6", "10");
    Ui::type(&w, "Edit5", "5");
    QCOMPARE(Ui::text(&w, "Edit5"), QString("5"));
    Ui::click(&w, "Button1");
    QVERIFY(f.dialogs->lastMessage().contains("garantia"));
    QCOMPARE(Ui::closing(&w).size(), qsizetype(0));
    QVERIFY(w.stopFlag);
    QVERIFY(Ui::find<QPushButton>(&w, "Button1")->isEnabled());
}

void MainWindowTest::separatorChangesLinesBuiltLater()
{
    MainWindowFixture f;
    f.start();
    TForm1& w = *f.form;
    Ui::click(&w, "RadioButton3");
    w.StaticText1Click(5);
    Ui::find<QComboBox>(&w, "ComboBox1")->setCurrentText(";");
    QCOMPARE(Ui::text(&w, "Edit9"), QString(" 05"));
    w.StaticText1Click(7);
    QCOMPARE(Ui::text(&w, "Edit9"), QString(" 05;07"));
    Ui::find<QComboBox>(&w, "ComboBox1")
        ->setCurrentText("7"); // a digit is never used: lines keep their layout
    w.StaticText1Click(9);
    QCOMPARE(Ui::text(&w, "Edit9"), QString(" 05 07 09"));
}

void MainWindowTest::windowComesBackWhereItWasClosed()
{
    QRect closedAt;
    {
        MainWindowFixture f;
        f.start();
        f.form->show();
        f.form->setGeometry(40, 50, 910, 690);
        QVERIFY(f.form->close());
        closedAt = f.form->geometry();
    }
    MainWindowFixture again;
    again.start();
    QCOMPARE(again.form->geometry(), closedAt);

    // Anything unusable kept there leaves the window as it opens.
    QVERIFY(SettingsStore::write({ { WindowGeometry::kMainWindow, QStringLiteral("lixo") } }));
    MainWindowFixture spoiled;
    spoiled.start();
    QVERIFY(spoiled.form->geometry() != closedAt);
}

void MainWindowTest::productIsNamedOnceInEveryTitle()
{
    ApplicationIdentity::apply();
    QCOMPARE(QCoreApplication::applicationName(), QString("QUIRVA"));
    QCOMPARE(QGuiApplication::desktopFileName(), QString("quirva"));
    QCOMPARE(QGuiApplication::windowIcon().availableSizes(),
        (QList<QSize> { QSize(48, 48), QSize(128, 128) }));
    // A display name of its own would be appended to every title; unset, it follows the name.
    QCoreApplication::setApplicationName(QStringLiteral("outro"));
    QCOMPARE(QGuiApplication::applicationDisplayName(), QString("outro"));
    ApplicationIdentity::apply();

    MainWindowFixture f;
    f.start();
    TFormSobre about;
    TFormLoteca loteca(f.form.get());
    TFormGOL lotogol(f.form.get());
    for (const QWidget* window :
        std::initializer_list<const QWidget*> { f.form.get(), &about, &loteca, &lotogol })
        QCOMPARE(window->windowTitle().count(QStringLiteral("QUIRVA")), 1);
}

void MainWindowTest::tabKeyFollowsTheWindowsOrder()
{
    // Each panel builds its part where the window puts it: parameters, simulation group,
    // then the tabs in their order, the later additions (download group, optimizer) last.
    MainWindowFixture f;
    f.start();
    QStringList chain;
    QWidget* w = f.form.get();
    do {
        if (w->focusPolicy() & Qt::TabFocus) chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w != f.form.get());
    int last = -1;
    for (const char* name : { "Edit1", "Edit6", "Button1", "CheckBoxCompletar", "Button3",
             "CheckBox4", "PageControl1", "RadioButton1", "Edit8", "Button16", "Button6", "Memo1",
             "ComboBox1", "Button2", "Memo2", "Memo3", "Edit14", "ComboBox2", "CheckBox14",
             "Edit83", "Button21", "ChartView1", "ButtonOptimize" }) {
        const int at = static_cast<int>(chain.indexOf(QString::fromLatin1(name)));
        QVERIFY2(at > last, name);
        last = at;
    }
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
