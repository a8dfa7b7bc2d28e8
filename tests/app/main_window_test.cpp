#include "support/app_fixture.h"
#include "support/ui_driver.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithRandomLotomaniaBet();
    void generatorRunsUntilParar();
};

void MainWindowTest::startsWithRandomLotomaniaBet()
{
    MainWindowFixture f;
    f.start();
    QCOMPARE(f.form->Edit1->text(), QString("60"));
    QCOMPARE(f.form->Label22->text(), QString("60"));
    QCOMPARE(f.form->Edit3->text(), QString("3"));
    QCOMPARE(f.form->Button10->text(), QString("Abrir Fechamento (50 Dz)"));
    QCOMPARE(f.form->Button13->text(), QString("Abrir (20 Dz)"));
    QVERIFY(f.dialogs->messages.isEmpty());
}

void MainWindowTest::generatorRunsUntilParar()
{
    MainWindowFixture f;
    f.start();
    Ui::later(300, [&] { Ui::click(f.form.get(), "Button5"); });
    Ui::click(f.form.get(), "Button1");
    QVERIFY(f.form->stopFlag);
    QVERIFY(f.form->Memo1->store().size() > 0);
    QVERIFY(f.form->Label2->text().contains(" fechados em "));
    QVERIFY(f.form->Button1->isEnabled());
    QVERIFY(!f.form->Button5->isEnabled());
    QVERIFY(f.form->Button7->isEnabled());
    for (qsizetype i = 0; i < f.form->Memo1->store().size(); ++i)
        QCOMPARE(f.form->Memo1->store().mask(i).count(), 50);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
