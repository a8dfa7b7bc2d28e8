#include "support/app_fixture.h"
#include "support/ui_driver.h"
#include "support/ui_find.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScatterSeries>
#include <QTabWidget>
#include <QTest>
#include <QValueAxis>

namespace {

QStringList items(const TForm1& form)
{
    QStringList texts;
    for (int i = 0; i < Ui::find<QListWidget>(&form, "CheckListBox1")->count(); ++i)
        texts << Ui::find<QListWidget>(&form, "CheckListBox1")->item(i)->text();
    return texts;
}

void check(TForm1& form, const QString& text)
{
    const auto found
        = Ui::find<QListWidget>(&form, "CheckListBox1")->findItems(text, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    found.front()->setCheckState(Qt::Checked);
}

QCategoryAxis* numberAxis(const TForm1& form)
{
    return Ui::find<QChartView>(&form, "ChartView1")
        ->chart()
        ->findChild<QCategoryAxis*>(QStringLiteral("AxisDezenas"));
}

} // namespace

class ComparisonChartTest : public QObject
{
    Q_OBJECT
private slots:
    void chartsTheDrawsArea();
    void emptyDrawsAreaGivesAnEmptyChart();
    void checkedItemsAreCounted();
    void markingPutsTheCheckedNumbersOnTheBoard();
    void markingRefuses_data();
    void markingRefuses();
    void nonNumericFieldShowsConversionError();
    void modalitySwitchResetsTheChart();
    void countAxisHasWholeTicks_data();
    void countAxisHasWholeTicks();
};

void ComparisonChartTest::chartsTheDrawsArea()
{
    MainWindowFixture f;
    f.start();
    Ui::find<LineView>(&*f.form, "Memo2")->store().setLines({ " 01 02 03", " 02 03 04" });
    Ui::click(f.form.get(), QStringLiteral("Button22"));
    const QList<QPointF> points = Ui::series(&*f.form, "Series1")->points();
    QCOMPARE(points, (QList<QPointF> { { 1, 1 }, { 2, 2 }, { 3, 2 }, { 4, 1 } }));
    QCOMPARE(numberAxis(*f.form)->categoriesLabels(), (QStringList { "01", "02", "03", "04" }));
    QCOMPARE(numberAxis(*f.form)->endValue("03"), 3.0);
    QCOMPARE(numberAxis(*f.form)->titleText(), QStringLiteral("Dezenas"));
    const auto vertical = Ui::find<QChartView>(&*f.form, "ChartView1")->chart()->axes(Qt::Vertical);
    QCOMPARE(vertical.size(), 1);
    QCOMPARE(
        vertical.front()->titleText(), QStringLiteral("Quantidade de vezes que a dezena apareceu"));
    QVERIFY(!Ui::find<QChartView>(&*f.form, "ChartView1")->chart()->legend()->isVisible());
    QCOMPARE(Ui::series(&*f.form, "Series1")->color(), QColor(Qt::red));
    QCOMPARE(items(*f.form), (QStringList { "02 = 2", "03 = 2", "01 = 1", "04 = 1" }));
    QCOMPARE(Ui::find<QLabel>(&*f.form, "Label116")->text(), QStringLiteral("0"));
    for (int i = 0; i < Ui::find<QListWidget>(&*f.form, "CheckListBox1")->count(); ++i)
        QCOMPARE(
            Ui::find<QListWidget>(&*f.form, "CheckListBox1")->item(i)->checkState(), Qt::Unchecked);

    // A second count replaces the first.
    Ui::find<LineView>(&*f.form, "Memo2")->store().setLines({ " 05" });
    Ui::click(f.form.get(), QStringLiteral("Button22"));
    QCOMPARE(Ui::series(&*f.form, "Series1")->points(), (QList<QPointF> { { 1, 1 } }));
    QCOMPARE(numberAxis(*f.form)->categoriesLabels(), QStringList { "05" });
    QCOMPARE(items(*f.form), QStringList { "05 = 1" });
}

void ComparisonChartTest::emptyDrawsAreaGivesAnEmptyChart()
{
    MainWindowFixture f;
    f.start();
    Ui::find<LineView>(&*f.form, "Memo2")->store().clear();
    Ui::click(f.form.get(), QStringLiteral("Button22"));
    QCOMPARE(Ui::series(&*f.form, "Series1")->count(), 0);
    QCOMPARE(Ui::find<QListWidget>(&*f.form, "CheckListBox1")->count(), 0);
    QCOMPARE(Ui::find<QLabel>(&*f.form, "Label116")->text(), QStringLiteral("0"));
    QVERIFY(f.dialogs->messages.isEmpty());
}

void ComparisonChartTest::checkedItemsAreCounted()
{
    MainWindowFixture f;
    f.start();
    Ui::find<LineView>(&*f.form, "Memo2")->store().setLines({ " 01 02 03", " 02 03 04" });
    Ui::click(f.form.get(), QStringLiteral("Button22"));
    check(*f.form, "01 = 1");
    check(*f.form, "03 = 2");
    QCOMPARE(Ui::find<QLabel>(&*f.form, "Label116")->text(), QStringLiteral("2"));
    Ui::find<QListWidget>(&*f.form, "CheckListBox1")->item(1)->setCheckState(Qt::Unchecked);
    QCOMPARE(Ui::find<QLabel>(&*f.form, "Label116")->text(), QStringLiteral("1"));
}

void ComparisonChartTest::markingPutsTheCheckedNumbersOnTheBoard()
{
    MainWindowFixture f;
    f.start(); // Lotomania, with a random bet of 60 on the board
    Ui::find<LineView>(&*f.form, "Memo2")->store().setLines({ " 00 05 17", " 00 17" });
    Ui::click(f.form.get(), QStringLiteral("Button22"));
    QCOMPARE(items(*f.form), (QStringList { "00 = 2", "17 = 2", "05 = 1" }));
    check(*f.form, "00 = 2");
    check(*f.form, "05 = 1");
    Ui::click(f.form.get(), QStringLiteral("Button23"));
    QVERIFY(f.dialogs->messages.isEmpty());
    for (int n = 1; n <= 100; ++n)
        QCOMPARE(f.form->board.state(n) == Board::State::Selected, n == 5 || n == 100);
    QCOMPARE(Ui::find<QLabel>(f.form.get(), "Label20")->text(), QStringLiteral("2"));
    QCOMPARE(Ui::find<QLabel>(f.form.get(), "Label22")->text(), QStringLiteral("2"));
    QCOMPARE(Ui::text(f.form.get(), "Edit9"), f.form->SelectedText());
    QVERIFY(Ui::text(f.form.get(), "Edit9").contains("05"));
    QVERIFY(Ui::text(f.form.get(), "Edit9").contains("00"));
    QCOMPARE(Ui::find<QTabWidget>(f.form.get(), "PageControl1")->currentWidget(),
        Ui::find<QWidget>(f.form.get(), "TabSelecao"));
}

void ComparisonChartTest::markingRefuses_data()
{
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<QString>("T");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing checked")
        << QStringList {} << "60"
        << "A quantidade de dezenas selecionadas tem que ser maior que zero.";
    QTest::newRow("more than T") << QStringList { "01 = 1", "02 = 1", "03 = 1" } << "2"
                                 << "A quantidade de dezenas selecionadas não pode ultrapassar 2.";
}

void ComparisonChartTest::markingRefuses()
{
    QFETCH(QStringList, checked);
    QFETCH(QString, T);
    QFETCH(QString, message);
    MainWindowFixture f;
    f.start();
    const Board before = f.form->board;
    Ui::find<LineView>(&*f.form, "Memo2")->store().setLines({ " 01 02 03" });
    Ui::click(f.form.get(), QStringLiteral("Button22"));
    for (const QString& text : checked)
        check(*f.form, text);
    Ui::find<QLineEdit>(f.form.get(), "Edit1")->setText(T);
    Ui::click(f.form.get(), QStringLiteral("Button23"));
    QCOMPARE(f.dialogs->lastMessage(), message);
    for (int n = 1; n <= 100; ++n)
        QCOMPARE(f.form->board.state(n), before.state(n));
}

void ComparisonChartTest::nonNumericFieldShowsConversionError()
{
    MainWindowFixture f;
    f.start();
    Ui::find<LineView>(&*f.form, "Memo2")->store().setLines({ " 01 02", " 03 ab" });
    Ui::click(f.form.get(), QStringLiteral("Button22"));
    QCOMPARE(f.dialogs->lastMessage(), QStringLiteral("'ab' is not a valid integer value"));
    QCOMPARE(Ui::series(&*f.form, "Series1")->count(), 0);
    QCOMPARE(Ui::find<QListWidget>(&*f.form, "CheckListBox1")->count(), 0);
}

void ComparisonChartTest::modalitySwitchResetsTheChart()
{
    MainWindowFixture f;
    f.start();
    Ui::find<LineView>(&*f.form, "Memo2")->store().setLines({ " 01 02 75" });
    Ui::click(f.form.get(), QStringLiteral("Button22"));
    check(*f.form, "75 = 1");
    Ui::click(f.form.get(), QStringLiteral("RadioButton3"));
    QCOMPARE(Ui::series(&*f.form, "Series1")->count(), 0);
    QCOMPARE(Ui::find<QListWidget>(&*f.form, "CheckListBox1")->count(), 0);
    QCOMPARE(Ui::find<QLabel>(&*f.form, "Label116")->text(), QStringLiteral("0"));
    QVERIFY(numberAxis(*f.form)->categoriesLabels().isEmpty());

    // The Lotomania draws are still there; a number Mega-Sena lacks is not put on its board.
    Ui::click(f.form.get(), QStringLiteral("Button22"));
    check(*f.form, "75 = 1");
    check(*f.form, "01 = 1");
    const Board before = f.form->board;
    Ui::click(f.form.get(), QStringLiteral("Button23"));
    QCOMPARE(f.dialogs->lastMessage(),
        QStringLiteral("A dezena 75 não existe na modalidade selecionada."));
    for (int n = 1; n <= 100; ++n)
        QCOMPARE(f.form->board.state(n), before.state(n));
}

void ComparisonChartTest::countAxisHasWholeTicks_data()
{
    QTest::addColumn<int>("drawsOfOne"); // lines " 01"; -1: the chart as the window opens
    QTest::addColumn<QList<double>>("ticks");
    QTest::newRow("at start-up") << -1 << QList<double> { 0, 1 };
    QTest::newRow("empty draws area") << 0 << QList<double> { 0, 1 };
    QTest::newRow("three draws") << 3 << QList<double> { 0, 1, 2, 3, 4 };
    QTest::newRow("twenty-five draws") << 25 << QList<double> { 0, 5, 10, 15, 20, 25 };
    QTest::newRow("ten thousand draws")
        << 10000 << QList<double> { 0, 2000, 4000, 6000, 8000, 10000 };
}

void ComparisonChartTest::countAxisHasWholeTicks()
{
    QFETCH(int, drawsOfOne);
    QFETCH(QList<double>, ticks);
    MainWindowFixture f;
    f.start();
    if (drawsOfOne >= 0) {
        Ui::find<LineView>(&*f.form, "Memo2")
            ->store()
            .setLines(QStringList(drawsOfOne, QStringLiteral(" 01")));
        Ui::click(f.form.get(), QStringLiteral("Button22"));
    }
    auto* axis = Ui::find<QChartView>(&*f.form, "ChartView1")
                     ->chart()
                     ->findChild<QValueAxis*>("AxisQuantidade");
    QCOMPARE(axis->tickType(), QValueAxis::TicksDynamic);
    QList<double> shown;
    for (double t = axis->tickAnchor(); t <= axis->max(); t += axis->tickInterval())
        if (t >= axis->min()) shown << t;
    QCOMPARE(shown, ticks);
}

QTEST_MAIN(ComparisonChartTest)
#include "comparison_chart_test.moc"
