#include "pools/tform_gol.h"
#include "pools/tform_loteca.h"
#include "support/app_fixture.h"
#include "support/ui_driver.h"
#include "support/ui_find.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>

class PoolAccessTest : public QObject
{
    Q_OBJECT
private slots:
    void buttonsOpenANewModalWindowEachTime_data();
    void buttonsOpenANewModalWindowEachTime();
    void slipsReadThePrintTab();
};

void PoolAccessTest::buttonsOpenANewModalWindowEachTime_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("title");
    QTest::newRow("Loteca") << "Button15"
                            << "QUIRVA - Fechamento para a LOTECA";
    QTest::newRow("Lotogol") << "Button4"
                             << "QUIRVA - Fechamento para a LOTOGOL";
}

void PoolAccessTest::buttonsOpenANewModalWindowEachTime()
{
    QFETCH(QString, button);
    QFETCH(QString, title);
    MainWindowFixture f;
    f.start();
    QStringList seen;
    for (int press = 0; press < 2; ++press) {
        Ui::later(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            seen << modal->windowTitle();
            QCOMPARE(modal->minimumSize(), modal->maximumSize());
            // Every window starts from its initial state: an empty list.
            QCOMPARE(modal->findChild<QLabel*>("Label1")->text(), QString("0"));
            modal->findChild<QLabel*>("Label1")->setText("changed");
            modal->close();
        });
        Ui::click(f.form.get(), button);
    }
    QCOMPARE(seen, QStringList({ title, title }));
    QVERIFY(f.dialogs->messages.isEmpty());
    QVERIFY(f.form->findChildren<PoolWindow*>().isEmpty());
}

void PoolAccessTest::slipsReadThePrintTab()
{
    MainWindowFixture f;
    f.start();
    QCOMPARE(TFormLoteca().printSettings().leftMarginMm, 64);
    Ui::find<QCheckBox>(f.form.get(), "CheckBox10")->setChecked(true);
    Ui::find<QSlider>(f.form.get(), "TrackBar1")->setValue(30);
    Ui::find<QSlider>(f.form.get(), "TrackBar2")->setValue(-5);
    PrintSettings settings;
    Ui::later(0, [&] {
        settings = qobject_cast<PoolWindow*>(QApplication::activeModalWidget())->printSettings();
        QApplication::activeModalWidget()->close();
    });
    Ui::click(f.form.get(), "Button15");
    QVERIFY(settings.officialSlip);
    QCOMPARE(settings.leftMarginMm, 30);
    QCOMPARE(settings.topMarginMm, -5);
}

QTEST_MAIN(PoolAccessTest)
#include "pool_access_test.moc"
