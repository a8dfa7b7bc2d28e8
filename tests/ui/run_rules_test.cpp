#include "net/loopback_http_server.h"
#include "net/net_test_support.h"
#include "support/app_fixture.h"
#include "support/ui_driver.h"
#include "support/ui_find.h"

#include "bet/tile_label.h"
#include "net/net_panel.h"
#include "pools/tform_gol.h"
#include "pools/tform_loteca.h"
#include "ui/run_rules.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

// Everything a job may rely on: closing, draws, report, board, parameters, modality and mode.
struct Snapshot {
    QStringList closing, draws, report, fields;
    QList<int> board;
    QList<bool> choices;

    static Snapshot of(TForm1& w)
    {
        Snapshot s { Ui::closing(&w).lines(), Ui::find<LineView>(&w, "Memo2")->store().lines(),
            Ui::find<LineView>(&w, "Memo3")->store().lines(), {}, {}, {} };
        for (QLineEdit* e : { Ui::find<QLineEdit>(&w, "Edit1"), Ui::find<QLineEdit>(&w, "Edit2"),
                 Ui::find<QLineEdit>(&w, "Edit10"), Ui::find<QLineEdit>(&w, "Edit4"),
                 Ui::find<QLineEdit>(&w, "Edit5"), Ui::find<QLineEdit>(&w, "Edit6"),
                 Ui::find<QLineEdit>(&w, "Edit8"), Ui::find<QLineEdit>(&w, "Edit7"),
                 Ui::find<QLineEdit>(&w, "Edit13") })
            s.fields << e->text();
        for (int n = 1; n <= 100; ++n)
            s.board << static_cast<int>(w.board.state(n));
        for (QRadioButton* r : { Ui::find<QRadioButton>(&w, "RadioButton1"),
                 Ui::find<QRadioButton>(&w, "RadioButton2"),
                 Ui::find<QRadioButton>(&w, "RadioButton3"),
                 Ui::find<QRadioButton>(&w, "RadioButton4"),
                 Ui::find<QRadioButton>(&w, "RadioButton5"),
                 Ui::find<QRadioButton>(&w, "RadioButton6"),
                 Ui::find<QRadioButton>(&w, "RadioButton7"),
                 Ui::find<QRadioButton>(&w, "RadioButton8"),
                 Ui::find<QRadioButton>(&w, "RadioButton9"),
                 Ui::find<QRadioButton>(&w, "RadioButton10") })
            s.choices << r->isChecked();
        return s;
    }
    bool operator==(const Snapshot&) const = default;
};

// A command as the player gives it, by control name; a plain click unless `act` says more.
struct Press {
    const char* name;
    const char* refusal; // empty: the control is disabled or ignores the press
    std::function<void(TForm1&)> act = {};
};

std::function<void(TForm1&)> typeInto(const char* name, const char* text)
{
    return [=](TForm1& w) {
        auto* e = Ui::find<QLineEdit>(&w, QString::fromLatin1(name));
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, QString::fromLatin1(text)); // a read-only field takes nothing
        Ui::leave(&w, QString::fromLatin1(name));
    };
}

const char* const tile = "StaticText60";

const QList<Press>& presses()
{
    static const QList<Press> all {
        { "Button1", "Aperte PARAR para poder gerar um fechamento." },
        { "Button11", "Aperte PARAR para poder verificar a margem do fechamento." },
        { "ButtonOptimize", "Aplicativo processando, aperte Parar antes de otimizar." },
        { "Button3", "Aperte PARAR para poder simular ou conferir." },
        { "Button6", "Aperte em PARAR para poder salvar um fechamento." },
        { "Button10", "Aperte em PARAR para poder abrir um fechamento." },
        { "Button9", "" },
        { "Button13", "Aperte em PARAR para poder abrir." },
        { "Button21", "Aperte PARAR para poder baixar resultados." },
        { "Button12", "Aperte PARAR para poder imprimir." },
        { "Button17", "Aperte em PARAR para poder reduzir um fechamento." },
        { "Button7", "" },
        { "Button8", "" },
        { "Button23", "Aperte PARAR para poder marcar as dezenas no bilhete." },
        { "RadioButton6", "" },
        { "RadioButton8", "" },
        { "Edit1", "", typeInto("Edit1", "30") },
        { "Edit8", "", typeInto("Edit8", "20") },
        { "Edit7", "", typeInto("Edit7", "3") },
        { tile, "",
            [](TForm1& w) { QTest::mouseClick(Ui::find<TileLabel>(&w, tile), Qt::LeftButton); } },
    };
    return all;
}

void typeParameters(TForm1& w, const QStringList& tkfdgc)
{
    QLineEdit* fields[] = { Ui::find<QLineEdit>(&w, "Edit1"), Ui::find<QLineEdit>(&w, "Edit2"),
        Ui::find<QLineEdit>(&w, "Edit10"), Ui::find<QLineEdit>(&w, "Edit4"),
        Ui::find<QLineEdit>(&w, "Edit5"), Ui::find<QLineEdit>(&w, "Edit6") };
    for (int i = 0; i < 6; ++i)
        fields[i]->setText(tkfdgc[i]);
    w.testecampos();
}

// A short random Mega-Sena closing over the board's bet.
void generateBriefly(TForm1& w)
{
    Ui::later(60, [&w] { Ui::click(&w, "Button5"); });
    Ui::click(&w, "Button1");
}

} // namespace

class RunRulesTest : public QObject
{
    Q_OBJECT
private slots:
    void commandsDuringEveryJob_data();
    void commandsDuringEveryJob();
    void poolCommandsDuringTheirRun_data();
    void poolCommandsDuringTheirRun();
};

void RunRulesTest::commandsDuringEveryJob_data()
{
    QTest::addColumn<int>("job");
    QTest::newRow("generation") << int(Job::Generation);
    QTest::newRow("enumeration") << int(Job::Enumeration);
    QTest::newRow("margin check with completion") << int(Job::MarginCheck);
    QTest::newRow("simulation") << int(Job::Verification);
    QTest::newRow("reduction") << int(Job::Reduction);
    QTest::newRow("download") << int(Job::Download);
    QTest::newRow("optimizer") << int(Job::Optimizer);
}

void RunRulesTest::commandsDuringEveryJob()
{
    QFETCH(int, job);
    const Job expectedJob = Job(job);
    TempWorkspace workspace;
    MainWindowFixture f;
    f.start();
    TForm1& w = *f.form;
    std::unique_ptr<LoopbackHttpServer> silentSite;

    QString start;
    switch (expectedJob) {
    case Job::Generation:
        Ui::click(&w, "RadioButton3");
        start = "Button1";
        break;
    case Job::Enumeration:
        Ui::click(&w, "RadioButton3");
        typeParameters(w, { "40", "6", "0", "6", "6", "6" });
        start = "Button1";
        break;
    case Job::MarginCheck:
        Ui::click(&w, "RadioButton2");
        typeParameters(w, { "25", "15", "0", "15", "13", "15" });
        Ui::click(&w, "Button8");
        Ui::find<LineView>(&w, "Memo1")
            ->store()
            .setLines({ " 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15" });
        Ui::find<QCheckBox>(&w, "CheckBoxCompletar")->setChecked(true);
        start = "Button11";
        break;
    case Job::Verification:
        Ui::click(&w, "RadioButton3");
        generateBriefly(w);
        Ui::find<QLineEdit>(&w, "Edit7")->setText("100000000");
        start = "Button3";
        break;
    case Job::Reduction:
        Ui::click(&w, "RadioButton2");
        Ui::find<LineView>(&w, "Memo1")
            ->store()
            .setLines({ " 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15",
                " 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25" });
        start = "Button17";
        break;
    case Job::Download: {
        Ui::click(&w, "RadioButton3");
        silentSite = std::make_unique<LoopbackHttpServer>([](const LoopbackHttpServer::Request&) {
            LoopbackHttpServer::Response hang;
            hang.answer = false;
            return hang;
        });
        auto* net = w.findChild<NetPanel*>("NetPanel");
        net->Edit44->setText(silentSite->address());
        net->client().timeoutMs = kGenerousTimeoutMs; // "Parar" ends the request
        start = "Button21";
        break;
    }
    case Job::Optimizer:
        Ui::click(&w, "RadioButton3");
        generateBriefly(w);
        start = "ButtonOptimize";
        break;
    default:
        QFAIL("not a main-window job");
    }
    // Something to lose on every area: draws and a report from a typed check, a closing.
    if (Ui::find<LineView>(&w, "Memo2")->store().empty())
        Ui::find<LineView>(&w, "Memo2")->store().setLines({ " 01 02 03 04 05 06" });
    if (Ui::find<LineView>(&w, "Memo3")->store().empty())
        Ui::find<LineView>(&w, "Memo3")->store().setLines({ "relatório anterior" });
    f.dialogs->messages.clear();

    std::optional<Job> seen;
    QStringList faults;
    // A timer of the test's own: it cannot outlive the test if the job never pumps.
    QTimer probe;
    probe.setSingleShot(true);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        seen = w.jobs.current();
        for (const Press& press : presses()) {
            // Only tiles stay open, and only to "&Gerar", which loaded its bet at its start.
            const bool allowed = press.name == tile
                && (expectedJob == Job::Generation || expectedJob == Job::Enumeration);
            const QString expected = QString::fromUtf8(press.refusal);
            auto* control = Ui::find(&w, QString::fromLatin1(press.name));
            const bool enabled = control->isEnabled();
            const Snapshot before = Snapshot::of(w);
            const qsizetype shown = f.dialogs->messages.size();
            if (press.act)
                press.act(w);
            else
                Ui::click(&w, QString::fromLatin1(press.name));
            const QStringList told = f.dialogs->messages.mid(shown);
            if (allowed) continue;
            if (!(Snapshot::of(w) == before))
                faults << QString("%1 changed the data").arg(press.name);
            const bool refusedAsExpected = expected.isEmpty()
                ? told.isEmpty()
                : (told == QStringList { expected } || (!enabled && told.isEmpty()));
            if (!refusedAsExpected)
                faults
                    << QString("%1 (%2) told %3").arg(press.name).arg(enabled).arg(told.join('|'));
        }
        Ui::click(&w, "Button5");
    });
    probe.start(0);
    Ui::click(&w, start);

    QVERIFY2(seen == expectedJob, "the probe ran outside the job");
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    // Parar leaves the window idle and unlocked.
    QVERIFY(w.stopFlag);
    QVERIFY(!w.jobs.current());
    QVERIFY(Ui::find<QPushButton>(&w, "Button1")->isEnabled()
        && !Ui::find<QPushButton>(&w, "Button5")->isEnabled());
    QVERIFY(!Ui::find<QLineEdit>(&w, "Edit1")->isReadOnly()
        && !Ui::find<QLineEdit>(&w, "Edit8")->isReadOnly()
        && Ui::find<QRadioButton>(&w, "RadioButton8")->isEnabled());
    QVERIFY(Ui::find<QPushButton>(&w, "Button7")->isEnabled()
        && Ui::find<QPushButton>(&w, "Button3")->isEnabled());
    for (qsizetype i = 0; i < Ui::closing(&w).size(); ++i)
        QVERIFY2(Ui::closing(&w).mask(i).count() == w.K(), qPrintable(Ui::closing(&w).line(i)));
}

void RunRulesTest::poolCommandsDuringTheirRun_data()
{
    QTest::addColumn<bool>("loteca");
    QTest::addColumn<QStringList>("refused"); // button, message
    QTest::addColumn<QStringList>("open"); // buttons that still work during the run
    QTest::newRow("Loteca") << true
                            << QStringList { "Button7",
                                   "Aperte em PARAR para poder abrir um fechamento.", "Button6",
                                   "Aperte PARAR para poder imprimir." }
                            << QStringList { "Button4", "Button2" };
    QTest::newRow("Lotogol") << false
                             << QStringList { "Button7",
                                    "Aperte em PARAR para poder salvar um fechamento.", "Button10",
                                    "Aperte em PARAR para poder abrir um fechamento.", "Button6",
                                    "Aperte PARAR para poder imprimir." }
                             << QStringList { "Button4", "Button2" };
}

void RunRulesTest::poolCommandsDuringTheirRun()
{
    QFETCH(bool, loteca);
    QFETCH(QStringList, refused);
    QFETCH(QStringList, open);
    ScriptedDialogs& dialogs = ScriptedDialogs::install();
    RandomSource::instance().fixSeed(99);
    std::unique_ptr<PoolWindow> window;
    if (loteca)
        window = std::make_unique<TFormLoteca>();
    else
        window = std::make_unique<TFormGOL>();
    auto* list = window->findChild<LineView*>("Memo1");
    QVERIFY(list);
    if (loteca) // the first match triple, for the one double the window asks by default
        for (const char* box : { "CheckBox1", "CheckBox2", "CheckBox3" })
            Ui::find<QCheckBox>(window.get(), box)->setChecked(true);

    QStringList faults;
    bool closeRefused = false, ran = false;
    QTimer probe;
    probe.setSingleShot(true);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        ran = window->running();
        for (qsizetype i = 0; i < refused.size(); i += 2) {
            const QStringList before = list->store().lines();
            dialogs.messages.clear();
            Ui::click(window.get(), refused[i]);
            if (dialogs.messages != QStringList { refused[i + 1] })
                faults << refused[i] + " told " + dialogs.messages.join('|');
            if (list->store().lines() != before) faults << refused[i] + " changed the list";
        }
        dialogs.messages.clear();
        closeRefused = !window->close()
            && dialogs.messages
                == QStringList { "Aplicativo processando, aperte Parar antes de fechar." };
        for (const QString& name : open)
            Ui::click(window.get(), name);
    });
    probe.start(0);
    Ui::click(window.get(), "Button1");
    QVERIFY(ran);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    QVERIFY(closeRefused);
    QVERIFY(!window->running());
    QVERIFY(Ui::find<QPushButton>(window.get(), "Button1")->isEnabled());
}

QTEST_MAIN(RunRulesTest)
#include "run_rules_test.moc"
