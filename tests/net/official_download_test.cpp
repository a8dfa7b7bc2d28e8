#include "net_test_support.h"
#include "official_service_imitation.h"
#include "support/app_fixture.h"
#include "support/ui_driver.h"
#include "support/ui_find.h"

#include "engine/net/official_results.h"
#include "engine/net/settings_store.h"
#include "net/net_panel.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

namespace {

using Imitation = LoopbackHttpServer;
using OfficialServiceImitation::answer;
using OfficialServiceImitation::texts;

const QStringList kMegaSena7 { "04", "08", "15", "16", "23", "42" };

// A service that answers contest 2 of Mega-Sena with `bad` and every other contest as the
// imitation does.
Imitation::Handler serviceWithBadContest2(const Imitation::Response& bad)
{
    return [bad](const Imitation::Request& r) {
        return r.target == "/api/megasena/2" ? bad : OfficialServiceImitation::service(10)(r);
    };
}

} // namespace

class OfficialDownloadTest : public QObject
{
    Q_OBJECT
private slots:
    void downloadsEachLottery_data();
    void downloadsEachLottery();
    void badAnswerStopsAtItsContest_data();
    void badAnswerStopsAtItsContest();
    void parallelRequests_data();
    void parallelRequests();
    void unreadableCacheIsFetchedAgain();
    void latestContestGoesIntoA_data();
    void latestContestGoesIntoA();
    void parStopsTheDownload();
    void chartAndVerificationUseDownloadedDraws();
    void sourceIsSavedAndAChangedServiceShown();
    void readersTakeAnyBytes_data();
    void readersTakeAnyBytes();

private:
    struct Session {
        TempWorkspace workspace;
        MainWindowFixture f;
        NetPanel* net = nullptr;

        explicit Session(const Imitation& service)
        {
            QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("QUIRVA"))
                .setValue(QStringLiteral("Site_Oficial"), service.address() + "/api/");
            f.start();
            net = f.form->findChild<NetPanel*>(QStringLiteral("NetPanel"));
            net->client().timeoutMs = kGenerousTimeoutMs;
        }
        void choose(const char* modalitySwitch) { Ui::click(f.form.get(), modalitySwitch); }
        void download(int first, int last)
        {
            net->Edit83->setText(QString::number(first));
            net->Edit84->setText(QString::number(last));
            Ui::click(f.form.get(), QStringLiteral("Button21"));
        }
        QStringList draws() const { return Ui::find<LineView>(&*f.form, "Memo2")->store().lines(); }
        QString status() const { return Ui::find<QLabel>(f.form.get(), "Label15")->text(); }
        bool cached(const QString& name) const
        {
            return QFile::exists(workspace.path("Quirva_Results/" + name));
        }
    };
};

void OfficialDownloadTest::downloadsEachLottery_data()
{
    QTest::addColumn<QString>("modalitySwitch");
    QTest::addColumn<QByteArray>("lottery");
    QTest::addColumn<QByteArray>("body"); // contest 7
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("lotomania, 00 is 100")
        << "RadioButton1" << QByteArray("lotomania")
        << answer(7,
               texts({ "00", "03", "07", "12", "18", "21", "25", "33", "38", "41", "47", "52", "58",
                   "63", "66", "72", "79", "84", "90", "99" }))
        << QStringList { " 03 07 12 18 21 25 33 38 41 47 52 58 63 66 72 79 84 90 99 00" };
    QTest::newRow("lotofacil") << "RadioButton2" << QByteArray("lotofacil")
                               << answer(7,
                                      texts({ "01", "02", "04", "05", "07", "09", "10", "13", "14",
                                          "16", "18", "20", "22", "24", "25" }))
                               << QStringList { " 01 02 04 05 07 09 10 13 14 16 18 20 22 24 25" };
    QTest::newRow("mega-sena, numbers as JSON numbers")
        << "RadioButton3" << QByteArray("megasena") << answer(7, { 4, 8, 15, 16, 23, 42 })
        << QStringList { " 04 08 15 16 23 42" };
    QTest::newRow("dupla-sena, first draw then second")
        << "RadioButton4" << QByteArray("duplasena")
        << answer(7, texts({ "05", "12", "23", "34", "41", "50" }),
               texts({ "02", "09", "17", "28", "36", "44" }))
        << QStringList { " 05 12 23 34 41 50", " 02 09 17 28 36 44" };
    QTest::newRow("quina") << "RadioButton5" << QByteArray("quina")
                           << answer(7, texts({ "13", "27", "44", "61", "80" }))
                           << QStringList { " 13 27 44 61 80" };
}

void OfficialDownloadTest::downloadsEachLottery()
{
    QFETCH(QString, modalitySwitch);
    QFETCH(QByteArray, lottery);
    QFETCH(QByteArray, body);
    QFETCH(QStringList, expected);
    Imitation service([&](const Imitation::Request&) {
        return Imitation::Response { 200, "OK", body };
    });
    Session s(service);
    s.choose(qPrintable(modalitySwitch));
    s.download(7, 7);
    QCOMPARE(s.draws(), expected);
    QCOMPARE(s.status(), QStringLiteral("Tarefa Concluída."));
    QCOMPARE(service.requests.size(), 1);
    QCOMPARE(service.requests[0].target, "/api/" + lottery + "/7");
    QCOMPARE(service.requests[0].headers.value("accept"), QByteArray("application/json"));
    QVERIFY(QRegularExpression(QStringLiteral("^QUIRVA/\\d+(\\.\\d+)+$"))
                .match(QString::fromLatin1(service.requests[0].headers.value("user-agent")))
                .hasMatch());
    QVERIFY(s.cached(lottery + "_7.json"));
    QVERIFY(s.net->Button21->isEnabled() && s.net->Button24->isEnabled());

    // Once cached, a contest makes no request and reads the same.
    s.download(7, 7);
    QCOMPARE(service.requests.size(), 1);
    QCOMPARE(s.draws(), expected);
}

void OfficialDownloadTest::badAnswerStopsAtItsContest_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("answers");
    QTest::addColumn<QString>("message"); // after "Resultado 2: "
    QTest::addColumn<QString>("plain"); // what the message box says instead of "message"

    const QByteArray ok = answer(2, texts({ "01", "02", "03", "04", "05", "06" }));
    QTest::newRow("refused") << 403 << QByteArray("Forbidden") << true
                             << "o serviço oficial recusou o pedido (HTTP 403)."
                             << "O serviço oficial recusou o pedido.";
    QTest::newRow("not found") << 404 << ok << true
                               << "o serviço oficial não tem esse concurso (HTTP 404)."
                               << "O serviço oficial não tem o resultado desse concurso;";
    QTest::newRow("server error") << 500 << ok << true
                                  << "o serviço oficial respondeu com erro (HTTP 500)."
                                  << "O serviço oficial está com problemas";
    QTest::newRow("no answer") << 200 << ok << false
                               << "o serviço oficial não respondeu em 1 segundo."
                               << "O serviço oficial não respondeu a tempo.";
    // Told in the status line exactly, in the message box in plain words.
    const QString unreadable
        = "O serviço oficial respondeu com algo que não é o resultado desse concurso.";
    QTest::newRow("html") << 200 << QByteArray("<html><body>Acesso negado</body></html>") << true
                          << "a resposta do serviço oficial não é o JSON esperado." << unreadable;
    QTest::newRow("wrong numero") << 200 << answer(3, texts({ "01", "02", "03", "04", "05", "06" }))
                                  << true << "o serviço oficial respondeu com o concurso 3."
                                  << unreadable;
    QTest::newRow("five numbers") << 200 << answer(2, texts({ "01", "02", "03", "04", "05" }))
                                  << true
                                  << "o serviço oficial informou 5 dezenas, mas a Mega-Sena "
                                     "sorteia 6."
                                  << unreadable;
    QTest::newRow("repeated number")
        << 200 << answer(2, texts({ "01", "05", "05", "20", "30", "40" })) << true
        << "a dezena 05 aparece duas vezes na resposta do serviço oficial." << unreadable;
    QTest::newRow("above the range")
        << 200 << answer(2, texts({ "01", "02", "03", "04", "05", "61" })) << true
        << "a dezena 61 está fora do volante da Mega-Sena (01 a 60)." << unreadable;
    QTest::newRow("00 outside lotomania")
        << 200 << answer(2, texts({ "00", "02", "03", "04", "05", "06" })) << true
        << "a dezena 00 está fora do volante da Mega-Sena (01 a 60)." << unreadable;
    QTest::newRow("letters for a number")
        << 200 << answer(2, texts({ "01", "02", "03", "04", "05", "x6" })) << true
        << "a dezena \"x6\" da resposta do serviço oficial não é um número." << unreadable;
    QTest::newRow("no numbers") << 200 << QByteArray(R"({"numero":2,"listaDezenas":null})") << true
                                << "a resposta do serviço oficial não traz as dezenas sorteadas."
                                << unreadable;
    QTest::newRow("huge body") << 200 << ok + QByteArray(200 * 1024, ' ') << true
                               << "a resposta do serviço oficial é grande demais para um "
                                  "resultado."
                               << unreadable;
}

void OfficialDownloadTest::badAnswerStopsAtItsContest()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, answers);
    QFETCH(QString, message);
    QFETCH(QString, plain);
    Imitation::Response bad { status, "Whatever", body };
    bad.answer = answers;
    Imitation service(serviceWithBadContest2(bad));
    Session s(service);
    if (!answers) {
        // Only contest 2 is asked, so that the short time-out races no answer.
        s.net->client().timeoutMs = kUnansweredTimeoutMs;
        QDir().mkpath(s.workspace.path("Quirva_Results"));
        for (const char* contest : { "1", "3" }) {
            QFile cached(
                s.workspace.path(QStringLiteral("Quirva_Results/megasena_%1.json").arg(contest)));
            QVERIFY(cached.open(QIODevice::WriteOnly));
            cached.write(OfficialServiceImitation::service(10)(
                { "GET", QByteArray("/api/megasena/") + contest,
                    {} }).body);
        }
    }
    s.choose("RadioButton3");
    s.download(1, 3);
    QCOMPARE(s.draws(), QStringList { " 02 05 08 11 14 17" });
    QCOMPARE(s.status(), "Resultado 2: " + message);
    // Contest 3 is asked at the same time; a time-out is asked once more.
    QCOMPARE(int(std::count_if(service.requests.begin(), service.requests.end(),
                 [](const auto& r) { return r.target == "/api/megasena/2"; })),
        answers ? 1 : 2);
    QCOMPARE(s.f.dialogs->messages.size(), 1);
    QVERIFY2(s.f.dialogs->messages[0].startsWith(
                 "Não foi possível baixar o concurso 2 da Mega-Sena.\n\n" + plain),
        qPrintable(s.f.dialogs->messages[0]));
    QVERIFY(s.f.dialogs->messages[0].contains("O concurso 1 foi colocado na área de sorteios."));
    QVERIFY(s.cached("megasena_1.json"));
    QVERIFY(!s.cached("megasena_2.json"));
    QCOMPARE(Ui::find<QProgressBar>(s.f.form.get(), "ProgressBar1")->value(), 1);
    QVERIFY(s.net->Button21->isEnabled()
        && !Ui::find<QPushButton>(s.f.form.get(), "Button5")->isEnabled());
    QVERIFY(s.f.form->stopFlag);
}

void OfficialDownloadTest::parallelRequests_data()
{
    QTest::addColumn<int>("last"); // contests 1..last of the imitation
    QTest::addColumn<int>("held"); // its answer waits until the contests below are cached
    QTest::addColumn<QList<int>>("heldFor");
    QTest::addColumn<int>("heldStatus");
    QTest::addColumn<QList<int>>("silent"); // never answered...
    QTest::addColumn<bool>("silentOnce"); // ...or only the first time asked
    QTest::addColumn<int>("added");
    // Requests made, at most: one abandoned as it is made may not reach the service.
    QTest::addColumn<int>("mostRequests");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("message"); // the message box, if any

    const QString proxy = "\n\nTente um proxy no Brasil (\"Usar Proxy para acessar internet\", na "
                          "aba \"Configurações\") ou o \"Site próprio\".";
    const QString stopped = "Não foi possível baixar o concurso 3 da Mega-Sena.\n\n%1\n\n2 "
                            "concursos foram colocados na área de sorteios, do 1 ao 2."
        + proxy;
    QTest::newRow("order kept, contest 1 answered last")
        << 4 << 1 << QList { 2, 3, 4 } << 200 << QList<int> {} << false << 4 << 4
        << "Tarefa Concluída." << QString();
    QTest::newRow("refused in mid-range, later answers in")
        << 5 << 3 << QList { 4, 5 } << 403 << QList<int> {} << false << 2 << 5
        << "Resultado 3: o serviço oficial recusou o pedido (HTTP 403)."
        << stopped.arg("O serviço oficial recusou o pedido. Ele costuma recusar acessos de fora "
                       "do Brasil.");
    QTest::newRow("one time-out is asked again")
        << 6 << 0 << QList<int> {} << 200 << QList { 3 } << true << 6 << 7 << "Tarefa Concluída."
        << QString();
    // The second ends it at once, without asking again (which would make 8 requests).
    QTest::newRow("two time-outs in a row end it")
        << 6 << 0 << QList<int> {} << 200 << QList { 3, 4 } << false << 2 << 7
        << "Resultado 3: o serviço oficial não respondeu em 5 segundos."
        << stopped.arg("O serviço oficial não respondeu a tempo.");
}

void OfficialDownloadTest::parallelRequests()
{
    QFETCH(int, last);
    QFETCH(int, held);
    QFETCH(QList<int>, heldFor);
    QFETCH(int, heldStatus);
    QFETCH(QList<int>, silent);
    QFETCH(bool, silentOnce);
    QFETCH(int, added);
    QFETCH(int, mostRequests);
    QFETCH(QString, status);
    QFETCH(QString, message);
    std::unique_ptr<Session> s;
    QMap<int, int> asked;
    Imitation service([&](const Imitation::Request& r) {
        const int contest = r.target.mid(r.target.lastIndexOf('/') + 1).toInt();
        Imitation::Response response = OfficialServiceImitation::service(last)(r);
        response.answer = !silent.contains(contest) || (silentOnce && asked[contest]++ > 0);
        if (contest == held) {
            response.status = heldStatus;
            response.holdUntil = [&] {
                return std::all_of(heldFor.begin(), heldFor.end(),
                    [&](int c) { return s->cached(QStringLiteral("megasena_%1.json").arg(c)); });
            };
        }
        return response;
    });
    s = std::make_unique<Session>(service);
    // The answered requests run beside the silent ones under the same time-out: seconds, which
    // no loopback answer comes near, and not a minute, which the silent ones wait out.
    if (!silent.isEmpty()) s->net->client().timeoutMs = 5000;
    s->choose("RadioButton3");
    s->download(1, last);
    QStringList expected;
    for (int contest = 1; contest <= added; ++contest)
        expected << u' ' + OfficialServiceImitation::drawOf(60, 6, contest).join(u' ');
    QCOMPARE(s->draws(), expected);
    QCOMPARE(s->status(), status);
    QVERIFY(service.requests.size() <= mostRequests);
    QCOMPARE(s->f.dialogs->messages, message.isEmpty() ? QStringList {} : QStringList { message });
    QVERIFY(!s->cached(QStringLiteral("megasena_%1.json").arg(added + 1)));
}

void OfficialDownloadTest::unreadableCacheIsFetchedAgain()
{
    Imitation service(OfficialServiceImitation::service(10));
    Session s(service);
    s.choose("RadioButton3");
    QDir().mkpath(s.workspace.path("Quirva_Results"));
    for (const auto& [name, text] : { std::pair { "megasena_1.json", QByteArray("{\"numero\":") },
             std::pair { "megasena_2.json", answer(3, texts(kMegaSena7)) } }) {
        QFile file(s.workspace.path(QStringLiteral("Quirva_Results/") + name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    // The own site's cache of the same contest is not the official one's.
    QFile own(s.workspace.path("Quirva_Results/MS_3.txt"));
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.write(" 01 02 03 04 05 06\r\n");
    own.close();
    s.download(1, 3);
    QCOMPARE(service.requests.size(), 3);
    QCOMPARE(s.draws(),
        (QStringList { " 02 05 08 11 14 17", " 03 06 09 12 15 18", " 04 07 10 13 16 19" }));
    QFile repaired(s.workspace.path("Quirva_Results/megasena_2.json"));
    QVERIFY(repaired.open(QIODevice::ReadOnly));
    QVERIFY(OfficialResults::readContest(repaired.readAll(), Modality::MegaSena, 2, u' ').ok());
}

void OfficialDownloadTest::latestContestGoesIntoA_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("downloaded"); // contests, after the look-up
    QTest::newRow("latest, then 1 up to it") << 200 << answer(3, texts(kMegaSena7)) << "3"
                                             << "Tarefa Concluída." << 3;
    QTest::newRow("refused") << 403 << QByteArray() << "1"
                             << "Último concurso: o serviço oficial recusou o pedido (HTTP 403)."
                             << 0;
    QTest::newRow("html") << 200 << QByteArray("<html></html>") << "1"
                          << "Último concurso: a resposta do serviço oficial não é o JSON "
                             "esperado."
                          << 0;
}

void OfficialDownloadTest::latestContestGoesIntoA()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, a);
    QFETCH(QString, message);
    QFETCH(int, downloaded);
    bool lockedDuringRequest = false;
    std::unique_ptr<Session> s;
    Imitation service([&](const Imitation::Request& r) {
        lockedDuringRequest = !s->net->Button24->isEnabled() && !s->net->Button21->isEnabled()
            && Ui::find<QPushButton>(s->f.form.get(), "Button5")->isEnabled()
            && !Ui::find<QRadioButton>(s->f.form.get(), "RadioButton1")->isEnabled();
        if (r.target != "/api/megasena") return OfficialServiceImitation::service(3)(r);
        return Imitation::Response { status, "Whatever", body };
    });
    s = std::make_unique<Session>(service);
    s->choose("RadioButton3");
    Ui::click(s->f.form.get(), QStringLiteral("Button24"));
    QCOMPARE(service.requests.size(), 1 + downloaded);
    QCOMPARE(service.requests[0].target, QByteArray("/api/megasena"));
    QCOMPARE(s->net->Edit84->text(), a);
    QCOMPARE(s->status(), message);
    QCOMPARE(s->draws().size(), downloaded);
    QCOMPARE(s->f.dialogs->messages.size(), downloaded ? 0 : 1);
    QVERIFY(lockedDuringRequest);
    QVERIFY(s->net->Button24->isEnabled()
        && !Ui::find<QPushButton>(s->f.form.get(), "Button5")->isEnabled());

    // The own site has no latest contest: the button is off with it, and says why.
    Ui::click(s->f.form.get(), QStringLiteral("RadioButton12"));
    QVERIFY(!s->net->Button24->isEnabled());
    QVERIFY(s->net->Button24->toolTip().contains("não informa qual é o último concurso"));
}

void OfficialDownloadTest::parStopsTheDownload()
{
    // Every answer after contest 1's waits for "Parar", pressed once four requests are under
    // way: the answers then come, but too late to be kept.
    std::unique_ptr<Session> s;
    bool parPressed = false;
    Imitation service([&](const Imitation::Request& r) {
        Imitation::Response response = OfficialServiceImitation::service(10)(r);
        if (r.target == "/api/megasena/1") return response;
        response.holdUntil = [&] { return parPressed; };
        if (service.requests.size() == 5)
            Ui::later(0, [&] {
                Ui::click(s->f.form.get(), QStringLiteral("Button5"));
                parPressed = true;
            });
        return response;
    });
    s = std::make_unique<Session>(service);
    s->net->client().timeoutMs = kGenerousTimeoutMs;
    s->choose("RadioButton3");
    s->download(1, 5);
    QCOMPARE(s->status(), QStringLiteral("Download interrompido no resultado 2."));
    QCOMPARE(s->draws(), QStringList { " 02 05 08 11 14 17" });
    QCOMPARE(service.requests.size(), 5);
    for (const char* name : { "megasena_2.json", "megasena_3.json", "megasena_5.json" })
        QVERIFY(!s->cached(name));
    QVERIFY(s->f.form->stopFlag);
    QVERIFY(!Ui::find<QPushButton>(s->f.form.get(), "Button5")->isEnabled());
    QVERIFY(Ui::find<QPushButton>(s->f.form.get(), "Button1")->isEnabled()
        && Ui::find<QRadioButton>(s->f.form.get(), "RadioButton1")->isEnabled());
    QVERIFY(s->net->Button21->isEnabled());
}

void OfficialDownloadTest::chartAndVerificationUseDownloadedDraws()
{
    Imitation service([](const Imitation::Request& r) {
        const int contest = r.target.mid(r.target.lastIndexOf('/') + 1).toInt();
        return Imitation::Response { 200, "OK",
            answer(contest,
                texts(contest == 1 ? QStringList { "01", "02", "03", "04", "05", "06" }
                                   : QStringList { "01", "02", "03", "10", "20", "30" })) };
    });
    Session s(service);
    s.choose("RadioButton3");
    s.download(1, 2);
    Ui::click(s.f.form.get(), QStringLiteral("Button22"));
    QCOMPARE(Ui::find<QListWidget>(&*s.f.form, "CheckListBox1")->count(), 9);
    QCOMPARE(Ui::find<QListWidget>(&*s.f.form, "CheckListBox1")->item(0)->text(),
        QStringLiteral("01 = 2"));

    Ui::closing(s.f.form.get()).setLines({ " 01 02 03 04 05 06" });
    Ui::click(s.f.form.get(), QStringLiteral("Button3"));
    const QStringList report = Ui::find<LineView>(&*s.f.form, "Memo3")->store().lines();
    QVERIFY2(report.contains("1 bilhetes com 6 acerto(s)"), qPrintable(report.join('|')));
    QVERIFY(report.contains("1 bilhetes com 3 acerto(s)"));
}

void OfficialDownloadTest::sourceIsSavedAndAChangedServiceShown()
{
    TempWorkspace workspace;
    {
        MainWindowFixture f;
        f.start();
        NetPanel* net = f.form->findChild<NetPanel*>(QStringLiteral("NetPanel"));
        QVERIFY(net->RadioButton11->isChecked() && net->officialSource());
        QCOMPARE(net->officialService(), QString::fromLatin1(OfficialResults::defaultService));
        QVERIFY(!net->Label117->text().contains("ALTERADO"));
        Ui::click(f.form.get(), QStringLiteral("RadioButton12"));
        Ui::click(f.form.get(), QStringLiteral("Button20"));
    }
    QCOMPARE(SettingsStore::read("Site_Proprio").value_or(""), QStringLiteral("s"));
    QVERIFY(!SettingsStore::read("Site_Oficial"));
    QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("QUIRVA"))
        .setValue("site_oficial", " http://127.0.0.1:9/api ");
    MainWindowFixture f;
    f.start();
    NetPanel* net = f.form->findChild<NetPanel*>(QStringLiteral("NetPanel"));
    QVERIFY(net->RadioButton12->isChecked() && !net->officialSource());
    QCOMPARE(net->officialService(), QStringLiteral("http://127.0.0.1:9/api"));
    QVERIFY(net->Label117->text().contains("ALTERADO"));
    QVERIFY(net->Label117->text().contains("http://127.0.0.1:9/api"));
}

void OfficialDownloadTest::readersTakeAnyBytes_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("modality");
    QTest::addColumn<QString>("reason"); // empty: read
    QTest::addColumn<QStringList>("draws");

    const QString notJson = "a resposta do serviço oficial não é o JSON esperado";
    const QString noNumber = "a resposta do serviço oficial não traz o número do concurso";
    const int ms = int(Modality::MegaSena), ds = int(Modality::DuplaSena);
    QTest::newRow("empty") << QByteArray() << ms << notJson << QStringList {};
    QTest::newRow("binary") << QByteArray("\x00\xff{\"numero\":5", 13) << ms << notJson
                            << QStringList {};
    QTest::newRow("an array") << QByteArray("[5]") << ms << notJson << QStringList {};
    QTest::newRow("deep nesting") << QByteArray(100000, '[') << ms << notJson << QStringList {};
    QTest::newRow("numero as text")
        << QByteArray(R"({"numero":"5"})") << ms << noNumber << QStringList {};
    QTest::newRow("numero with a fraction")
        << QByteArray(R"({"numero":5.5})") << ms << noNumber << QStringList {};
    QTest::newRow("numero beyond int")
        << QByteArray(R"({"numero":1e300})") << ms << noNumber << QStringList {};
    QTest::newRow("number beyond any range")
        << answer(5, { 1, 2, 3, 4, 5, 1e300 }) << ms
        << "a dezena \"1e+300\" da resposta do serviço oficial não é um número" << QStringList {};
    QTest::newRow("long text cut short")
        << answer(5, texts({ "01", "02", "03", "04", "05", QString(5000, u'\x01') })) << ms
        << "a dezena \"????????????...\" da resposta do serviço oficial não é um número"
        << QStringList {};
    QTest::newRow("lotomania 0 as a number")
        << answer(5, { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19 })
        << int(Modality::Lotomania) << QString()
        << QStringList { " 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 00" };
    QTest::newRow("dupla-sena without its second draw")
        << answer(5, { 1, 2, 3, 4, 5, 6 }) << ds
        << "a resposta do serviço oficial não traz o segundo sorteio" << QStringList {};
    QTest::newRow("dupla-sena second draw with a repeat")
        << answer(5, { 1, 2, 3, 4, 5, 6 }, QJsonArray { 7, 7, 8, 9, 10, 11 }) << ds
        << "no segundo sorteio, a dezena 07 aparece duas vezes na resposta do serviço oficial"
        << QStringList {};
}

void OfficialDownloadTest::readersTakeAnyBytes()
{
    QFETCH(QByteArray, body);
    QFETCH(int, modality);
    QFETCH(QString, reason);
    QFETCH(QStringList, draws);
    const OfficialResults::Contest read
        = OfficialResults::readContest(body, Modality(modality), 5, u' ');
    QCOMPARE(read.reason, reason);
    QCOMPARE(read.draws, draws);
    // The latest contest's reader takes the same bytes: a number only when "numero" is one.
    const OfficialResults::Latest latest = OfficialResults::readLatest(body);
    QCOMPARE(latest.ok(), latest.contest == 5);
    QCOMPARE(latest.ok(), body.startsWith("{\"acumulado\""));
}

QTEST_MAIN(OfficialDownloadTest)
#include "official_download_test.moc"
