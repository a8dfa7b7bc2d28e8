#include "engine/base/random_source.h"
#include "pools/tform_gol.h"
#include "support/app_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/ui_driver.h"
#include "ui/line_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

struct LotogolFixture {
    ScriptedDialogs* dialogs = &ScriptedDialogs::install();
    std::unique_ptr<TFormGOL> window;

    explicit LotogolFixture(std::uint64_t seed = 17)
    {
        RandomSource::instance().fixSeed(seed);
        window = std::make_unique<TFormGOL>();
    }
    QCheckBox* box(int row, int score) const
    {
        return window->lotogolBoxes[std::size_t(5 * (row - 1) + score)];
    }
    // One string per team row, the scores checked in it.
    void setBoard(const QStringList& rows)
    {
        for (int r = 1; r <= 10; ++r)
            for (int k = 1; k <= 5; ++k)
                box(r, k)->setChecked(
                    rows[r - 1].contains(QChar(lotogolScores[std::size_t(k - 1)])));
    }
    QStringList board() const
    {
        QStringList rows;
        for (int r = 1; r <= 10; ++r) {
            QString row;
            for (int k = 1; k <= 5; ++k)
                if (box(r, k)->isChecked()) row += QChar(lotogolScores[std::size_t(k - 1)]);
            rows << row;
        }
        return rows;
    }
    QStringList counts() const
    {
        return { window->Label10->text(), window->Label11->text(), window->Label12->text(),
            window->Label13->text(), window->Label14->text() };
    }
    void generate(
        int ms = 150, std::function<bool()> ready = [] { return true; })
    {
        Ui::later(ms, ready, [this] { Ui::click(window.get(), "Button2"); });
        Ui::click(window.get(), "Button1");
    }
    QStringList tickets() const { return window->Memo1->store().lines(); }
    QStringList simulation() const { return window->Memo2->toPlainText().split(u'\n'); }
};

const QStringList oneMarkEach { "0", "1", "2", "3", "+", "0", "1", "2", "3", "+" };

} // namespace

class LotogolWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void opensWithOneMarkPerTeam();
    void markCountsAndCompletion();
    void clamps_data();
    void clamps();
    void generationCovers_data();
    void generationCovers();
    void rowEmptiedDuringRunIsCompleted();
    void saveOpenAndPrintRefusedDuringRun();
    void simulationOfEmptyList();
    void verificationAgainstTypedResult();
    void saveAndOpenRoundTrip();
    void openRejectsLineOfWrongLength();
};

void LotogolWindowTest::opensWithOneMarkPerTeam()
{
    LotogolFixture f;
    QCOMPARE(f.window->windowTitle(), QString("QUIRVA - Fechamento para a LOTOGOL"));
    QCOMPARE(f.counts(), QStringList({ "10", "0", "0", "0", "0" }));
    QCOMPARE(f.window->Edit11->text(), QString("3"));
    QCOMPARE(f.window->ComboBox2->currentText(), QString("R$ 0,50"));
    QVERIFY(f.window->lotogolStopFlag);
    QVERIFY(!f.window->MaskEdit1->isEnabled());
    QCOMPARE(f.window->MaskEdit1->displayText(), QString(" x   x   x   x   x "));
    QCOMPARE(f.window->findChild<QCheckBox*>("CheckBox50"), f.window->lotogolBoxes[50]);
    QCOMPARE(f.window->lotogolBoxes[50]->text(), QString("+"));
}

void LotogolWindowTest::markCountsAndCompletion()
{
    LotogolFixture f;
    f.setBoard({ "01", "0123+", "", "123", "1", "2", "3", "+", "0+", "0123" });
    QCOMPARE(f.counts(), QStringList({ "4", "2", "1", "1", "1" }));
    Ui::click(f.window.get(), "Button5");
    const QStringList board = f.board();
    QCOMPARE(board[0], QString("01"));
    QCOMPARE(board[1], QString("0123+"));
    QCOMPARE(board[2].size(), 1);
    QCOMPARE(f.counts(), QStringList({ "5", "2", "1", "1", "1" }));
    Ui::click(f.window.get(), "Button3");
    QCOMPARE(f.counts(), QStringList({ "0", "0", "0", "0", "0" }));
}

void LotogolWindowTest::clamps_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("G 9 -> 5") << "Edit11"
                              << "9"
                              << "5";
    QTest::newRow("G 0 -> 1") << "Edit11"
                              << "0"
                              << "1";
    QTest::newRow("G 4 stays") << "Edit11"
                               << "4"
                               << "4";
    QTest::newRow("value R$ 5,00") << "ComboBox2"
                                   << "R$ 5,00"
                                   << "R$ 0,50";
    QTest::newRow("value R$ 2,00 stays") << "ComboBox2"
                                         << "R$ 2,00"
                                         << "R$ 2,00";
}

void LotogolWindowTest::clamps()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    LotogolFixture f;
    if (field == "ComboBox2") {
        f.window->ComboBox2->setCurrentText(typed);
        Ui::leave(f.window.get(), field);
        QCOMPARE(f.window->ComboBox2->currentText(), expected);
    } else {
        Ui::type(f.window.get(), field, typed);
        QCOMPARE(Ui::text(f.window.get(), field), expected);
    }
}

void LotogolWindowTest::generationCovers_data()
{
    QTest::addColumn<QStringList>("board");
    QTest::addColumn<QString>("G");
    QTest::addColumn<int>("most");
    QTest::addColumn<int>("least");
    QTest::newRow("one mark per team: one ticket") << oneMarkEach << "3" << 1 << 1;
    QStringList twoInOne = oneMarkEach;
    twoInOne[3] = "03";
    QTest::newRow("G 5, two marks in one team: two tickets") << twoInOne << "5" << 2 << 2;
    QTest::newRow("G 1, two marks per team: at most four") << QStringList { "01", "12", "23", "3+",
        "0+", "01", "12", "23", "3+", "0+" } << "1" << 4 << 1;
}

void LotogolWindowTest::generationCovers()
{
    QFETCH(QStringList, board);
    QFETCH(QString, G);
    QFETCH(int, most);
    QFETCH(int, least);
    LotogolFixture f;
    f.setBoard(board);
    f.window->Edit11->setText(G);
    f.generate(200, [&] { return f.tickets().size() >= least; });
    const QStringList tickets = f.tickets();
    QVERIFY2(tickets.size() >= least && tickets.size() <= most, qPrintable(tickets.join('|')));
    QCOMPARE(f.window->Label1->text(), QString::number(tickets.size()));
    QCOMPARE(f.window->closing.size(), tickets.size());
    for (const QString& t : tickets) {
        QCOMPARE(t.size(), 19);
        for (int r = 0; r < 10; ++r)
            QVERIFY(board[r].contains(t[2 * r]));
    }
    // No two tickets within G correct matches of each other.
    const int g = G.toInt();
    for (qsizetype i = 0; i < tickets.size(); ++i)
        for (qsizetype j = 0; j < i; ++j)
            QVERIFY(hits(LotogolLine::fromText(tickets[i]), LotogolLine::fromText(tickets[j])) < g);
    QVERIFY(f.window->Button1->isEnabled());
    QVERIFY(!f.window->Button2->isEnabled());
    QVERIFY(f.dialogs->messages.isEmpty());
    // Players copy the tickets out of the list.
    QTest::keySequence(f.window->Memo1, QKeySequence::SelectAll);
    QTest::keySequence(f.window->Memo1, QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text(), tickets.join(u'\n'));
}

void LotogolWindowTest::rowEmptiedDuringRunIsCompleted()
{
    LotogolFixture f;
    f.setBoard(oneMarkEach);
    f.window->Edit11->setText("5");
    bool emptied = false;
    Ui::later(40, [&] {
        // Marks stay open during a run.
        QVERIFY(f.box(1, 1)->isEnabled());
        f.box(1, 1)->setChecked(false);
        emptied = true;
    });
    f.generate(250, [&] { return emptied && f.board()[0].size() == 1; });
    for (const QString& t : f.tickets())
        QCOMPARE(t.size(), 19);
    QCOMPARE(f.board()[0].size(), 1);
    QVERIFY(f.tickets().size() <= 2);
}

void LotogolWindowTest::saveOpenAndPrintRefusedDuringRun()
{
    LotogolFixture f;
    f.setBoard(oneMarkEach);
    bool closed = true;
    Ui::later(40, [&] {
        Ui::click(f.window.get(), "Button7");
        Ui::click(f.window.get(), "Button10");
        Ui::click(f.window.get(), "Button6");
        closed = f.window->close();
        QVERIFY(!f.window->Button5->isEnabled());
        QVERIFY(!f.window->Button3->isEnabled());
        Ui::click(f.window.get(), "Button2");
    });
    Ui::click(f.window.get(), "Button1");
    QVERIFY(!closed);
    QCOMPARE(f.dialogs->messages,
        QStringList({ "Aperte em PARAR para poder salvar um fechamento.",
            "Aperte em PARAR para poder abrir um fechamento.", "Aperte PARAR para poder imprimir.",
            "Aplicativo processando, aperte Parar antes de fechar." }));
    QVERIFY(f.dialogs->suggestedSaveNames.isEmpty());
    QCOMPARE(f.tickets().size(), 1);
}

void LotogolWindowTest::simulationOfEmptyList()
{
    LotogolFixture f;
    f.setBoard(oneMarkEach);
    Ui::click(f.window.get(), "Button4");
    QCOMPARE(f.simulation(),
        QStringList({ "Resultado Simulado:", "0x1 2x3 +x0 1x2 3x+", "", "0 acerto: 0",
            "1 acerto: 0", "2 acerto: 0", "3 acerto: 0", "4 acerto: 0", "5 acerto: 0" }));
}

void LotogolWindowTest::verificationAgainstTypedResult()
{
    LotogolFixture f;
    f.window->appendTicket("2x1 1x0 3x3 0x1 0x0");
    f.window->appendTicket("2x1 0x0 3x+ 1x1 +x0");
    f.window->appendTicket("0x0 0x0 0x0 0x0 0x0");
    Ui::click(f.window.get(), "CheckBox51");
    QVERIFY(f.window->MaskEdit1->isEnabled());
    f.window->MaskEdit1->setText("2x1 0x0 3x+ 1x1 +x0");
    Ui::click(f.window.get(), "Button4");
    QCOMPARE(f.simulation(),
        QStringList({ "Conferência:", "2x1 0x0 3x+ 1x1 +x0", "", "0 acerto: 0", "1 acerto: 2",
            "2 acerto: 0", "3 acerto: 0", "4 acerto: 0", "5 acerto: 1" }));
}

void LotogolWindowTest::saveAndOpenRoundTrip()
{
    QTemporaryDir dir;
    LotogolFixture f;
    Ui::click(f.window.get(), "Button7");
    QCOMPARE(f.dialogs->lastMessage(),
        QString("Fechamento não gerado para poder ser exportado para "
                "arquivo. Tente gerar o fechamento antes."));
    const QStringList lines { "+x+ 1x0 +x2 0x0 3x2", "0x0 1x0 +x2 0x1 3x2" };
    for (const QString& l : lines)
        f.window->appendTicket(l);
    const QString name = dir.filePath("gol.txt");
    f.dialogs->saveNames.push_back(name);
    Ui::click(f.window.get(), "Button7");
    QCOMPARE(f.dialogs->suggestedSaveNames.last(), QString("Quirva_GL_3gr_se5.txt"));
    QCOMPARE(f.dialogs->lastMessage(), "Arquivo " + name + " gerado com sucesso.");

    LotogolFixture g;
    g.dialogs->openNames.push_back(name);
    Ui::click(g.window.get(), "Button10");
    QVERIFY(g.dialogs->messages.isEmpty());
    QCOMPARE(g.tickets(), lines);
    QCOMPARE(g.window->Label1->text(), QString("2"));
    QCOMPARE(g.board(), QStringList({ "0+", "0+", "1", "0", "+", "2", "0", "01", "3", "2" }));
}

void LotogolWindowTest::openRejectsLineOfWrongLength()
{
    QTemporaryDir dir;
    LotogolFixture f;
    const QString name = dir.filePath("bad.txt");
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("+x+ 1x0 +x2 0x0 3x2\r\n1x1 1x1 1x1 0x0 0x\r\n+x+ 1x0 +x2 0x0 3x2\r\n");
    file.close();
    f.dialogs->openNames.push_back(name);
    Ui::click(f.window.get(), "Button10");
    QCOMPARE(f.dialogs->lastMessage(), TFormGOL::formatMessage());
    QVERIFY(
        f.dialogs->lastMessage().endsWith("19 colunas em cada linha. \r\rExemplo de um arquivo do "
                                          "QUIRVA:\r+x+ 1x0 +x2 0x0 3x2"));
    QVERIFY(f.tickets().isEmpty());
    QVERIFY(f.window->closing.empty());
    QCOMPARE(f.counts(), QStringList({ "0", "0", "0", "0", "0" }));
}

QTEST_MAIN(LotogolWindowTest)
#include "lotogol_window_test.moc"
