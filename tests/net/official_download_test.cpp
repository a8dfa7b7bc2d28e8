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

    const QByteArray ok = answer(2, texts({ "01", "02", "03", "04", "05", "06" }));
    QTest::newRow("refused") << 403 << QByteArray("Forbidden") << true
                             << "o serviço oficial recusou o pedido (HTTP 403).";
    QTest::newRow("not found") << 404 << ok << true
                               << "o serviço oficial não tem esse concurso (HTTP 404).";
    QTest::newRow("server error") << 500 << ok << true
                                  << "o serviço oficial respondeu com erro (HTTP 500).";
    QTest::newRow("no answer") << 200 << ok << false
                               << "o serviço oficial não respondeu em 1 segundo.";
    QTest::newRow("html") << 200 << QByteArray("<html><body>Acesso negado</body></html>") << true
                          << "a resposta do serviço oficial não é o JSON esperado.";
    QTest::newRow("wrong numero") << 200 << answer(3, texts({ "01", "02", "03", "04", "05", "06" }))
                                  << true << "o serviço oficial respondeu com o concurso 3.";
    QTest::newRow("five numbers") << 200 << answer(2, texts({ "01", "02", "03", "04", "05" }))
                                  << true
                                  << "o serviço oficial informou 5 dezenas, mas a Mega-Sena "
                                     "sorteia 6.";
    QTest::newRow("repeated number")
        << 200 << answer(2, texts({ "01", "05", "05", "20", "30", "40" })) << true
        << "a dezena 05 aparece duas vezes na resposta do serviço oficial.";
    QTest::newRow("above the range")
        << 200 << answer(2, texts({ "01", "02", "03", "04", "05", "61" })) << true
        << "a dezena 61 está fora do volante da Mega-Sena (01 a 60).";
    QTest::newRow("00 outside lotomania")
        << 200 << answer(2, texts({ "00", "02", "03", "04", "05", "06" })) << true
        << "a dezena 00 está fora do volante da Mega-Sena (01 a 60).";
    QTest::newRow("letters for a number")
        << 200 << answer(2, texts({ "01", "02", "03", "04", "05", "x6" })) << true
        << "a dezena \"x6\" da resposta do serviço oficial não é um número.";
    QTest::newRow("no numbers") << 200 << QByteArray(R"({"numero":2,"listaDezenas":null})") << true
                                << "a resposta do serviço oficial não traz as dezenas sorteadas.";
    QTest::newRow("huge body") << 200 << ok + QByteArray(200 * 1024, ' ') << true
                               << "a resposta do serviço oficial é grande demais para um "
                                  "resultado.";
}

void OfficialDownloadTest::badAnswerStopsAtItsContest()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, answers);
    QFETCH(QString, message);
    Imitation::Response bad { status, "Whatever", body };
    bad.answer = answers;
    HttpClient* client = nullptr;
    Imitation service([&](const Imitation::Request& r) {
        // Contest 1 is answered under the generous time-out; then the one never answered.
        if (!answers) client->timeoutMs = kUnansweredTimeoutMs;
        return serviceWithBadContest2(bad)(r);
    });
    Session s(service);
    client = &s.net->client();
    s.choose("RadioButton3");
    s.download(1, 3);
    QCOMPARE(s.draws(), QStringList { " 02 05 08 11 14 17" });
    QCOMPARE(s.status(), "Resultado 2: " + message);
    QCOMPARE(service.requests.size(), 2);
    QVERIFY(s.cached("megasena_1.json"));
    QVERIFY(!s.cached("megasena_2.json"));
    QCOMPARE(Ui::find<QProgressBar>(s.f.form.get(), "ProgressBar1")->value(), 1);
    QVERIFY(s.net->Button21->isEnabled()
        && !Ui::find<QPushButton>(s.f.form.get(), "Button5")->isEnabled());
    QVERIFY(s.f.form->stopFlag);
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
    QTest::newRow("latest") << 200 << answer(2712, texts(kMegaSena7)) << "2712"
                            << "Último concurso da Mega-Sena: 2712.";
    QTest::newRow("refused") << 403 << QByteArray() << "1"
                             << "Último concurso: o serviço oficial recusou o pedido (HTTP 403).";
    QTest::newRow("html") << 200 << QByteArray("<html></html>") << "1"
                          << "Último concurso: a resposta do serviço oficial não é o JSON "
                             "esperado.";
}

void OfficialDownloadTest::latestContestGoesIntoA()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, a);
    QFETCH(QString, message);
    bool lockedDuringRequest = false;
    std::unique_ptr<Session> s;
    Imitation service([&](const Imitation::Request&) {
        lockedDuringRequest = !s->net->Button24->isEnabled() && !s->net->Button21->isEnabled()
            && Ui::find<QPushButton>(s->f.form.get(), "Button5")->isEnabled()
            && !Ui::find<QRadioButton>(s->f.form.get(), "RadioButton1")->isEnabled();
        return Imitation::Response { status, "Whatever", body };
    });
    s = std::make_unique<Session>(service);
    s->choose("RadioButton3");
    Ui::click(s->f.form.get(), QStringLiteral("Button24"));
    QCOMPARE(service.requests.size(), 1);
    QCOMPARE(service.requests[0].target, QByteArray("/api/megasena"));
    QCOMPARE(s->net->Edit84->text(), a);
    QCOMPARE(s->status(), message);
    QVERIFY(lockedDuringRequest);
    QVERIFY(s->net->Button24->isEnabled()
        && !Ui::find<QPushButton>(s->f.form.get(), "Button5")->isEnabled());

    // The own site has no latest contest: the button is off with it.
    Ui::click(s->f.form.get(), QStringLiteral("RadioButton12"));
    QVERIFY(!s->net->Button24->isEnabled());
}

void OfficialDownloadTest::parStopsTheDownload()
{
    std::unique_ptr<Session> s;
    Imitation service([&](const Imitation::Request& r) {
        if (r.target != "/api/megasena/2") return OfficialServiceImitation::service(10)(r);
        Ui::later(20, [&] { Ui::click(s->f.form.get(), QStringLiteral("Button5")); });
        Imitation::Response hang;
        hang.answer = false;
        return hang;
    });
    s = std::make_unique<Session>(service);
    s->net->client().timeoutMs = kGenerousTimeoutMs;
    s->choose("RadioButton3");
    s->download(1, 5);
    QCOMPARE(s->status(), QStringLiteral("Download interrompido no resultado 2."));
    QCOMPARE(s->draws(), QStringList { " 02 05 08 11 14 17" });
    QCOMPARE(service.requests.size(), 2);
    QVERIFY(!s->cached("megasena_2.json"));
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
