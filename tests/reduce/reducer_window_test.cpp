#include "engine/generate/line_format.h"
#include "engine/reduce/lotofacil_grid.h"
#include "reduce/lotofacil_reducer.h"
#include "reduce/reducers.h"
#include "support/app_fixture.h"
#include "support/ui_driver.h"
#include "support/ui_find.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <numeric>
#include <random>

namespace {

QString label(QWidget* root, const QString& name)
{
    return Ui::find<QLabel>(root, name)->text();
}

bool tabShown(TForm1& form, QWidget* tab)
{
    return Ui::find<QTabWidget>(&form, "PageControl1")
        ->isTabVisible(Ui::find<QTabWidget>(&form, "PageControl1")->indexOf(tab));
}

QString ticket(std::vector<int> numbers)
{
    std::sort(numbers.begin(), numbers.end());
    return LineFormat::numberLine(numbers, u' ');
}

std::vector<int> numbersOf(const QString& line)
{
    std::vector<int> numbers;
    for (qsizetype p = 1; p + 1 < line.size(); p += 3)
        numbers.push_back(line.mid(p, 2).toInt());
    return numbers;
}

void selectRows(QListWidget* list, const QStringList& startsWith)
{
    list->clearSelection();
    for (int i = 0; i < list->count(); ++i)
        for (const QString& s : startsWith)
            if (list->item(i)->text().startsWith(s + " -->")) list->item(i)->setSelected(true);
}

} // namespace

class ReducerWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void coverageAtStartUp_data();
    void coverageAtStartUp();
    void fullyOpenLimitsCoverEveryTicket();
    void leavingALimitClampsIt_data();
    void leavingALimitClampsIt();
    void lowerLimitFollowsAnUpperLimitBelowIt();
    void limitThatIsNoNumberKeepsTextAndFigures();
    void listsFilledAtStartUp();
    void listTotalsShownOnLeaving();
    void lotofacilReductionMatchesDirectFilter();
    void lotofacilWithoutFiltersReportsTheCountTwice();
    void pararLeavesTheClosingUnchanged();
    void lotofacilLineWithoutTicketCancels();
    void lotofacilConversionErrorRestoresControls();
    void positionReducers_data();
    void positionReducers();
    void wrongLineLengthCancels();
    void limitThatIsNoNumberEndsRunBeforeItStarts();
    void reducerTabsFollowTheModality();

private:
    TForm1& form() { return *f.form; }
    void setClosing(const QStringList& lines)
    {
        Ui::closing(&form()).setLines(lines);
        Ui::find<LineView>(&form(), "Memo1")->sync();
    }
    QStringList closing() const { return Ui::closing(f.form.get()).lines(); }
    void expectIdle()
    {
        QVERIFY(form().stopFlag);
        QVERIFY(Ui::find<QPushButton>(&form(), "Button1")->isEnabled());
        QVERIFY(!Ui::find<QPushButton>(&form(), "Button5")->isEnabled());
        QVERIFY(Ui::find<QPushButton>(&form(), "Button11")->isEnabled());
        QVERIFY(Ui::find<QPushButton>(&form(), "Button7")->isEnabled());
        QVERIFY(Ui::find<QRadioButton>(&form(), "RadioButton1")->isEnabled());
        QVERIFY(!Ui::find<QLineEdit>(&form(), "Edit1")->isReadOnly());
        for (QWidget* tab : { Ui::find<QWidget>(&form(), "TabLotofacil"),
                 Ui::find<QWidget>(&form(), "TabQuina"), Ui::find<QWidget>(&form(), "TabMegaSena"),
                 Ui::find<QWidget>(&form(), "TabDuplaSena") })
            QVERIFY(tab->isEnabled());
    }

    MainWindowFixture f;
};

void ReducerWindowTest::init()
{
    f.start();
}
void ReducerWindowTest::cleanup()
{
    f.form.reset();
}

void ReducerWindowTest::coverageAtStartUp_data()
{
    QTest::addColumn<QString>("labelName");
    QTest::addColumn<QString>("expected");
    QTest::newRow("LF 1: 1-3") << "LabelCoberturaLF1"
                               << "3.098.216";
    QTest::newRow("LF 8: 11-15") << "LabelCoberturaLF8"
                                 << "2.583.504";
    QTest::newRow("QI 1: 1-31") << "LabelCoberturaQI1"
                                << "22.133.132";
    QTest::newRow("MS 6: 36-60") << "LabelCoberturaMS6"
                                 << "48.440.700";
    QTest::newRow("DS 3: 9-34") << "LabelCoberturaDS3"
                                << "14.007.630";
}

void ReducerWindowTest::coverageAtStartUp()
{
    QFETCH(QString, labelName);
    QFETCH(QString, expected);
    QCOMPARE(label(&form(), labelName), expected);
}

void ReducerWindowTest::fullyOpenLimitsCoverEveryTicket()
{
    for (int field = 14; field <= 43; ++field)
        Ui::type(&form(), QString("Edit%1").arg(field), field % 2 == 0 ? "0" : "99");
    for (int position = 1; position <= 15; ++position) {
        QCOMPARE(
            Ui::text(&form(), QString("Edit%1").arg(12 + 2 * position)), QString::number(position));
        QCOMPARE(Ui::text(&form(), QString("Edit%1").arg(13 + 2 * position)),
            QString::number(position + 10));
        QCOMPARE(label(&form(), QString("LabelCoberturaLF%1").arg(position)), QString("3.268.760"));
    }
}

void ReducerWindowTest::leavingALimitClampsIt_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("LF lower of 1 below") << "Edit14"
                                         << "0"
                                         << "1";
    QTest::newRow("LF upper of 1 above") << "Edit15"
                                         << "30"
                                         << "11";
    QTest::newRow("LF upper of 15 inside") << "Edit43"
                                           << "24"
                                           << "24";
    QTest::newRow("QI upper of 5 above") << "Edit56"
                                         << "95"
                                         << "80";
    QTest::newRow("MS lower of 2 negative") << "Edit59"
                                            << "-5"
                                            << "2";
    QTest::newRow("DS upper of 6 above") << "Edit80"
                                         << "51"
                                         << "50";
}

void ReducerWindowTest::leavingALimitClampsIt()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    Ui::type(&form(), field, typed);
    QCOMPARE(Ui::text(&form(), field), expected);
    QVERIFY(f.dialogs->messages.isEmpty());
}

void ReducerWindowTest::lowerLimitFollowsAnUpperLimitBelowIt()
{
    QCOMPARE(Ui::text(&form(), "Edit61"), QString("7"));
    Ui::type(&form(), "Edit62", "5");
    QCOMPARE(Ui::text(&form(), "Edit61"), QString("5"));
    QCOMPARE(label(&form(), "LabelCoberturaMS3"), QString("157.410"));
    // The other positions keep their figures.
    QCOMPARE(label(&form(), "LabelCoberturaMS6"), QString("48.440.700"));
}

void ReducerWindowTest::limitThatIsNoNumberKeepsTextAndFigures()
{
    Ui::type(&form(), "Edit14", "3");
    const QString before = label(&form(), "LabelCoberturaLF1");
    QCOMPARE(before, QString("319.770"));
    Ui::type(&form(), "Edit14", "x");
    QCOMPARE(f.dialogs->lastMessage(), QString("'x' is not a valid integer value"));
    QCOMPARE(Ui::text(&form(), "Edit14"), QString("x"));
    QCOMPARE(label(&form(), "LabelCoberturaLF1"), before);
    QVERIFY(form().stopFlag);
}

void ReducerWindowTest::listsFilledAtStartUp()
{
    auto* rows = Ui::find<QListWidget>(&form(), "ListBox1");
    auto* columns = Ui::find<QListWidget>(&form(), "ListBox2");
    auto* sums = Ui::find<QListWidget>(&form(), "ListBox3");
    QCOMPARE(rows->count(), 651);
    QCOMPARE(columns->count(), 651);
    QCOMPARE(sums->count(), 151);
    QCOMPARE(rows->item(0)->text(), QString("00555 --> 1"));
    QCOMPARE(columns->item(650)->text(), QString("33333 --> 100000"));
    QCOMPARE(sums->item(0)->text(), QString("120 --> 1"));
    QCOMPARE(sums->item(75)->text().left(7), QString("195 -->"));
    QVERIFY(rows->selectionMode() == QAbstractItemView::ExtendedSelection);
}

void ReducerWindowTest::listTotalsShownOnLeaving()
{
    auto* columns = Ui::find<QListWidget>(&form(), "ListBox2");
    selectRows(columns, { "33333", "00555" });
    QCOMPARE(label(&form(), "LabelCoberturaTotal2"), QString("0")); // not before leaving
    Ui::leave(&form(), "ListBox2");
    QCOMPARE(label(&form(), "LabelCoberturaTotal2"), QString("100.001"));
    auto* sums = Ui::find<QListWidget>(&form(), "ListBox3");
    selectRows(sums, { "270" });
    Ui::leave(&form(), "ListBox3");
    QCOMPARE(label(&form(), "LabelCoberturaTotal3"), QString("1"));
    QCOMPARE(label(&form(), "LabelCoberturaTotal1"), QString("0"));
}

void ReducerWindowTest::lotofacilReductionMatchesDirectFilter()
{
    Ui::click(&form(), "RadioButton2");
    QVERIFY(tabShown(form(), Ui::find<QWidget>(&form(), "TabLotofacil")));
    std::mt19937 rng(5);
    QStringList lines;
    std::vector<int> all(25);
    std::iota(all.begin(), all.end(), 1);
    for (int i = 0; i < 2000; ++i) {
        std::shuffle(all.begin(), all.end(), rng);
        lines << ticket({ all.begin(), all.begin() + 15 });
    }
    setClosing(lines);
    const QStringList rowChoice { "33333", "43332", "34332", "23343", "33432", "24333" };
    const QStringList columnChoice { "33333", "32433", "33342", "43233", "23433", "33324",
        "42333" };
    selectRows(Ui::find<QListWidget>(&form(), "ListBox1"), rowChoice);
    selectRows(Ui::find<QListWidget>(&form(), "ListBox2"), columnChoice);
    QStringList sumChoice;
    for (int s = 180; s <= 210; ++s)
        sumChoice << QString::number(s);
    selectRows(Ui::find<QListWidget>(&form(), "ListBox3"), sumChoice);
    for (const char* list : { "ListBox1", "ListBox2", "ListBox3" })
        Ui::leave(&form(), list);
    Ui::type(&form(), "Edit28", "12"); // position 8 from 12 on
    for (const char* box : { "CheckBox7", "CheckBox8", "CheckBox9", "CheckBox13" })
        Ui::find<QCheckBox>(&form(), box)->setChecked(true);
    Ui::find<QTabWidget>(&form(), "PageControl1")
        ->setCurrentWidget(Ui::find<QWidget>(&form(), "TabLotofacil"));

    Ui::click(&form(), "Button17");

    QStringList expected;
    const auto& limits = ReducerGame::lotofacil().defaults;
    for (const QString& line : lines) {
        const std::vector<int> n = numbersOf(line);
        bool keep = true;
        for (int p = 0; p < 15; ++p) {
            const int low = p == 7 ? 12 : limits[static_cast<std::size_t>(p)].first;
            keep = keep && n[static_cast<std::size_t>(p)] >= low
                && n[static_cast<std::size_t>(p)] <= limits[static_cast<std::size_t>(p)].second;
        }
        QString rows(5, u'0'), columns(5, u'0');
        for (int x : n) {
            rows[(x - 1) / 5] = QChar(rows[(x - 1) / 5].unicode() + 1);
            columns[(x - 1) % 5] = QChar(columns[(x - 1) % 5].unicode() + 1);
        }
        const int sum = std::accumulate(n.begin(), n.end(), 0);
        if (keep && rowChoice.contains(rows) && columnChoice.contains(columns) && sum >= 180
            && sum <= 210)
            expected << line;
    }
    QVERIFY(!expected.isEmpty());
    QCOMPARE(closing(), expected);
    QCOMPARE(Ui::find<QLabel>(&form(), "Label15")->text(), QString("Redução concluída."));
    QCOMPARE(Ui::find<QLabel>(&form(), "Label2")->text(),
        QString("%1 no resultado reduzido. Total anterior 2000.").arg(expected.size()));
    QCOMPARE(Ui::find<QTabWidget>(&form(), "PageControl1")->currentWidget(),
        Ui::find<QWidget>(&form(), "TabFechamento"));
    QCOMPARE(Ui::find<QProgressBar>(&form(), "ProgressBar1")->value(), 2000);
    QVERIFY(f.dialogs->messages.isEmpty());
    expectIdle();
}

void ReducerWindowTest::lotofacilWithoutFiltersReportsTheCountTwice()
{
    const QStringList lines { ticket({ 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15 }),
        " 01 02" }; // not a ticket, but no filter reads it
    setClosing(lines);
    Ui::click(&form(), "Button17");
    QCOMPARE(closing(), lines);
    QCOMPARE(Ui::find<QLabel>(&form(), "Label2")->text(),
        QString("2 no resultado reduzido. Total anterior 2."));
    QCOMPARE(Ui::find<QLabel>(&form(), "Label15")->text(), QString("Redução concluída."));
    expectIdle();
}

void ReducerWindowTest::pararLeavesTheClosingUnchanged()
{
    QStringList lines;
    for (int i = 0; i < 50; ++i)
        lines << ticket({ 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15 + i % 10 });
    setClosing(lines);
    Ui::find<QCheckBox>(&form(), "CheckBox13")->setChecked(true); // nothing selected: all go
    bool lockedDuringRun = false;
    Ui::later(0, [&] {
        lockedDuringRun = !form().stopFlag
            && !Ui::find<QWidget>(&form(), "TabLotofacil")->isEnabled()
            && Ui::find<QPushButton>(&form(), "Button5")->isEnabled()
            && !Ui::find<QPushButton>(&form(), "Button1")->isEnabled()
            && !Ui::find<QPushButton>(&form(), "Button11")->isEnabled()
            && Ui::find<QLineEdit>(&form(), "Edit1")->isReadOnly()
            && !Ui::find<QRadioButton>(&form(), "RadioButton2")->isEnabled()
            && !Ui::find<QPushButton>(&form(), "Button3")->isEnabled()
            && Ui::find<QLabel>(&form(), "Label15")->text() == "Redução em andamento.";
        Ui::click(&form(), "Button18"); // another reducer is refused while this one runs
        Ui::click(&form(), "Button5");
    });
    Ui::click(&form(), "Button17");
    QVERIFY(lockedDuringRun);
    QCOMPARE(
        f.dialogs->messages, QStringList { "Aperte em PARAR para poder reduzir um fechamento." });
    QCOMPARE(closing(), lines);
    QCOMPARE(Ui::find<QLabel>(&form(), "Label15")->text(), QString("Redução cancelada."));
    QCOMPARE(Ui::find<QLabel>(&form(), "Label2")->text(),
        QString("50 no resultado reduzido. Total anterior 50."));
    expectIdle();
}

void ReducerWindowTest::lotofacilLineWithoutTicketCancels()
{
    const QStringList lines { ticket({ 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15 }),
        ticket({ 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14 }),
        ticket({ 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25 }) };
    setClosing(lines);
    Ui::find<QCheckBox>(&form(), "CheckBox7")->setChecked(true);
    Ui::click(&form(), "Button17");
    QCOMPARE(closing(), lines);
    QCOMPARE(Ui::find<QLabel>(&form(), "Label15")->text(), QString("Redução cancelada."));
    QCOMPARE(Ui::find<QLabel>(&form(), "Label2")->text(),
        QString("3 no resultado reduzido. Total anterior 3."));
    QCOMPARE(f.dialogs->messages.size(), 1);
    QVERIFY(f.dialogs->lastMessage().startsWith("A linha 2 do fechamento"));
    expectIdle();
}

void ReducerWindowTest::lotofacilConversionErrorRestoresControls()
{
    const QStringList lines { ticket({ 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15 }),
        " 01 02 03 04 05 06 07 ab 09 10 11 12 13 14 15" };
    setClosing(lines);
    Ui::find<QLabel>(&form(), "Label2")->setText("2");
    Ui::find<QCheckBox>(&form(), "CheckBox8")->setChecked(true);
    Ui::click(&form(), "Button17");
    QCOMPARE(f.dialogs->lastMessage(), QString("'ab' is not a valid integer value"));
    QCOMPARE(closing(), lines);
    expectIdle();
}

void ReducerWindowTest::positionReducers_data()
{
    QTest::addColumn<QString>("modality");
    QTest::addColumn<QString>("switchName");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("switchOn");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("Mega-Sena defaults")
        << "RadioButton3"
        << "CheckBox5"
        << "Button18" << true
        << QStringList { " 01 02 03 04 05 06", " 10 20 30 40 50 60", " 01 02 07 15 24 36" }
        << QStringList { " 10 20 30 40 50 60", " 01 02 07 15 24 36" };
    QTest::newRow("Quina defaults")
        << "RadioButton5"
        << "CheckBox11"
        << "Button14" << true << QStringList { " 32 40 50 60 70", " 31 40 50 60 70" }
        << QStringList { " 31 40 50 60 70" };
    QTest::newRow("Dupla-Sena switch off")
        << "RadioButton4"
        << "CheckBox12"
        << "Button19" << false << QStringList { " 01 02 03 04 05 06", " 10 20 30 40 50 60" }
        << QStringList { " 01 02 03 04 05 06", " 10 20 30 40 50 60" };
    QTest::newRow("Dupla-Sena unsorted line read by position")
        << "RadioButton4"
        << "CheckBox12"
        << "Button19" << true << QStringList { " 10 20 30 40 48 50", " 20 10 30 40 48 50" }
        << QStringList { " 10 20 30 40 48 50" };
}

void ReducerWindowTest::positionReducers()
{
    QFETCH(QString, modality);
    QFETCH(QString, switchName);
    QFETCH(QString, button);
    QFETCH(bool, switchOn);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, kept);
    Ui::click(&form(), modality);
    setClosing(lines);
    Ui::find<QCheckBox>(&form(), switchName)->setChecked(switchOn);
    Ui::click(&form(), button);
    QCOMPARE(closing(), kept);
    QCOMPARE(Ui::find<QLabel>(&form(), "Label15")->text(), QString("Redução concluída."));
    QCOMPARE(Ui::find<QLabel>(&form(), "Label2")->text(),
        QString("%1 no resultado reduzido. Total anterior %2.").arg(kept.size()).arg(lines.size()));
    QCOMPARE(Ui::find<QTabWidget>(&form(), "PageControl1")->currentWidget(),
        Ui::find<QWidget>(&form(), "TabFechamento"));
    QVERIFY(f.dialogs->messages.isEmpty());
    expectIdle();
}

void ReducerWindowTest::wrongLineLengthCancels()
{
    Ui::click(&form(), "RadioButton5");
    const QStringList lines { " 01 02 03 04 05", " 01 02 03 04 05 06", " 40 50 60 70 80" };
    setClosing(lines);
    Ui::find<QCheckBox>(&form(), "CheckBox11")->setChecked(true);
    Ui::click(&form(), "Button14");
    QCOMPARE(closing(), lines);
    QCOMPARE(Ui::find<QLabel>(&form(), "Label15")->text(), QString("Redução cancelada."));
    QCOMPARE(Ui::find<QLabel>(&form(), "Label2")->text(),
        QString("3 no resultado reduzido. Total anterior 3."));
    QCOMPARE(f.dialogs->messages.size(), 1);
    QVERIFY(f.dialogs->lastMessage().contains("tem 18 caracteres"));
    QVERIFY(f.dialogs->lastMessage().contains("5 dezenas (15 caracteres por linha)"));
    expectIdle();
}

void ReducerWindowTest::limitThatIsNoNumberEndsRunBeforeItStarts()
{
    Ui::click(&form(), "RadioButton3");
    const QStringList lines { " 01 02 03 04 05 06" };
    setClosing(lines);
    Ui::find<QLabel>(&form(), "Label2")->setText("1");
    Ui::find<QLineEdit>(&form(), "Edit60")->setText("?");
    Ui::find<QCheckBox>(&form(), "CheckBox5")->setChecked(true);
    Ui::click(&form(), "Button18");
    QCOMPARE(f.dialogs->lastMessage(), QString("'?' is not a valid integer value"));
    QCOMPARE(closing(), lines);
    QCOMPARE(Ui::find<QLabel>(&form(), "Label2")->text(), QString("1"));
    expectIdle();
}

void ReducerWindowTest::reducerTabsFollowTheModality()
{
    TForm1& w = form();
    for (QWidget* tab : { Ui::find<QWidget>(&w, "TabLotofacil"), Ui::find<QWidget>(&w, "TabQuina"),
             Ui::find<QWidget>(&w, "TabMegaSena"), Ui::find<QWidget>(&w, "TabDuplaSena") })
        QVERIFY(!tabShown(w, tab));
    Ui::click(&w, "RadioButton2");
    QVERIFY(tabShown(w, Ui::find<QWidget>(&w, "TabLotofacil")));
    Ui::click(&w, "RadioButton3");
    QVERIFY(!tabShown(w, Ui::find<QWidget>(&w, "TabLotofacil")));
    QVERIFY(tabShown(w, Ui::find<QWidget>(&w, "TabMegaSena")));
    Ui::type(&w, "Edit2", "7");
    QVERIFY(!tabShown(w, Ui::find<QWidget>(&w, "TabMegaSena")));
    Ui::type(&w, "Edit2", "6");
    QVERIFY(tabShown(w, Ui::find<QWidget>(&w, "TabMegaSena")));
    Ui::click(&w, "RadioButton5");
    QVERIFY(tabShown(w, Ui::find<QWidget>(&w, "TabQuina")));
    QVERIFY(!tabShown(w, Ui::find<QWidget>(&w, "TabMegaSena")));
    Ui::click(&w, "RadioButton6");
    for (QWidget* tab : { Ui::find<QWidget>(&w, "TabLotofacil"), Ui::find<QWidget>(&w, "TabQuina"),
             Ui::find<QWidget>(&w, "TabMegaSena"), Ui::find<QWidget>(&w, "TabDuplaSena") })
        QVERIFY(!tabShown(w, tab));
}

// The coverage figures follow the user's locale; these tests run as a Brazilian user.
int main(int argc, char** argv)
{
    qputenv("LC_ALL", "pt_BR.UTF-8");
    QApplication app(argc, argv);
    ReducerWindowTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "reducer_window_test.moc"
