#include "net/net_panel.h"

#include "engine/base/conversion.h"
#include "engine/net/official_results.h"
#include "engine/net/result_files.h"
#include "engine/net/results_download.h"
#include "engine/net/settings_store.h"
#include "net/tfsenha.h"
#include "ui/bet_board.h"
#include "ui/dialogs.h"
#include "ui/draws_area.h"
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
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
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
    RadioButton11Click(); // its hint follows the source
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
    // A disabled button still shows its hint: it says why it is off.
    Button24->setToolTip(officialSource()
            ? QStringLiteral("Consultar nos resultados oficiais o último concurso da modalidade, "
                             "colocá-lo em \"a\" e baixar os resultados de \"de\" até ele")
            : QStringLiteral("O site próprio não informa qual é o último concurso: digite-o em "
                             "\"a\" e aperte Baixar, ou escolha \"Resultados oficiais (Caixa)\""));
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
    askCredentialsWhenWanted();
    if (run_) {
        options.letInputThrough = true;
        options.stopRequested = [this] { return run_ && run_->stopRequested(); };
    }
    HttpClient::Result result = client_.get(address, options);
    if (!result.ok && result.failure != HttpClient::Failure::Stopped) forgetPassword();
    return result;
}

void NetPanel::askCredentialsWhenWanted()
{
    if (CheckBox15->isChecked() && client_.proxyPassword.isEmpty()) FSenha_->exec();
}

// After a failed request, so that the next one asks for the password again.
void NetPanel::forgetPassword()
{
    client_.proxyPassword.clear();
    FSenha_->Edit2->clear();
}

QString NetPanel::Fetch(const QString& address)
{
    const HttpClient::Result result = request(address, HttpClient::Options {});
    if (!result.ok) return QString::fromLatin1(ResultFiles::noResult);
    return QString::fromLatin1(result.body);
}

void NetPanel::prepare(ResultsDownload& download)
{
    download.official = officialSource();
    download.address = download.official ? officialService_ : Edit44->text();
    download.separator = settings_.separator();
    download.beforeFirstRequest = [this] { askCredentialsWhenWanted(); };
    download.stopRequested = [this] { return run_ && run_->stopRequested(); };
}

namespace {

QString modalityCaption(Modality m)
{
    return QString::fromUtf8(modalityDefaults(m).name);
}

// "120 de 2800 concursos, faltam cerca de 4 min": the estimate rounded, as it is rough.
QString progressText(const ResultsDownload::Progress& progress)
{
    QString text = QStringLiteral("%1 de %2 concursos").arg(progress.done).arg(progress.total);
    if (progress.msLeft < 0 || progress.done >= progress.total) return text;
    const qint64 seconds = (progress.msLeft + 999) / 1000;
    if (seconds >= 120)
        return text + QStringLiteral(", faltam cerca de %1 min").arg((seconds + 30) / 60);
    return text + QStringLiteral(", faltam cerca de %1 s").arg((seconds + 9) / 10 * 10);
}

// What a player can try after the failure.
QString advice(const DownloadFailure& failure)
{
    using Kind = DownloadFailure::Kind;
    const QString siteAddress = QStringLiteral(
        "Confira o \"Endereço do Site:\" na aba \"Configurações\" e se o site está no ar.");
    switch (failure.kind) {
    case Kind::Refused:
    case Kind::TimedOut:
        if (!failure.official) return siteAddress;
        return QStringLiteral("Tente um proxy no Brasil (\"Usar Proxy para acessar internet\", na "
                              "aba \"Configurações\") ou o \"Site próprio\".");
    case Kind::NotFound:
        if (!failure.official)
            return QStringLiteral("Confira se o site próprio tem o arquivo desse concurso.");
        if (!failure.latestLookUp)
            return QStringLiteral(
                "Confira o número em \"a\": \"Até o último\" coloca lá o último concurso.");
        break;
    case Kind::Connection:
        return QStringLiteral("Confira a conexão com a internet e, se usar proxy, o endereço e a "
                              "porta do proxy na aba \"Configurações\".");
    case Kind::ProxyRefused:
        return QStringLiteral("Confira a chave e a senha do proxy (\"Usar CHAVE e SENHA para "
                              "acessar a internet\"); a senha será pedida de novo.");
    case Kind::InvalidAddress:
        if (!failure.official) return siteAddress;
        return QStringLiteral("Confira o valor Site_Oficial do arquivo de configurações.");
    case Kind::ServerError:
    case Kind::BadAnswer:
        if (!failure.official)
            return QStringLiteral("Confira o arquivo desse concurso no site próprio.");
        break;
    }
    return QStringLiteral(
        "Tente de novo mais tarde; se o problema continuar, use o \"Site próprio\".");
}

// The message box after a download that ended early: which contest, why, what was kept and
// what to try.
QString failureMessage(const DownloadFailure& failure, Modality m, qint64 added, int first)
{
    if (failure.latestLookUp)
        return QStringLiteral("Não foi possível consultar o último concurso da %1.\n\n%2\n\n%3")
            .arg(modalityCaption(m), failure.plainReason(), advice(failure));
    const QString kept = added == 0
        ? QStringLiteral("Nenhum concurso foi colocado na área de sorteios.")
        : added == 1
        ? QStringLiteral("O concurso %1 foi colocado na área de sorteios.").arg(first)
        : QStringLiteral("%1 concursos foram colocados na área de sorteios, do %2 ao %3.")
              .arg(added)
              .arg(first)
              .arg(first + added - 1);
    return QStringLiteral("Não foi possível baixar o concurso %1 da %2.\n\n%3\n\n%4\n\n%5")
        .arg(QString::number(failure.contest), modalityCaption(m), failure.plainReason(), kept,
            advice(failure));
}

} // namespace

QString NetPanel::downloadContests(Modality m, int first, int last)
{
    QProgressBar& bar = status_.progressBar();
    bar.setRange(first, last);
    bar.setValue(first);
    window_.showPage(WindowSeams::Page::Simulacao);
    draws_.verifyAgainstDraws();
    LineStore& draws = draws_.draws().store();
    draws.clear();
    status_.setStatus(QStringLiteral("Baixando resultados."));

    ResultsDownload download(client_);
    prepare(download);
    // The draws area follows its store by itself; the bar tells how far and how long still.
    const QString barFormat = bar.format();
    connect(&download, &ResultsDownload::contestAdded, this,
        [&](int contest, const QStringList& lines) {
            for (const QString& line : lines)
                draws.append(line);
            bar.setValue(contest);
            bar.setFormat(progressText(download.progress()));
        });
    download.start(m, first, last);
    download.waitForFinished();
    bar.setFormat(barFormat);
    draws_.draws().sync();

    // The player would otherwise find out only when the next "Baixar" fetches them all again.
    const auto tell
        = [&](const QString& line) { status_.setStatus(line + download.notKeptNote()); };
    if (download.wasStopped()) {
        tell(QStringLiteral("Download interrompido no resultado %1.").arg(download.endedAt()));
        return {};
    }
    if (const std::optional<DownloadFailure>& failure = download.failure()) {
        if (failure->requestFailed) forgetPassword();
        tell(failure->statusLine());
        return failureMessage(*failure, m, download.contestsAdded(), first);
    }
    tell(QStringLiteral("Tarefa Concluída."));
    return {};
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

    QString trouble;
    {
        Run run(*this);
        ResultFiles::prepareCache();
        const Modality m = board_.modality();
        if (m == Modality::Outros) return;
        trouble = downloadContests(m, first, last);
    }
    // Told once the window is out of the run, so that the player can act on it at once.
    if (!trouble.isEmpty()) Dialogs::information(&window_.host(), trouble);
}

QString NetPanel::downloadToLatest(Modality m, int first)
{
    status_.setStatus(QStringLiteral("Consultando o último concurso."));
    ResultsDownload lookUp(client_);
    prepare(lookUp);
    lookUp.startLatest(m);
    lookUp.waitForFinished();
    if (lookUp.wasStopped()) {
        status_.setStatus(QStringLiteral("Consulta do último concurso interrompida."));
        return {};
    }
    if (const std::optional<DownloadFailure>& failure = lookUp.failure()) {
        if (failure->requestFailed) forgetPassword();
        status_.setStatus(failure->statusLine());
        return failureMessage(*failure, m, 0, first);
    }
    Edit84->setText(QString::number(lookUp.latest()));
    status_.setStatus(
        QStringLiteral("Último concurso da %1: %2.").arg(modalityCaption(m)).arg(lookUp.latest()));
    if (lookUp.latest() < first)
        return QStringLiteral(
            "O DE tem que ser menor ou igual a A para poder baixar os resultados.");
    draws_.drawsReset();
    return downloadContests(m, first, lookUp.latest());
}

void NetPanel::Button24Click()
{
    if (!runs_.mayRun(Command::Download) || !officialSource()) return;
    const Modality m = board_.modality();
    if (m == Modality::Outros) {
        status_.setStatus(QStringLiteral("A modalidade Outros não tem resultados oficiais."));
        return;
    }
    const int first = StrToInt(Edit83->text());
    QString trouble;
    {
        Run run(*this);
        trouble = downloadToLatest(m, first);
    }
    if (!trouble.isEmpty()) Dialogs::information(&window_.host(), trouble);
}

void attachNet(WindowSeams& window, RunHost& runs, RunStatus& status, const BetBoard& board,
    DrawsArea& draws, SettingsPage& settings)
{
    new NetPanel(window, runs, status, board, draws, settings);
}
