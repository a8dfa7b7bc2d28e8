#include "loopback_http_server.h"
#include "net_test_support.h"
#include "support/app_fixture.h"
#include "support/ui_driver.h"
#include "support/ui_find.h"

#include "engine/base/data_folder.h"
#include "chart/comparison_chart.h"
#include "engine/net/result_files.h"
#include "net/net_panel.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QScatterSeries>
#include <QTabWidget>
#include <QTest>

namespace {

const QByteArray kContest10 = " 04 08 15 16 23 42";
const QByteArray kContest12 = " 01 02 03 04 05 06";

QString contestLine(int contest)
{
    return QStringLiteral(" %1 11 22 33 44 55").arg(contest, 2, 10, QChar(u'0'));
}

// A results site: MS contests 1..10 and 12 exist, 11 does not (404). The bodies end in CR LF
// as a file served from disk would.
LoopbackHttpServer::Response megaSenaSite(const LoopbackHttpServer::Request& r)
{
    const QByteArray prefix = "/results/MS_";
    if (!r.target.startsWith(prefix) || !r.target.endsWith(".txt"))
        return { 404, "Not Found", "nada" };
    const int contest = r.target.mid(prefix.size(), r.target.size() - prefix.size() - 4).toInt();
    if (contest == 12) return { 200, "OK", kContest12 + "\r\n" };
    if (contest >= 1 && contest <= 10)
        return { 200, "OK", contestLine(contest).toLatin1() + "\r\n" };
    return { 404, "Not Found", "nada" };
}

QByteArray fileText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

} // namespace

class DownloadTest : public QObject
{
    Q_OBJECT
private slots:
    void cachedContestMakesNoRequest();
    void stopsAtTheFirstMissingContest();
    void failedAnswersStopTheDownload_data();
    void failedAnswersStopTheDownload();
    void unusableCacheFileIsFetchedAgain_data();
    void unusableCacheFileIsFetchedAgain();
    void cacheThatCannotBeWrittenDoesNotStopTheDownload();
    void cacheLivesInTheDataFolder_data();
    void cacheLivesInTheDataFolder();
    void reversedRangeIsRefused();
    void nonNumericRangeShowsConversionError();
    void outrosOnlyCreatesTheFolder();
    void downloadResetsTheComparisonChart();
    void credentialsAreAskedOnceAndAgainAfterAFailure();
    void noCredentialsDialogWhenTheSwitchIsOff();

private:
    struct Session {
        TempWorkspace workspace;
        MainWindowFixture f;
        NetPanel* net = nullptr;

        explicit Session(const QString& site = {})
        {
            f.start();
            net = f.form->findChild<NetPanel*>(QStringLiteral("NetPanel"));
            Ui::click(f.form.get(), QStringLiteral("RadioButton12")); // "Site próprio"
            net->Edit44->setText(site);
            net->client().timeoutMs = kGenerousTimeoutMs;
        }
        void megaSena() { Ui::click(f.form.get(), QStringLiteral("RadioButton3")); }
        void download(int first, int last)
        {
            net->Edit83->setText(QString::number(first));
            net->Edit84->setText(QString::number(last));
            Ui::click(f.form.get(), QStringLiteral("Button21"));
        }
        QStringList draws() const { return Ui::find<LineView>(&*f.form, "Memo2")->store().lines(); }
        QString status() const { return Ui::find<QLabel>(f.form.get(), "Label15")->text(); }
    };
};

void DownloadTest::cachedContestMakesNoRequest()
{
    LoopbackHttpServer site(megaSenaSite);
    Session s(site.address());
    s.megaSena();
    writeFile(s.workspace.path("Quirva_Results/MS_5.txt"), kContest12 + "\r\n");
    s.download(5, 5);
    QCOMPARE(site.requests.size(), 0);
    QCOMPARE(s.draws(), QStringList { QString::fromLatin1(kContest12) });
    QCOMPARE(s.status(), QStringLiteral("Tarefa Concluída."));
    QVERIFY(Ui::find<QRadioButton>(s.f.form.get(), "RadioButton9")->isChecked());
    QCOMPARE(Ui::find<QTabWidget>(s.f.form.get(), "PageControl1")->currentWidget(),
        Ui::find<QWidget>(s.f.form.get(), "TabSimulacao"));
    QVERIFY(s.net->Button21->isEnabled());
}

void DownloadTest::stopsAtTheFirstMissingContest()
{
    LoopbackHttpServer site(megaSenaSite);
    Session s(site.address() + "/");
    s.megaSena();
    Ui::find<LineView>(&*s.f.form, "Memo2")->store().append(QStringLiteral(" 07 08 09 10 11 12"));
    s.download(9, 12);
    QCOMPARE(s.draws(), (QStringList { contestLine(9), contestLine(10) }));
    QCOMPARE(s.status(), QStringLiteral("Resultado 11 não existe ou erro de conexão."));
    QCOMPARE(fileText(s.workspace.path("Quirva_Results/MS_10.txt")),
        contestLine(10).toLatin1() + "\r\n");
    QVERIFY(!QFile::exists(s.workspace.path("Quirva_Results/MS_11.txt")));
    QVERIFY(!QFile::exists(s.workspace.path("Quirva_Results/MS_12.txt")));
    QCOMPARE(site.requests.size(), 3);
    QCOMPARE(site.requests[0].target, QByteArray("/results/MS_9.txt"));
    QCOMPARE(site.requests[2].target, QByteArray("/results/MS_11.txt"));
    QCOMPARE(site.requests[0].method, QByteArray("GET"));
    QCOMPARE(site.requests[0].headers.value("accept"), QByteArray("text/html, */*"));
    QCOMPARE(site.requests[0].headers.value("user-agent"),
        QByteArray("Mozilla/3.0 (compatible; Indy Library)"));
    QCOMPARE(Ui::find<QProgressBar>(s.f.form.get(), "ProgressBar1")->value(), 10);
    QVERIFY(s.net->Button21->isEnabled());

    // The contests already fetched now come from the cache.
    site.requests.clear();
    s.download(9, 10);
    QCOMPARE(site.requests.size(), 0);
    QCOMPARE(s.status(), QStringLiteral("Tarefa Concluída."));
}

void DownloadTest::failedAnswersStopTheDownload_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("answer");
    QTest::newRow("not found") << 404 << QByteArray(" 01 02 03 04 05 06") << true;
    QTest::newRow("server error") << 500 << QByteArray(" 01 02 03 04 05 06") << true;
    QTest::newRow("redirect") << 302 << QByteArray() << true;
    QTest::newRow("erro body") << 200 << QByteArray("erro") << true;
    QTest::newRow("empty body") << 200 << QByteArray() << true;
    QTest::newRow("site never answers") << 200 << QByteArray() << false;
    QTest::newRow("oversized") << 200 << QByteArray(200 * 1024, ' ') << true;
    QTest::newRow("binary") << 200 << QByteArray("\x01\x02\x00\xff\xfe\x00 01", 9) << true;
    QTest::newRow("html page") << 200 << QByteArray("<html><body>Resultado</body></html>") << true;
    QTest::newRow("five numbers") << 200 << QByteArray(" 01 02 03 04 05") << true;
    QTest::newRow("number twice") << 200 << QByteArray(" 01 02 03 04 05 05") << true;
    QTest::newRow("beyond 60") << 200 << QByteArray(" 01 02 03 04 05 61") << true;
    QTest::newRow("no separator") << 200 << QByteArray("010203040506") << true;
    QTest::newRow("two lines") << 200 << QByteArray(" 01 02 03 04 05 06\r\n 07 08 09 10 11 12")
                               << true;
}

void DownloadTest::failedAnswersStopTheDownload()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, answer);
    HttpClient* client = nullptr;
    LoopbackHttpServer site(
        [&](const LoopbackHttpServer::Request& r) -> LoopbackHttpServer::Response {
            // Contest 1 is answered under the generous time-out; then the one never answered.
            if (!answer) client->timeoutMs = kUnansweredTimeoutMs;
            if (r.target.endsWith("_1.txt")) return { 200, "OK", " 01 11 22 33 44 55" };
            LoopbackHttpServer::Response bad { status, "Whatever", body };
            bad.answer = answer;
            if (status == 302)
                bad.headers << qMakePair(QByteArray("Location"), QByteArray("/results/MS_1.txt"));
            return bad;
        });
    Session s(site.address());
    client = &s.net->client();
    s.megaSena();
    s.download(1, 3);
    QCOMPARE(s.draws(), QStringList { contestLine(1) });
    QCOMPARE(s.status(), QStringLiteral("Resultado 2 não existe ou erro de conexão."));
    QVERIFY(QFile::exists(s.workspace.path("Quirva_Results/MS_1.txt")));
    QVERIFY(!QFile::exists(s.workspace.path("Quirva_Results/MS_2.txt")));
    QCOMPARE(site.requests.size(), 2);
    QVERIFY(s.net->Button21->isEnabled());
}

void DownloadTest::unusableCacheFileIsFetchedAgain_data()
{
    QTest::addColumn<QByteArray>("cached");
    QTest::newRow("garbage") << QByteArray("xx yy");
    QTest::newRow("erro") << QByteArray("erro\r\n");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("half written") << QByteArray(" 01 02 0");
    QTest::newRow("lotofacil line")
        << QByteArray(" 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15\r\n");
}

void DownloadTest::unusableCacheFileIsFetchedAgain()
{
    QFETCH(QByteArray, cached);
    LoopbackHttpServer site(megaSenaSite);
    Session s(site.address());
    s.megaSena();
    writeFile(s.workspace.path("Quirva_Results/MS_12.txt"), cached);
    s.download(12, 12);
    QCOMPARE(site.requests.size(), 1);
    QCOMPARE(s.draws(), QStringList { QString::fromLatin1(kContest12) });
    QCOMPARE(fileText(s.workspace.path("Quirva_Results/MS_12.txt")), kContest12 + "\r\n");
}

void DownloadTest::cacheThatCannotBeWrittenDoesNotStopTheDownload()
{
    LoopbackHttpServer site(megaSenaSite);
    Session s(site.address());
    s.megaSena();
    // A folder where the cache file of contest 1 should go: it can be neither read nor written.
    QVERIFY(QDir().mkpath(s.workspace.path("Quirva_Results/MS_1.txt")));
    s.download(1, 2);
    QCOMPARE(s.draws(), (QStringList { contestLine(1), contestLine(2) }));
    QCOMPARE(s.status(),
        "Tarefa Concluída. Não foi possível guardar os resultados em "
            + QDir::toNativeSeparators(s.workspace.path("Quirva_Results")) + '.');
    QCOMPARE(
        fileText(s.workspace.path("Quirva_Results/MS_2.txt")), contestLine(2).toLatin1() + "\r\n");
}

void DownloadTest::cacheLivesInTheDataFolder_data()
{
    QTest::addColumn<bool>("oldCache"); // contest 1 in the working directory, as kept before
    QTest::addColumn<bool>("blocked"); // a file where the data folder should be
    QTest::newRow("fresh") << false << false;
    QTest::newRow("old cache moved in") << true << false;
    QTest::newRow("data folder cannot be made") << false << true;
}

void DownloadTest::cacheLivesInTheDataFolder()
{
    QFETCH(bool, oldCache);
    QFETCH(bool, blocked);
    LoopbackHttpServer site(megaSenaSite);
    Session s(site.address());
    s.megaSena();
    if (oldCache) writeFile("Quirva_Results/MS_1.txt", contestLine(1).toLatin1());
    if (blocked) writeFile(s.workspace.path("x"), ""), DataFolder::setPath(s.workspace.path("x"));
    s.download(1, 2);
    QCOMPARE(site.requests.size(), oldCache ? 1 : 2);
    QCOMPARE(s.draws(), (QStringList { contestLine(1), contestLine(2) }));
    QVERIFY(QDir::current().isEmpty()); // an old cache taken away with the rest
    QCOMPARE(QFile::exists(s.workspace.path("Quirva_Results/MS_1.txt")), !blocked);
    QCOMPARE(s.status().startsWith("Tarefa Concluída. Não foi possível guardar"), blocked);
}

void DownloadTest::reversedRangeIsRefused()
{
    LoopbackHttpServer site(megaSenaSite);
    Session s(site.address());
    s.megaSena();
    Ui::find<LineView>(&*s.f.form, "Memo2")->store().append(QStringLiteral(" 07 08 09 10 11 12"));
    s.download(3, 2);
    QCOMPARE(s.f.dialogs->lastMessage(),
        QStringLiteral("O DE tem que ser menor ou igual a A para poder baixar os resultados."));
    QVERIFY(!QDir(s.workspace.path("Quirva_Results")).exists());
    QCOMPARE(site.requests.size(), 0);
    QCOMPARE(s.draws().size(), 1);
    QVERIFY(s.net->Button21->isEnabled());
}

void DownloadTest::nonNumericRangeShowsConversionError()
{
    LoopbackHttpServer site(megaSenaSite);
    Session s(site.address());
    s.megaSena();
    s.net->Edit83->setText(QStringLiteral("1"));
    s.net->Edit84->setText(QStringLiteral("dez"));
    Ui::click(s.f.form.get(), QStringLiteral("Button21"));
    QCOMPARE(s.f.dialogs->lastMessage(), QStringLiteral("'dez' is not a valid integer value"));
    QCOMPARE(site.requests.size(), 0);
    QVERIFY(s.net->Button21->isEnabled());
}

void DownloadTest::outrosOnlyCreatesTheFolder()
{
    LoopbackHttpServer site(megaSenaSite);
    Session s(site.address());
    Ui::click(s.f.form.get(), QStringLiteral("RadioButton6"));
    Ui::find<LineView>(&*s.f.form, "Memo2")->store().append(QStringLiteral(" 07 08 09"));
    const QString status = s.status();
    s.download(1, 3);
    QVERIFY(QDir(s.workspace.path("Quirva_Results")).exists());
    QCOMPARE(site.requests.size(), 0);
    QCOMPARE(s.draws(), QStringList { QStringLiteral(" 07 08 09") });
    QCOMPARE(s.status(), status);
    QVERIFY(s.net->Button21->isEnabled());
}

void DownloadTest::downloadResetsTheComparisonChart()
{
    LoopbackHttpServer site(megaSenaSite);
    Session s(site.address());
    s.megaSena();
    Ui::find<LineView>(&*s.f.form, "Memo2")->store().append(QStringLiteral(" 07 08 09 10 11 12"));
    Ui::click(s.f.form.get(), QStringLiteral("Button22"));
    QCOMPARE(Ui::series(&*s.f.form, "Series1")->count(), 6);
    Ui::find<QListWidget>(&*s.f.form, "CheckListBox1")->item(0)->setCheckState(Qt::Checked);
    QCOMPARE(Ui::find<QLabel>(&*s.f.form, "Label116")->text(), QStringLiteral("1"));
    s.download(3, 2); // even a refused range resets it
    QCOMPARE(Ui::series(&*s.f.form, "Series1")->count(), 0);
    QCOMPARE(Ui::find<QListWidget>(&*s.f.form, "CheckListBox1")->count(), 0);
    QCOMPARE(Ui::find<QLabel>(&*s.f.form, "Label116")->text(), QStringLiteral("0"));
}

void DownloadTest::credentialsAreAskedOnceAndAgainAfterAFailure()
{
    // A proxy that wants ana:certa and then serves the results itself; the site address is a
    // port where nothing listens, so a request that bypassed the proxy would fail.
    const QByteArray expected = "Basic " + QByteArray("ana:certa").toBase64();
    LoopbackHttpServer proxy(
        [&](const LoopbackHttpServer::Request& r) -> LoopbackHttpServer::Response {
            if (r.headers.value("proxy-authorization") != expected) {
                LoopbackHttpServer::Response refuse { 407, "Proxy Authentication Required", "" };
                refuse.headers << qMakePair(
                    QByteArray("Proxy-Authenticate"), QByteArray("Basic realm=\"quirva\""));
                return refuse;
            }
            LoopbackHttpServer::Request local = r;
            local.target = r.target.mid(r.target.indexOf("/results/"));
            return megaSenaSite(local);
        });
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 deadPort = closed.serverPort();
    closed.close();

    Session s(QStringLiteral("http://127.0.0.1:%1").arg(deadPort));
    s.megaSena();
    s.net->Edit81->setText(QStringLiteral("127.0.0.1"));
    s.net->Edit82->setText(QString::number(proxy.port()));
    Ui::click(s.f.form.get(), QStringLiteral("CheckBox14"));
    QVERIFY(s.net->CheckBox14->isChecked());
    s.net->CheckBox15->setChecked(true);

    CredentialsAnswerer user;
    user.answers = { { QStringLiteral("ana"), QStringLiteral("errada") },
        { QStringLiteral("ana"), QStringLiteral("certa") } };
    s.download(1, 2);
    QCOMPARE(user.shown, 1);
    QCOMPARE(s.status(), QStringLiteral("Resultado 1 não existe ou erro de conexão."));
    QVERIFY(s.net->client().proxyPassword.isEmpty());
    QVERIFY(s.net->credentialsDialog().Edit2->text().isEmpty());
    QCOMPARE(s.net->client().proxyUser, QStringLiteral("ana"));

    s.download(1, 2);
    QCOMPARE(user.shown, 2);
    QCOMPARE(s.draws(), (QStringList { contestLine(1), contestLine(2) }));
    QCOMPARE(s.status(), QStringLiteral("Tarefa Concluída."));
    QVERIFY(!proxy.requests.isEmpty());
    QVERIFY(proxy.requests.back().target.startsWith(
        QStringLiteral("http://127.0.0.1:%1/results/MS_").arg(deadPort).toLatin1()));
    QCOMPARE(proxy.requests.back().headers.value("user-agent"),
        QByteArray("Mozilla/3.0 (compatible; Indy Library)"));
}

void DownloadTest::noCredentialsDialogWhenTheSwitchIsOff()
{
    LoopbackHttpServer site(megaSenaSite);
    Session s(site.address());
    s.megaSena();
    CredentialsAnswerer user;
    s.download(1, 1);
    QCOMPARE(user.shown, 0);
    QCOMPARE(s.draws(), QStringList { contestLine(1) });
}

QTEST_MAIN(DownloadTest)
#include "download_test.moc"
