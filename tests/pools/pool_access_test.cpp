#include "pools/pool_print_settings.h"
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
    QCOMPARE(poolPrintSettings(nullptr).leftMarginMm, 64);
    // The print tab's own controls where it has them, stand-ins of the same names otherwise.
    auto* official = f.form->findChild<QCheckBox*>("CheckBox10");
    if (!official) {
        official = new QCheckBox(Ui::find<QWidget>(f.form.get(), "TabImpressao"));
        official->setObjectName("CheckBox10");
    }
    QSlider* bars[2]
        = { f.form->findChild<QSlider*>("TrackBar1"), f.form->findChild<QSlider*>("TrackBar2") };
    for (int i = 0; i < 2; ++i)
        if (!bars[i]) {
            bars[i] = new QSlider(Ui::find<QWidget>(f.form.get(), "TabImpressao"));
            bars[i]->setObjectName(QString("TrackBar%1").arg(i + 1));
            bars[i]->setRange(-200, 200);
        }
    official->setChecked(true);
    bars[0]->setValue(30);
    bars[1]->setValue(-5);
    const PrintSettings settings = poolPrintSettings(f.form.get());
    QVERIFY(settings.officialSlip);
    QCOMPARE(settings.leftMarginMm, 30);
    QCOMPARE(settings.topMarginMm, -5);
}

QTEST_MAIN(PoolAccessTest)
#include "pool_access_test.moc"
