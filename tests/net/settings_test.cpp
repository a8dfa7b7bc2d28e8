#include "net_test_support.h"
#include "support/app_fixture.h"
#include "support/ui_driver.h"
#include "support/ui_find.h"

#include "engine/net/settings_store.h"
#include "net/net_panel.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>

namespace {

using Values = QMap<QString, QString>;

void store(const Values& values)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("QUIRVA"));
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        settings.setValue(it.key(), it.value());
}

NetPanel* netOf(const MainWindowFixture& f)
{
    return f.form->findChild<NetPanel*>(QStringLiteral("NetPanel"));
}

} // namespace

class SettingsTest : public QObject
{
    Q_OBJECT
private slots:
    void firstRunGivesTheDefaults();
    void storedValuesAreLoaded_data();
    void storedValuesAreLoaded();
    void savedSettingsComeBackAfterARestart();
    void savingKeepsOneSpellingOfEachName();
    void saveThatFailsSaysSo();
    void fileReadInPartIsLoadedAndSavedOver();
    void proxySwitchAppliesAtOnce();
    void proxySwitchWithBadPortShowsConversionError();
    void credentialsDialogHandsOverOnlyOnOk();
};

void SettingsTest::firstRunGivesTheDefaults()
{
    TempWorkspace workspace;
    MainWindowFixture f;
    f.start();
    NetPanel* net = netOf(f);
    QCOMPARE(net->Edit44->text(), QString::fromLatin1(defaultResultsSite));
    QCOMPARE(net->Edit81->text(), QStringLiteral("localhost"));
    QCOMPARE(net->Edit82->text(), QStringLiteral("8080"));
    QVERIFY(!net->CheckBox14->isChecked());
    QVERIFY(!net->CheckBox15->isChecked());
    QVERIFY(!net->Edit81->isEnabled());
    QVERIFY(!net->Edit82->isEnabled());
    QVERIFY(net->client().proxyServer.isEmpty());
    QCOMPARE(net->client().proxyPort, 0);
    QVERIFY(f.dialogs->messages.isEmpty());
    QVERIFY(Ui::find<QWidget>(f.form.get(), "TabConfiguracoes")->isAncestorOf(net->GroupBox15));
    QCOMPARE(net->GroupBox15->title(), QStringLiteral("Configuração de acesso Internet"));
}

void SettingsTest::storedValuesAreLoaded_data()
{
    QTest::addColumn<Values>("stored");
    QTest::addColumn<QStringList>("fields"); // Edit81, Edit82, Edit44
    QTest::addColumn<bool>("proxy");
    QTest::addColumn<bool>("credentials");
    QTest::addColumn<QString>("clientServer");
    QTest::addColumn<int>("clientPort");

    QTest::newRow("site with empty proxy name")
        << Values { { "Site", "http://127.0.0.1:9" }, { "Proxy_Name", "" },
               { "Proxy_Port", "3128" } }
        << QStringList { "", "3128", "http://127.0.0.1:9" } << false << false << "" << 0;
    QTest::newRow("upper-case S reads as off")
        << Values { { "Site", "http://x" }, { "Proxy", "S" }, { "Proxy_usu", "S" } }
        << QStringList { "", "", "http://x" } << false << false << "" << 0;
    QTest::newRow("names in another case")
        << Values { { "site", "http://x" }, { "PROXY", "s" }, { "proxy_Usu", "s" },
               { "PROXY_NAME", "proxy.lan" }, { "Proxy_PORT", "3128" } }
        << QStringList { "proxy.lan", "3128", "http://x" } << true << true << "proxy.lan" << 3128;
    QTest::newRow("blank site gives the defaults")
        << Values { { "Site", "   " }, { "Proxy_Name", "proxy.lan" }, { "Proxy_Port", "3128" },
               { "Proxy", "s" } }
        << QStringList { "localhost", "8080", QString::fromLatin1(defaultResultsSite) } << true
        << false << "localhost" << 8080;
    QTest::newRow("bad port leaves the client's port at 0")
        << Values { { "Site", "http://x" }, { "Proxy", "s" }, { "Proxy_Name", "proxy.lan" },
               { "Proxy_Port", "oito" } }
        << QStringList { "proxy.lan", "oito", "http://x" } << true << false << "proxy.lan" << 0;
}

void SettingsTest::storedValuesAreLoaded()
{
    QFETCH(Values, stored);
    QFETCH(QStringList, fields);
    QFETCH(bool, proxy);
    QFETCH(bool, credentials);
    QFETCH(QString, clientServer);
    QFETCH(int, clientPort);
    TempWorkspace workspace;
    store(stored);
    MainWindowFixture f;
    f.start();
    NetPanel* net = netOf(f);
    QCOMPARE(
        (QStringList { net->Edit81->text(), net->Edit82->text(), net->Edit44->text() }), fields);
    QCOMPARE(net->CheckBox14->isChecked(), proxy);
    QCOMPARE(net->CheckBox15->isChecked(), credentials);
    QCOMPARE(net->Edit81->isEnabled(), proxy);
    QCOMPARE(net->client().proxyServer, clientServer);
    QCOMPARE(net->client().proxyPort, clientPort);
    QVERIFY(f.dialogs->messages.isEmpty());
}

void SettingsTest::savedSettingsComeBackAfterARestart()
{
    TempWorkspace workspace;
    {
        MainWindowFixture f;
        f.start();
        NetPanel* net = netOf(f);
        Ui::click(f.form.get(), QStringLiteral("CheckBox14"));
        net->Edit81->setText(QStringLiteral("proxy.lan"));
        net->Edit82->setText(QStringLiteral("3128"));
        Ui::click(f.form.get(), QStringLiteral("CheckBox15"));
        net->Edit44->setText(QStringLiteral("http://resultados.lan/loterias"));
        Ui::click(f.form.get(), QStringLiteral("Button20"));
        QCOMPARE(f.dialogs->lastMessage(), QStringLiteral("Configurações salvas com sucesso."));
    }
    const std::map<QString, QString> written = SettingsStore::readAll();
    const std::map<QString, QString> expected { { "Proxy", "s" }, { "Proxy_usu", "s" },
        { "Proxy_Name", "proxy.lan" }, { "Proxy_Port", "3128" },
        { "Site", "http://resultados.lan/loterias" }, { "Site_Proprio", "n" } };
    QVERIFY(written == expected);

    MainWindowFixture f;
    f.start();
    NetPanel* net = netOf(f);
    QVERIFY(net->CheckBox14->isChecked());
    QVERIFY(net->CheckBox15->isChecked());
    QCOMPARE(net->Edit81->text(), QStringLiteral("proxy.lan"));
    QCOMPARE(net->Edit44->text(), QStringLiteral("http://resultados.lan/loterias"));
    QCOMPARE(net->client().proxyServer, QStringLiteral("proxy.lan"));
    QCOMPARE(net->client().proxyPort, 3128);
}

void SettingsTest::savingKeepsOneSpellingOfEachName()
{
    TempWorkspace workspace;
    store({ { "proxy", "n" }, { "SITE", "http://x" } });
    MainWindowFixture f;
    f.start();
    NetPanel* net = netOf(f);
    Ui::click(f.form.get(), QStringLiteral("CheckBox14"));
    Ui::click(f.form.get(), QStringLiteral("Button20"));
    const std::map<QString, QString> written = SettingsStore::readAll();
    QVERIFY(!written.count("proxy"));
    QVERIFY(!written.count("SITE"));
    QCOMPARE(written.at("Proxy"), QStringLiteral("s"));
    QCOMPARE(written.at("Site"), QStringLiteral("http://x"));
    QCOMPARE(SettingsStore::read("PROXY").value_or(""), QStringLiteral("s"));
    QCOMPARE(net->Edit44->text(), QStringLiteral("http://x"));
}

void SettingsTest::saveThatFailsSaysSo()
{
    TempWorkspace workspace;
    MainWindowFixture f;
    f.start();
    // The settings folder's place is taken by a file: nothing can be written under it.
    QFile blocker(workspace.path("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    TempWorkspace::useSettingsIn(workspace.path("blocker/settings"));
    Ui::click(f.form.get(), QStringLiteral("Button20"));
    QCOMPARE(f.dialogs->lastMessage(), QStringLiteral("Não foi possível salvar as configurações."));
}

void SettingsTest::fileReadInPartIsLoadedAndSavedOver()
{
    TempWorkspace workspace;
    const auto writeSettingsFile = [](const QByteArray& content) {
        QDir().mkpath(QFileInfo(SettingsStore::location()).path());
        QFile file(SettingsStore::location());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    };
    // An unclosed section makes the rest of the file unreadable, not what comes before it.
    writeSettingsFile("[General]\nProxy_Name=proxy.lan\nProxy_Port=3128\nSite=http://x\n[Bro");
    MainWindowFixture f;
    f.start();
    NetPanel* net = netOf(f);
    QCOMPARE(net->Edit81->text(), QStringLiteral("proxy.lan"));
    QCOMPARE(net->Edit44->text(), QStringLiteral("http://x"));

    writeSettingsFile("[General]\nSite=http://y\n[Broken");
    net->Edit44->setText(QStringLiteral("http://z"));
    Ui::click(f.form.get(), QStringLiteral("Button20"));
    QCOMPARE(f.dialogs->lastMessage(), QStringLiteral("Configurações salvas com sucesso."));
    QCOMPARE(SettingsStore::read(QStringLiteral("site")).value_or(""), QStringLiteral("http://z"));
}

void SettingsTest::proxySwitchAppliesAtOnce()
{
    TempWorkspace workspace;
    MainWindowFixture f;
    f.start();
    NetPanel* net = netOf(f);
    Ui::click(f.form.get(), QStringLiteral("CheckBox14"));
    QVERIFY(net->Edit81->isEnabled());
    QCOMPARE(net->client().proxyServer, QStringLiteral("localhost"));
    QCOMPARE(net->client().proxyPort, 8080);
    // Editing alone does not reach the client.
    net->Edit81->setText(QStringLiteral("proxy.lan"));
    QCOMPARE(net->client().proxyServer, QStringLiteral("localhost"));
    Ui::click(f.form.get(), QStringLiteral("CheckBox14"));
    QVERIFY(!net->Edit81->isEnabled());
    QVERIFY(!net->Edit82->isEnabled());
    QVERIFY(net->client().proxyServer.isEmpty());
    QCOMPARE(net->client().proxyPort, 0);
    QVERIFY(f.dialogs->messages.isEmpty());
}

void SettingsTest::proxySwitchWithBadPortShowsConversionError()
{
    TempWorkspace workspace;
    MainWindowFixture f;
    f.start();
    NetPanel* net = netOf(f);
    net->Edit81->setText(QStringLiteral("proxy.lan"));
    net->Edit82->setText(QStringLiteral("80a"));
    Ui::click(f.form.get(), QStringLiteral("CheckBox14"));
    QCOMPARE(f.dialogs->lastMessage(), QStringLiteral("'80a' is not a valid integer value"));
    QCOMPARE(net->client().proxyServer, QStringLiteral("proxy.lan"));
    QCOMPARE(net->client().proxyPort, 0);
}

void SettingsTest::credentialsDialogHandsOverOnlyOnOk()
{
    TempWorkspace workspace;
    MainWindowFixture f;
    f.start();
    NetPanel* net = netOf(f);
    TFSenha& dialog = net->credentialsDialog();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Senha de Acesso Internet"));
    QCOMPARE(dialog.Edit2->echoMode(), QLineEdit::Password);
    QVERIFY(dialog.Button1->isDefault());
    QVERIFY(dialog.minimumSize() == dialog.maximumSize());

    net->client().proxyUser = QStringLiteral("antigo");
    net->client().proxyPassword = QStringLiteral("antiga");
    QTimer::singleShot(0, &dialog, [&] {
        dialog.Edit1->setText(QStringLiteral("outro"));
        dialog.reject();
    });
    dialog.exec();
    QCOMPARE(net->client().proxyUser, QStringLiteral("antigo"));
    QCOMPARE(net->client().proxyPassword, QStringLiteral("antiga"));

    QTimer::singleShot(0, &dialog, [&] {
        QVERIFY(dialog.Edit1->hasFocus() || QApplication::focusWidget() == nullptr);
        dialog.Edit1->setText(QStringLiteral("ana"));
        dialog.Edit2->setText(QStringLiteral("certa"));
        dialog.Button1->click();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(net->client().proxyUser, QStringLiteral("ana"));
    QCOMPARE(net->client().proxyPassword, QStringLiteral("certa"));
}

QTEST_MAIN(SettingsTest)
#include "settings_test.moc"
