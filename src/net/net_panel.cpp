#include "net/net_panel.h"

#include "app/conversion.h"
#include "app/dialogs.h"
#include "app/tform1.h"
#include "net/result_files.h"
#include "net/settings_store.h"
#include "net/tfsenha.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
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

template <typename W, typename... Args> W* named(const QString& name, Args&&... args)
{
    W* w = new W(std::forward<Args>(args)...);
    w->setObjectName(name);
    return w;
}

QString onOff(const QCheckBox* box)
{
    return box->isChecked() ? QStringLiteral("s") : QStringLiteral("n");
}

} // namespace

NetPanel::NetPanel(TForm1& form)
    : QObject(&form)
    , form_(form)
    , FSenha_(std::make_unique<TFSenha>(client_))
{
    setObjectName(QStringLiteral("NetPanel"));
    buildSettingsGroup();
    buildDownloadPanel();

    auto bind = [this](QAbstractButton* b, void (NetPanel::*handler)()) {
        connect(b, &QAbstractButton::clicked, this,
            [this, handler] { form_.guarded([=, this] { (this->*handler)(); }); });
    };
    bind(Button20, &NetPanel::Button20Click);
    bind(CheckBox14, &NetPanel::CheckBox14Click);
    bind(Button21, &NetPanel::Button21Click);

    form_.afterCreate.push_back([this] { LoadSettings(); });
    form_.closeVetoes.push_back([this] { return downloading_; });
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
    Edit44 = named<QLineEdit>(QStringLiteral("Edit44"));
    Button20
        = named<QPushButton>(QStringLiteral("Button20"), QStringLiteral("Salvar Configurações"));
    layout->addRow(CheckBox14);
    layout->addRow(QStringLiteral("Endereço do servidor Proxy:"), Edit81);
    layout->addRow(QStringLiteral("Porta do Proxy:"), Edit82);
    layout->addRow(CheckBox15);
    layout->addRow(QStringLiteral("Endereço do Site:"), Edit44);
    layout->addRow(Button20);
    // The fields follow the switch from the start, before any setting is read.
    Edit81->setEnabled(false);
    Edit82->setEnabled(false);
    if (auto* tab = qobject_cast<QFormLayout*>(form_.TabConfiguracoes->layout()))
        tab->addRow(GroupBox15);
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
    Button21 = named<QPushButton>(QStringLiteral("Button21"), QStringLiteral("Baixar"));
    Button21->setToolTip(QStringLiteral(
        "Baixar resultados da internet dependendo da modalidade lotérica selecionada"));
    layout->addWidget(new QLabel(QStringLiteral("de")), 0, 0);
    layout->addWidget(Edit83, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("a")), 1, 0);
    layout->addWidget(Edit84, 1, 1);
    layout->addWidget(Button21, 2, 0, 1, 2);
    layout->setRowStretch(3, 1);
    // Beside the verification controls, in the parameter panel's row.
    QWidget* panel = form_.GroupBoxSimulation->parentWidget();
    if (auto* row = panel ? qobject_cast<QBoxLayout*>(panel->layout()) : nullptr) {
        const int at = row->indexOf(form_.GroupBoxSimulation);
        row->insertWidget(at < 0 ? -1 : at + 1, GroupBox16);
    }
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
    });
    Dialogs::information(&form_,
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

// ---------------------------------------------------------------- download

QString NetPanel::Fetch(const QString& address)
{
    if (CheckBox15->isChecked() && client_.proxyPassword.isEmpty()) FSenha_->exec();
    const HttpClient::Result result = client_.get(address);
    if (!result.ok) {
        client_.proxyPassword.clear();
        FSenha_->Edit2->clear();
        return QString::fromLatin1(ResultFiles::noResult);
    }
    return QString::fromLatin1(result.body);
}

void NetPanel::Button21Click()
{
    if (!form_.mayRun(Command::Download)) return;
    const JobState::Scope job(form_.jobs, Job::Download);
    form_.resetComparisonChart();
    const int first = StrToInt(Edit83->text());
    const int last = StrToInt(Edit84->text());
    if (last < first) {
        Dialogs::information(&form_,
            QStringLiteral("O DE tem que ser menor ou igual a A para poder baixar os resultados."));
        return;
    }

    Button21->setEnabled(false);
    downloading_ = true;
    // The board, the parameters and the verification's inputs are locked as for any run; the
    // balanced pick is not the download's to change.
    const bool balancedPickEnabled = form_.CheckBox3->isEnabled();
    form_.lockForRun(true);
    struct Restore {
        NetPanel* panel;
        bool balancedPickEnabled;
        ~Restore()
        {
            panel->downloading_ = false;
            panel->Button21->setEnabled(true);
            panel->form_.lockForRun(false);
            panel->form_.CheckBox3->setEnabled(balancedPickEnabled);
        }
    } restore { this, balancedPickEnabled };

    QDir().mkpath(QString::fromLatin1(ResultFiles::cacheFolder));
    const Modality m = form_.modality();
    if (m == Modality::Outros) return;

    form_.ProgressBar1->setRange(first, last);
    form_.ProgressBar1->setValue(first);
    form_.PageControl1->setCurrentWidget(form_.TabSimulacao);
    form_.RadioButton9->setChecked(true);
    form_.RadioButton9->click();
    LineStore& draws = form_.Memo2->store();
    draws.clear();
    form_.setStatus(QStringLiteral("Baixando resultados."));

    const QString site = Edit44->text();
    QElapsedTimer sinceRepaint;
    sinceRepaint.start();
    bool complete = true;
    for (int contest = first; contest <= last; ++contest) {
        const QString path = ResultFiles::cachePath(m, contest);
        std::optional<QString> draw = ResultFiles::readCached(path, m);
        if (!draw) {
            draw = ResultFiles::drawFromBody(
                Fetch(ResultFiles::resultAddress(site, m, contest)).toLatin1(), m);
            if (draw)
                ResultFiles::writeCached(
                    path, *draw); // a cache that cannot be written only costs a fetch later
        }
        if (!draw) {
            form_.setStatus(QStringLiteral("Resultado ") + QString::number(contest)
                + QStringLiteral(" não existe ou erro de conexão."));
            complete = false;
            break;
        }
        draws.append(*draw);
        form_.ProgressBar1->setValue(contest);
        // Cached contests come fast and make no request: let the window repaint now and then,
        // still without taking input.
        if (sinceRepaint.elapsed() >= 15) {
            form_.Memo2->sync();
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            sinceRepaint.restart();
        }
        if (contest == last) break; // the last contest may be INT_MAX
    }
    form_.Memo2->sync();
    if (complete) form_.setStatus(QStringLiteral("Tarefa Concluída."));
}

void attachNet(TForm1& form)
{
    new NetPanel(form);
}
