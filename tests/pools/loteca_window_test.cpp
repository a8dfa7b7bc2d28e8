#include "engine/base/random_source.h"
#include "engine/pools/loteca_pass_engine.h"
#include "pools/tform_loteca.h"
#include "support/app_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/ui_driver.h"
#include "ui/line_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

// A window in its initial state, with scripted dialogs and a fixed seed.
struct LotecaFixture {
    ScriptedDialogs* dialogs = &ScriptedDialogs::install();
    std::unique_ptr<TFormLoteca> window;

    explicit LotecaFixture(std::uint64_t seed = 99)
    {
        RandomSource::instance().fixSeed(seed);
        window = std::make_unique<TFormLoteca>();
    }
    // Checks exactly the boxes whose positions hold "X" in a Loteca line.
    void setBoard(const QString& line)
    {
        for (int g = 0; g < 14; ++g)
            for (int c = 0; c < 3; ++c)
                window->lotecaBoxes[std::size_t(3 * g + c + 1)]->setChecked(
                    line[4 * g + c] == u'X');
    }
    QString boardLine() const { return window->marks().text(); }
    QStringList counts() const
    {
        return { window->Label10->text(), window->Label11->text(), window->Label12->text() };
    }
    // Runs "Gerar" and presses "Parar" after `ms`.
    void generate(
        int ms = 150, std::function<bool()> ready = [] { return true; })
    {
        Ui::later(ms, ready, [this] { Ui::click(window.get(), "Button2"); });
        Ui::click(window.get(), "Button1");
    }
    QStringList simulation() const { return window->Memo2->toPlainText().split(u'\n'); }
    void writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile f(name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

const QString oneDouble = "0X0 00X 00X 0X0 X00 0X0 00X 00X 00X X0X X00 X00 X00 00X";
const QString allSimples = "0X0 00X 00X 0X0 X00 0X0 00X 00X 00X X00 X00 X00 X00 00X";

} // namespace

class LotecaWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void opensWithFourteenRandomSimples();
    void markCountsFollowTheBoard_data();
    void markCountsFollowTheBoard();
    void clamps_data();
    void clamps();
    void gerarRefusals_data();
    void gerarRefusals();
    void boardsWithOneTicket_data();
    void boardsWithOneTicket();
    void runCoversTheMarkedResults();
    void closeRefusedDuringRun();
    void simulationOfEmptyList();
    void verificationAgainstTypedResult();
    void typedResultWithTwoOutcomesInAMatchIsRefused();
    void saveUsesDefaultNameAndRoundTrips();
    void saveRefusesEmptyListAndReportsWriteError();
    void openRejectsLineOfWrongLength();
    void openKeepsLowerCaseXUnmarked();
    void printRefusals();
};

void LotecaWindowTest::opensWithFourteenRandomSimples()
{
    LotecaFixture f;
    QCOMPARE(f.counts(), QStringList({ "14", "0", "0" }));
    QCOMPARE(f.window->windowTitle(), QString("QUIRVA - Fechamento para a LOTECA"));
    QVERIFY(f.window->lotecaStopFlag);
    QVERIFY(!f.window->MaskEdit1->isEnabled());
    QVERIFY(!f.window->Button2->isEnabled());
    QCOMPARE(f.window->Edit1->text(), QString("1"));
    QCOMPARE(f.window->Edit2->text(), QString("0"));
    QCOMPARE(f.window->Edit11->text(), QString("11"));
    QCOMPARE(f.window->findChild<QCheckBox*>("CheckBox42"), f.window->lotecaBoxes[42]);
    QCOMPARE(f.window->minimumSize(), f.window->maximumSize());
}

void LotecaWindowTest::markCountsFollowTheBoard_data()
{
    QTest::addColumn<QString>("board");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("one double") << oneDouble << QStringList { "13", "1", "0" };
    QTest::newRow("triples, doubles, empty")
        << "XXX XXX 0XX X0X 000 X00 0X0 00X X00 0X0 00X X00 000 XX0"
        << QStringList { "7", "3", "2" };
    QTest::newRow("empty board") << QString(55, u' ') << QStringList { "0", "0", "0" };
}

void LotecaWindowTest::markCountsFollowTheBoard()
{
    QFETCH(QString, board);
    QFETCH(QStringList, expected);
    LotecaFixture f;
    f.setBoard(board);
    QCOMPARE(f.counts(), expected);
    Ui::click(f.window.get(), "Button3");
    QCOMPARE(f.counts(), QStringList({ "0", "0", "0" }));
    Ui::click(f.window.get(), "Button5");
    QCOMPARE(f.counts(), QStringList({ "14", "0", "0" }));
}

void LotecaWindowTest::clamps_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QStringList>("before"); // D, T, G
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("D 12 -> 9, T lowered")
        << "Edit1" << QStringList { "1", "2", "11" } << "12" << QStringList { "9", "0", "11" };
    QTest::newRow("T 5 with D 4 lowers D")
        << "Edit2" << QStringList { "4", "0", "11" } << "5" << QStringList { "1", "5", "11" };
    QTest::newRow("D 0 with T 0 -> 1")
        << "Edit1" << QStringList { "1", "0", "11" } << "0" << QStringList { "1", "0", "11" };
    QTest::newRow("D 0 with T 1 stays")
        << "Edit1" << QStringList { "1", "1", "11" } << "0" << QStringList { "0", "1", "11" };
    QTest::newRow("D 4 lowers T 4 -> 3")
        << "Edit1" << QStringList { "1", "4", "11" } << "4" << QStringList { "4", "3", "11" };
    QTest::newRow("T 9 -> 6, D lowered")
        << "Edit2" << QStringList { "2", "0", "11" } << "9" << QStringList { "0", "6", "11" };
    QTest::newRow("T -2 -> 0") << "Edit2" << QStringList { "3", "0", "11" } << "-2"
                               << QStringList { "3", "0", "11" };
    QTest::newRow("D negative beside negative T")
        << "Edit1" << QStringList { "1", "-1", "11" } << "-3" << QStringList { "0", "-1", "11" };
    QTest::newRow("G 0 -> 1") << "Edit11" << QStringList { "1", "0", "11" } << "0"
                              << QStringList { "1", "0", "1" };
    QTest::newRow("G 20 -> 14") << "Edit11" << QStringList { "1", "0", "11" } << "20"
                                << QStringList { "1", "0", "14" };
}

void LotecaWindowTest::clamps()
{
    QFETCH(QString, field);
    QFETCH(QStringList, before);
    QFETCH(QString, typed);
    QFETCH(QStringList, after);
    LotecaFixture f;
    f.window->Edit1->setText(before[0]);
    f.window->Edit2->setText(before[1]);
    f.window->Edit11->setText(before[2]);
    Ui::type(f.window.get(), field, typed);
    QCOMPARE(
        QStringList({ f.window->Edit1->text(), f.window->Edit2->text(), f.window->Edit11->text() }),
        after);
    QVERIFY(f.dialogs->messages.isEmpty());
}

void LotecaWindowTest::gerarRefusals_data()
{
    QTest::addColumn<QString>("board");
    QTest::addColumn<QString>("D");
    QTest::addColumn<QString>("T");
    QTest::addColumn<QString>("message");
    QTest::newRow("default board and D") << allSimples << "1"
                                         << "0"
                                         << "Marque no mínimo 1 duplo(s).";
    QTest::newRow("too few triples") << "XXX 00X 00X 0X0 X00 0X0 00X 00X 00X XX0 X00 X00 X00 00X"
                                     << "0"
                                     << "2"
                                     << "Marque no mínimo 2 tripo(s).";
    QTest::newRow("doubles and triples together")
        << "XXX XXX 00X 0X0 X00 0X0 00X 00X 00X X00 X00 X00 X00 00X"
        << "2"
        << "1"
        << "Marque no mínimo 2 duplo(s) e no mínimo 1 tripo(s).";
    QTest::newRow("a match without marks")
        << "000 00X 00X 0X0 X00 0X0 00X 00X 00X XX0 X00 X00 X00 00X"
        << "1"
        << "0"
        << "Falta completar a marcação dos simples.";
}

void LotecaWindowTest::gerarRefusals()
{
    QFETCH(QString, board);
    QFETCH(QString, D);
    QFETCH(QString, T);
    QFETCH(QString, message);
    LotecaFixture f;
    f.window->appendTicket(allSimples);
    f.setBoard(board);
    f.window->Edit1->setText(D);
    f.window->Edit2->setText(T);
    Ui::click(f.window.get(), "Button1");
    QCOMPARE(f.dialogs->messages, QStringList { message });
    QCOMPARE(f.window->closing.size(), 1);
    QCOMPARE(f.window->Memo1->store().line(0), allSimples);
    QVERIFY(f.window->lotecaStopFlag);
    QVERIFY(f.window->Button1->isEnabled());
}

void LotecaWindowTest::boardsWithOneTicket_data()
{
    QTest::addColumn<QString>("board");
    QTest::addColumn<QString>("D");
    QTest::addColumn<QString>("T");
    QTest::newRow("thirteen simples and a double") << oneDouble << "1"
                                                   << "0";
    QTest::newRow("all simples, no doubles") << allSimples << "0"
                                             << "0";
    QTest::newRow("one triple as a triple")
        << "XXX 00X 00X 0X0 X00 0X0 00X 00X 00X X00 X00 X00 X00 00X"
        << "0"
        << "1";
}

void LotecaWindowTest::boardsWithOneTicket()
{
    QFETCH(QString, board);
    QFETCH(QString, D);
    QFETCH(QString, T);
    LotecaFixture f;
    f.setBoard(board);
    f.window->Edit1->setText(D);
    f.window->Edit2->setText(T);
    f.generate();
    QVERIFY(f.dialogs->messages.isEmpty());
    QCOMPARE(f.window->Memo1->store().lines(), QStringList { board });
    QCOMPARE(f.window->Label1->text(), QString("1"));
    QVERIFY(f.window->lotecaStopFlag);
    QVERIFY(f.window->Button1->isEnabled());
    QVERIFY(f.window->lotecaBoxes[1]->isEnabled());
    QVERIFY(!f.window->Button2->isEnabled());
}

void LotecaWindowTest::runCoversTheMarkedResults()
{
    LotecaFixture f;
    // Four doubles and a triple among 14 matches, D = 2, T = 1, G = 14: a ticket covers the
    // results that agree with it on the two double matches it leaves simple.
    f.setBoard("XXX XX0 0XX X0X XX0 00X 00X 0X0 X00 0X0 00X 00X X00 X00");
    f.window->Edit1->setText("2");
    f.window->Edit2->setText("1");
    f.window->Edit11->setText("14");
    // Of 200 random results of the marks, how many a ticket gets all 14 right.
    const auto covered = [&] {
        LotecaPassEngine draw(f.window->marks(), 0, 0, RandomSource::instance());
        int count = 0;
        for (int i = 0; i < 200; ++i)
            count += f.window->closing.tally(draw.drawnResult())[14] > 0;
        return count;
    };
    f.generate(400, [&] { return covered() > 150; });
    const QStringList tickets = f.window->Memo1->store().lines();
    QVERIFY2(tickets.size() > 1,
        qPrintable(f.dialogs->messages.join('|') + QString::number(tickets.size())));
    QCOMPARE(tickets.toVector().size(), f.window->closing.size());
    QCOMPARE(QSet<QString>(tickets.begin(), tickets.end()).size(), tickets.size());
    // Players copy the tickets out of the list.
    QTest::keySequence(f.window->Memo1, QKeySequence::SelectAll);
    QTest::keySequence(f.window->Memo1, QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text(), tickets.join(u'\n'));
    const LotecaLine marks = f.window->marks();
    for (qsizetype i = 0; i < tickets.size(); ++i) {
        const LotecaLine t = LotecaLine::fromText(tickets[i]);
        QCOMPARE(t.text(), tickets[i]);
        QCOMPARE(t.bits & ~marks.bits, std::uint64_t { 0 });
        int doubles = 0, triples = 0;
        for (int g = 0; g < 14; ++g) {
            doubles += t.outcomesOf(g) == 2;
            triples += t.outcomesOf(g) == 3;
        }
        QCOMPARE(doubles, 2);
        QCOMPARE(triples, 1);
        QCOMPARE(f.window->closing.row(i).line, t);
    }
    // Every new ticket was kept because no earlier one covered its pass's result, so the
    // closing now covers most random results.
    QVERIFY(covered() > 150);
}

void LotecaWindowTest::closeRefusedDuringRun()
{
    LotecaFixture f;
    f.setBoard(oneDouble);
    bool closed = true;
    bool openRefused = false, saveRan = false;
    Ui::later(50, [&] {
        closed = f.window->close();
        f.window->reject();
        f.dialogs->openNames.push_back("whatever.txt");
        Ui::click(f.window.get(), "Button7");
        openRefused = f.dialogs->lastMessage() == "Aperte em PARAR para poder abrir um fechamento.";
        Ui::click(f.window.get(), "Button6");
        saveRan = !f.window->Button1->isEnabled() && !f.window->lotecaBoxes[5]->isEnabled();
        Ui::click(f.window.get(), "Button2");
    });
    Ui::click(f.window.get(), "Button1");
    QVERIFY(!closed);
    QVERIFY(openRefused);
    QVERIFY(saveRan);
    QCOMPARE(f.dialogs->messages,
        QStringList({ "Aplicativo processando, aperte Parar antes de fechar.",
            "Aplicativo processando, aperte Parar antes de fechar.",
            "Aperte em PARAR para poder abrir um fechamento.",
            "Aperte PARAR para poder imprimir." }));
    QCOMPARE(f.window->closing.size(), 1);
    QVERIFY(f.window->close());
}

void LotecaWindowTest::simulationOfEmptyList()
{
    LotecaFixture f;
    Ui::click(f.window.get(), "Button4");
    const QStringList rows = f.simulation();
    QCOMPARE(rows.size(), 18);
    QCOMPARE(rows[0], QString("Resultado Simulado:"));
    QCOMPARE(rows[1], f.boardLine()); // fourteen simples: the drawn result is the board
    QCOMPARE(rows[2], QString());
    QCOMPARE(rows[3], QString("0 acerto.: 0 bilhete(s)"));
    QCOMPARE(rows[4], QString("1 acerto.: 0 bilhete(s)"));
    QCOMPARE(rows[5], QString("2 acertos: 0 bilhete(s)"));
    QCOMPARE(rows[17], QString("14 acertos: 0 bilhete(s)"));

    f.setBoard("000 00X 00X 0X0 X00 0X0 00X 00X 00X X00 X00 X00 X00 00X");
    Ui::click(f.window.get(), "Button4");
    QCOMPARE(f.dialogs->lastMessage(), QString("Falta completar a marcação dos simples."));
    QCOMPARE(f.simulation(), rows);
}

void LotecaWindowTest::verificationAgainstTypedResult()
{
    LotecaFixture f;
    f.window->appendTicket(oneDouble);
    f.window->appendTicket(allSimples);
    f.window->appendTicket("X00 X00 X00 X00 0X0 X00 X00 X00 X00 0X0 0X0 0X0 0X0 X00");
    Ui::click(f.window.get(), "CheckBox51");
    QVERIFY(f.window->MaskEdit1->isEnabled());
    // The field forces upper case.
    QTest::keyClicks(f.window->MaskEdit1, QString(allSimples).remove(u' ').toLower());
    QCOMPARE(f.window->MaskEdit1->displayText(), allSimples);
    Ui::click(f.window.get(), "Button4");
    const QStringList rows = f.simulation();
    QCOMPARE(rows[0], QString("Conferência:"));
    QCOMPARE(rows[1], allSimples);
    QCOMPARE(rows[3], QString("0 acerto.: 1 bilhete(s)"));
    QCOMPARE(rows[16], QString("13 acertos: 0 bilhete(s)"));
    QCOMPARE(rows[17], QString("14 acertos: 2 bilhete(s)"));
}

void LotecaWindowTest::typedResultWithTwoOutcomesInAMatchIsRefused()
{
    LotecaFixture f;
    f.window->appendTicket("XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX");
    Ui::click(f.window.get(), "CheckBox51");
    f.window->MaskEdit1->setText("XXX 00X 00X 0X0 X00 0X0 00X 00X 00X X00 X00 X00 X00 00X");
    Ui::click(f.window.get(), "Button4");
    QCOMPARE(f.dialogs->lastMessage(),
        QString("O resultado tem mais de um X no jogo 1. Marque um só resultado em cada jogo."));
    QVERIFY(f.window->Memo2->toPlainText().isEmpty());

    f.window->MaskEdit1->setText("0X0 00X");
    Ui::click(f.window.get(), "Button4");
    QVERIFY(f.dialogs->lastMessage().startsWith("Resultado incompleto"));
    QVERIFY(f.window->Memo2->toPlainText().isEmpty());
}

void LotecaWindowTest::saveUsesDefaultNameAndRoundTrips()
{
    QTemporaryDir dir;
    LotecaFixture f;
    const QStringList lines { oneDouble,
        "XXX 00X 00X 0X0 X00 XX0 00X 00X 00X XXX X00 X00 X00 00X" };
    for (const QString& l : lines)
        f.window->appendTicket(l);
    f.window->Edit11->setText(" 11");
    const QString name = dir.filePath("loteca.txt");
    f.dialogs->saveNames.push_back(name);
    Ui::click(f.window.get(), "Button8");
    QCOMPARE(f.dialogs->suggestedSaveNames,
        QStringList { "Quirva_LOTECA_1Dup_0Tri_11Gar_Se14_sendo_14Sim_0Dup_0Tri.txt" });
    QCOMPARE(f.dialogs->lastMessage(), "Arquivo " + name + " gerado com sucesso.");
    QFile file(name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), (lines.join("\r\n") + "\r\n").toLatin1());

    LotecaFixture g(7);
    g.dialogs->openNames.push_back(name);
    Ui::click(g.window.get(), "Button7");
    QCOMPARE(g.window->Memo1->store().lines(), lines);
    QCOMPARE(g.window->closing.size(), 2);
    QCOMPARE(g.window->Label1->text(), QString("2"));
    // The board is the union of the outcomes of the lines.
    QCOMPARE(g.boardLine(), QString("XXX 00X 00X 0X0 X00 XX0 00X 00X 00X XXX X00 X00 X00 00X"));
    QCOMPARE(g.counts(), QStringList({ "11", "1", "2" }));
    QVERIFY(g.dialogs->messages.isEmpty());
}

void LotecaWindowTest::saveRefusesEmptyListAndReportsWriteError()
{
    QTemporaryDir dir;
    LotecaFixture f;
    f.dialogs->saveNames.push_back(dir.filePath("x.txt"));
    Ui::click(f.window.get(), "Button8");
    QCOMPARE(f.dialogs->lastMessage(),
        QString("Fechamento não gerado para poder ser exportado para "
                "arquivo. Tente gerar o fechamento antes."));
    QVERIFY(!QFile::exists(dir.filePath("x.txt")));

    f.window->appendTicket(allSimples);
    f.dialogs->saveNames.clear();
    const QString bad = dir.filePath("no/such/folder/x.txt");
    f.dialogs->saveNames.push_back(bad);
    Ui::click(f.window.get(), "Button8");
    QCOMPARE(f.dialogs->lastMessage(), "Erro ao gerar o arquivo " + bad + ".");
}

void LotecaWindowTest::openRejectsLineOfWrongLength()
{
    QTemporaryDir dir;
    LotecaFixture f;
    f.window->appendTicket(allSimples);
    const QString name = dir.filePath("bad.txt");
    f.writeFile(name,
        (oneDouble + "\r\n" + allSimples + "\r\n" + allSimples.left(54) + "\r\n" + allSimples
            + "\r\n")
            .toLatin1());
    f.dialogs->openNames.push_back(name);
    Ui::click(f.window.get(), "Button7");
    QCOMPARE(f.dialogs->lastMessage(), TFormLoteca::formatMessage());
    QVERIFY(f.dialogs->lastMessage().contains(
        "55 colunas em cada linha. \r\rExemplo de um arquivo do QUIRVA:\r"));
    QVERIFY(f.window->Memo1->store().empty());
    QVERIFY(f.window->closing.empty());
    QCOMPARE(f.counts(), QStringList({ "0", "0", "0" }));

    // A file that cannot be read leaves the list as it was.
    f.window->appendTicket(allSimples);
    f.dialogs->openNames.push_back(dir.filePath("missing.txt"));
    Ui::click(f.window.get(), "Button7");
    QVERIFY(f.dialogs->lastMessage().contains("missing.txt"));
    QCOMPARE(f.window->closing.size(), 1);
}

void LotecaWindowTest::openKeepsLowerCaseXUnmarked()
{
    QTemporaryDir dir;
    LotecaFixture f;
    const QString lower = "0x0 00X 00X 0X0 X00 0X0 00X 00X 00X X00 X00 X00 X00 00X";
    const QString name = dir.filePath("lower.txt");
    f.writeFile(name, ("  " + lower + "  \r\n").toLatin1());
    f.dialogs->openNames.push_back(name);
    Ui::click(f.window.get(), "Button7");
    QVERIFY(f.dialogs->messages.isEmpty());
    QCOMPARE(f.window->Memo1->store().lines(), QStringList { lower });
    QVERIFY(!f.window->lotecaBoxes[2]->isChecked());
    QCOMPARE(f.counts(), QStringList({ "13", "0", "0" }));
}

void LotecaWindowTest::printRefusals()
{
    LotecaFixture f;
    Ui::click(f.window.get(), "Button6");
    QCOMPARE(f.dialogs->lastMessage(), QString("Não há combinações disponíveis para a impressão."));
}

QTEST_MAIN(LotecaWindowTest)
#include "loteca_window_test.moc"
