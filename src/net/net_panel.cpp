#include "net/net_panel.h"

#include "engine/base/conversion.h"
#include "engine/net/official_results.h"
#include "engine/net/result_files.h"
#include "engine/net/settings_store.h"
#include "net/tfsenha.h"
#include "ui/bet_board.h"
#include "ui/dialogs.h"
#include "ui/draws_area.h"
#include "ui/event_pump.h"
#include "ui/line_view.h"
#include "ui/named_widget.h"
#include "ui/run_host.h"
#include "ui/run_scope.h"
#include "ui/run_status.h"
#include "ui/settings_page.h"
#include "ui/window_seams.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QTabWidget>

namespace {

QString onOff(const QCheckBox* box)
{
    return box->isChecked() ? QStringLiteral("s") : QStringLiteral("n");
}

} // namespace

NetPanel::NetPanel(WindowSeams& window, RunHost& runs, RunStatus& status, const BetBoard& board,
    DrawsArea& draws, SettingsPage& settings)
    : QObject(&window.host())
    , window_(window)
    , runs_(runs)
    , status_(status)
    , board_(board)
    , draws_(draws)
    , settings_(settings)
    , FSenha_(std::make_unique<TFSenha>(client_))
{
    setObjectName(QStringLiteral("NetPanel"));
    buildSettingsGroup();
    buildDownloadPanel();

    auto bind = [this](QAbstractButton* b, void (NetPanel::*handler)()) {
        connect(b, &QAbstractButton::clicked, this,
            [this, handler] { window_.guarded([=, this] { (this->*handler)(); }); });
    };
    bind(Button20, &NetPanel::Button20Click);
    bind(CheckBox14, &NetPanel::CheckBox14Click);
    bind(RadioButton11, &NetPanel::RadioButton11Click);
    bind(RadioButton12, &NetPanel::RadioButton11Click);
    bind(Button21, &NetPanel::Button21Click);
    bind(Button24, &NetPanel::Button24Click);

    window_.afterCreate([this] { LoadSettings(); });
    window_.closeVeto([this] { return run_ != nullptr; });
}

NetPanel::~NetPanel() = default;

void NetPanel::buildSettingsGroup()
{
    GroupBox15 = named<QGroupBox>(
        QStringLiteral("GroupBox15"), QStringLiteral("Configuração de acesso Internet"));
    GroupBox15->setToolTip(QStringLiteral(
        "Para valer as configurações aqui inseridas aperte o botão Salvar Configurações"));
    auto* layout = new QFormLayout(GroupBox15);
    CheckBox14 = named<QCheckBox>(
        QStringLiteral("CheckBox14"), QStringLiteral("Usar Proxy para acessar internet"));
    CheckBox15 = named<QCheckBox>(
        QStringLiteral("CheckBox15"), QStringLiteral("Usar CHAVE e SENHA para acessar a internet"));
    Edit81 = named<QLineEdit>(QStringLiteral("Edit81"));
    Edit82 = named<QLineEdit>(QStringLiteral("Edit82"));
    Edit82->setMaximumWidth(80);
    RadioButton11 = named<QRadioButton>(
        QStringLiteral("RadioButton11"), QStringLiteral("Resultados oficiais (Caixa)"));
    RadioButton11->setChecked(true);
    Label117 = named<QLabel>(QStringLiteral("Label117"));
    Label117->setWordWrap(true);
    Label117->setTextInteractionFlags(Qt::TextSelectableByMouse);
    RadioButton12
        = named<QRadioButton>(QStringLiteral("RadioButton12"), QStringLiteral("Site próprio"));
    Edit44 = named<QLineEdit>(QStringLiteral("Edit44"));
    Button20
        = named<QPushButton>(QStringLiteral("Button20"), QStringLiteral("Salvar Configurações"));
    layout->addRow(CheckBox14);
    layout->addRow(QStringLiteral("Endereço do servidor Proxy:"), Edit81);
    layout->addRow(QStringLiteral("Porta do Proxy:"), Edit82);
    layout->addRow(CheckBox15);
    layout->addRow(RadioButton11);
    layout->addRow(Label117);
    layout->addRow(RadioButton12);
    layout->addRow(QStringLiteral("Endereço do Site:"), Edit44);
    layout->addRow(Button20);
    // The fields follow the switch from the start, before any setting is read.
    Edit81->setEnabled(false);
    Edit82->setEnabled(false);
    officialService_ = QString::fromLatin1(OfficialResults::defaultService);
    showOfficialService(false);
    settings_.addGroup(GroupBox15);
}

void NetPanel::buildDownloadPanel()
{
    GroupBox16
        = named<QGroupBox>(QStringLiteral("GroupBox16"), QStringLiteral("Baixar Resultados"));
    auto* layout = new QGridLayout(GroupBox16);
    Edit83 = named<QLineEdit>(QStringLiteral("Edit83"), QStringLiteral("1"));
    Edit84 = named<QLineEdit>(QStringLiteral("Edit84"), QStringLiteral("1"));
    for (QLineEdit* e : { Edit83, Edit84 })
        e->setMaximumWidth(60);
    Button24 = named<QPushButton>(QStringLiteral("Button24"), QStringLiteral("Até o último"));
    Button24->setToolTip(QStringLiteral(
        "Consultar nos resultados oficiais o último concurso da modalidade e colocá-lo em \"a\""));
    Button21 = named<QPushButton>(QStringLiteral("Button21"), QStringLiteral("Baixar"));
    Button21->setToolTip(QStringLiteral(
        "Baixar resultados da internet dependendo da modalidade lotérica selecionada"));
    layout->addWidget(new QLabel(QStringLiteral("de")), 0, 0);
    layout->addWidget(Edit83, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("a")), 1, 0);
    layout->addWidget(Edit84, 1, 1);
    layout->addWidget(Button24, 1, 2);
    layout->addWidget(Button21, 2, 0, 1, 3);
    layout->setRowStretch(3, 1);
    window_.addToParameterRow(GroupBox16);
}

// ---------------------------------------------------------------- settings

void NetPanel::LoadSettings()
{
    // Whatever goes wrong here leaves the rest of the start-up alone and keeps what was set.
    try {
        const auto value = [](const char* name) {
            return SettingsStore::read(QString::fromLatin1(name)).value_or(QString());
        };
        Edit81->setText(value("proxy_name"));
        Edit82->setText(value("proxy_port"));
        const QString site = value("Site");
        if (!site.trimmed().isEmpty()) {
            Edit44->setText(site);
        } else {
            Edit44->setText(QString::fromLatin1(defaultResultsSite));
            Edit81->setText(QStringLiteral("localhost"));
            Edit82->setText(QStringLiteral("8080"));
        }
        CheckBox14->setChecked(value("proxy") == u"s");
        CheckBox15->setChecked(value("proxy_usu") == u"s");
        (value("site_proprio") == u"s" ? RadioButton12 : RadioButton11)->setChecked(true);
        RadioButton11Click();
        // Only for tests against an imitation of the service; never written by the program.
        const QString service = value("site_oficial").trimmed();
        if (!service.isEmpty()) {
            officialService_ = service;
            showOfficialService(true);
        }
        CheckBox14Click();
    } catch (const std::exception&) {
    }
}

void NetPanel::Button20Click()
{
    const bool saved = SettingsStore::write({
        { QStringLiteral("Proxy"), onOff(CheckBox14) },
        { QStringLiteral("Proxy_usu"), onOff(CheckBox15) },
        { QStringLiteral("Proxy_Name"), Edit81->text() },
        { QStringLiteral("Proxy_Port"), Edit82->text() },
        { QStringLiteral("Site"), Edit44->text() },
        { QStringLiteral("Site_Proprio"),
            RadioButton12->isChecked() ? QStringLiteral("s") : QStringLiteral("n") },
    });
    Dialogs::information(&window_.host(),
        saved ? QStringLiteral("Configurações salvas com sucesso.")
              : QStringLiteral("Não foi possível salvar as configurações."));
}

void NetPanel::CheckBox14Click()
{
    const bool on = CheckBox14->isChecked();
    Edit81->setEnabled(on);
    Edit82->setEnabled(on);
    if (on) {
        client_.proxyServer = Edit81->text();
        client_.proxyPort = 0;
        client_.proxyPort = StrToInt(Edit82->text());
    } else {
        client_.proxyServer.clear();
        client_.proxyPort = 0;
    }
}

bool NetPanel::officialSource() const
{
    return !RadioButton12->isChecked();
}

void NetPanel::RadioButton11Click()
{
    Button24->setEnabled(officialSource() && !run_);
}

void NetPanel::showOfficialService(bool changed)
{
    const QString caption = changed
        ? QStringLiteral("Serviço oficial ALTERADO no arquivo de configurações: ")
        : QStringLiteral("Serviço oficial: ");
    Label117->setText(caption + officialService_);
}

// ---------------------------------------------------------------- download

// A download or a look-up of the latest contest, for as long as it lives: the job's scope, and
// the panel's own commands off meanwhile.
class NetPanel::Run
{
public:
    explicit Run(NetPanel& panel)
        : panel_(panel)
        , scope_(panel.runs_, Job::Download, { panel.Button21, panel.Button24 })
    {
        panel_.run_ = this;
        scope_.begin();
    }
    ~Run()
    {
        scope_.finish();
        panel_.run_ = nullptr;
        panel_.RadioButton11Click();
    }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;
    bool stopRequested() const { return scope_.stopRequested(); }

private:
    NetPanel& panel_;
    RunScope scope_;
};

HttpClient::Result NetPanel::request(const QString& address, HttpClient::Options options)
{
    if (CheckBox15->isChecked() && client_.proxyPassword.isEmpty()) FSenha_->exec();
    if (run_) {
        options.letInputThrough = true;
        options.stopRequested = [this] { return run_ && run_->stopRequested(); };
    }
    HttpClient::Result result = client_.get(address, options);
    if (!result.ok && result.failure != HttpClient::Failure::Stopped) {
        client_.proxyPassword.clear();
        FSenha_->Edit2->clear();
    }
    return result;
}

QString NetPanel::Fetch(const QString& address)
{
    const HttpClient::Result result = request(address, HttpClient::Options {});
    if (!result.ok) return QString::fromLatin1(ResultFiles::noResult);
    return QString::fromLatin1(result.body);
}

NetPanel::Obtained NetPanel::ownSiteContest(const QString& site, Modality m, int contest)
{
    Obtained obtained;
    const QString path = ResultFiles::cachePath(m, contest);
    std::optional<QString> draw = ResultFiles::readCached(path, m);
    if (!draw) {
        const HttpClient::Result result
            = request(ResultFiles::resultAddress(site, m, contest), HttpClient::Options {});
        if (result.failure == HttpClient::Failure::Stopped) {
            obtained.stopped = true;
            return obtained;
        }
        draw = ResultFiles::drawFromBody(
            result.ok ? result.body : QByteArray(ResultFiles::noResult), m);
        // A cache that cannot be written only costs a fetch later.
        if (draw) obtained.notKept = !ResultFiles::writeCached(path, *draw);
    }
    if (draw)
        obtained.draws << *draw;
    else
        obtained.failure = QStringLiteral("Resultado ") + QString::number(contest)
            + QStringLiteral(" não existe ou erro de conexão.");
    return obtained;
}

NetPanel::Obtained NetPanel::officialContest(Modality m, int contest, QChar separator)
{
    Obtained obtained;
    const auto failed = [&](const QString& reason) {
        obtained.failure = QStringLiteral("Resultado %1: %2.").arg(contest).arg(reason);
        return obtained;
    };
    // The cache holds the answer as the service gave it, read again like a new one; a file
    // that no longer reads as the contest is fetched anew.
    const QString path = OfficialResults::cachePath(m, contest);
    QFile cached(path);
    if (cached.open(QIODevice::ReadOnly)) {
        const QByteArray body = cached.read(client_.maxBodyBytes + 1);
        if (body.size() <= client_.maxBodyBytes) {
            const OfficialResults::Contest read
                = OfficialResults::readContest(body, m, contest, separator);
            if (read.ok()) {
                obtained.draws = read.draws;
                return obtained;
            }
        }
        cached.close();
    }

    const HttpClient::Result result
        = request(OfficialResults::contestAddress(officialService_, m, contest),
            OfficialResults::requestOptions());
    if (result.failure == HttpClient::Failure::Stopped) {
        obtained.stopped = true;
        return obtained;
    }
    if (!result.ok) return failed(OfficialResults::requestFailure(result, client_.timeoutMs));
    const OfficialResults::Contest read
        = OfficialResults::readContest(result.body, m, contest, separator);
    if (!read.ok()) return failed(read.reason);

    // Written whole or not at all; a cache that cannot be written only costs a fetch later.
    QSaveFile file(path);
    obtained.notKept
        = !file.open(QIODevice::WriteOnly) || file.write(result.body) < 0 || !file.commit();
    obtained.draws = read.draws;
    return obtained;
}

void NetPanel::Button21Click()
{
    if (!runs_.mayRun(Command::Download)) return;
    draws_.drawsReset();
    const int first = StrToInt(Edit83->text());
    const int last = StrToInt(Edit84->text());
    if (last < first) {
        Dialogs::information(&window_.host(),
            QStringLiteral("O DE tem que ser menor ou igual a A para poder baixar os resultados."));
        return;
    }

    Run run(*this);
    // A cache that cannot be made is told at the end, with the results it could not keep.
    ResultFiles::prepareCache();
    const Modality m = board_.modality();
    if (m == Modality::Outros) return;

    status_.progressBar().setRange(first, last);
    status_.progressBar().setValue(first);
    window_.showPage(WindowSeams::Page::Simulacao);
    draws_.verifyAgainstDraws();
    LineStore& draws = draws_.draws().store();
    draws.clear();
    status_.setStatus(QStringLiteral("Baixando resultados."));

    const bool official = officialSource();
    const QString site = Edit44->text();
    const QChar separator = settings_.separator();
    EventPump pump;
    bool notKept = false;
    QString status = QStringLiteral("Tarefa Concluída.");
    for (int contest = first; contest <= last; ++contest) {
        const Obtained obtained = run.stopRequested()
            ? Obtained { {}, {}, true }
            : (official ? officialContest(m, contest, separator)
                        : ownSiteContest(site, m, contest));
        if (obtained.stopped) {
            status = QStringLiteral("Download interrompido no resultado ")
                + QString::number(contest) + u'.';
            break;
        }
        if (!obtained.failure.isEmpty()) {
            status = obtained.failure;
            break;
        }
        notKept = notKept || obtained.notKept;
        for (const QString& draw : obtained.draws)
            draws.append(draw);
        status_.progressBar().setValue(contest);
        // Cached contests come fast and make no request: let the window repaint and "Parar"
        // through now and then (the draws area follows its store by itself).
        pump.maybePump();
        if (contest == last) break; // the last contest may be INT_MAX
    }
    draws_.draws().sync();
    // The player would otherwise find out only when the next "Baixar" fetches them all again.
    if (notKept)
        status += QStringLiteral(" Não foi possível guardar os resultados em %1.")
                      .arg(QDir::toNativeSeparators(ResultFiles::cacheFolderPath()));
    status_.setStatus(status);
}

void NetPanel::Button24Click()
{
    if (!runs_.mayRun(Command::Download) || !officialSource()) return;
    const Modality m = board_.modality();
    if (m == Modality::Outros) {
        status_.setStatus(QStringLiteral("A modalidade Outros não tem resultados oficiais."));
        return;
    }
    Run run(*this);
    status_.setStatus(QStringLiteral("Consultando o último concurso."));
    const HttpClient::Result result = request(
        OfficialResults::latestAddress(officialService_, m), OfficialResults::requestOptions());
    if (result.failure == HttpClient::Failure::Stopped) {
        status_.setStatus(QStringLiteral("Consulta do último concurso interrompida."));
        return;
    }
    const OfficialResults::Latest latest = result.ok
        ? OfficialResults::readLatest(result.body)
        : OfficialResults::Latest { 0, OfficialResults::requestFailure(result, client_.timeoutMs) };
    if (!latest.ok()) {
        status_.setStatus(QStringLiteral("Último concurso: ") + latest.reason + u'.');
        return;
    }
    Edit84->setText(QString::number(latest.contest));
    status_.setStatus(QStringLiteral("Último concurso da %1: %2.")
                          .arg(QString::fromUtf8(modalityDefaults(m).name))
                          .arg(latest.contest));
}

void attachNet(WindowSeams& window, RunHost& runs, RunStatus& status, const BetBoard& board,
    DrawsArea& draws, SettingsPage& settings)
{
    new NetPanel(window, runs, status, board, draws, settings);
}
