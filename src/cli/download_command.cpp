#include "cli/download_command.h"

#include "cli/command_bet.h"
#include "cli/command_files.h"
#include "cli/console.h"
#include "cli/stop_signal.h"
#include "engine/base/conversion.h"
#include "engine/generate/line_store.h"
#include "engine/net/official_results.h"
#include "engine/net/result_files.h"
#include "engine/net/results_download.h"
#include "engine/net/settings_store.h"

#include <QObject>
#include <algorithm>
#include <QJsonObject>

namespace {

QString setting(const char* name)
{
    return SettingsStore::read(QString::fromLatin1(name)).value_or(QString());
}

bool stopAsked()
{
    return StopSignal::requests() > 0;
}

// The proxy as the window's settings have it; the credentials the window asks for in its dialog
// come from the environment here. Empty when all is well, else why not.
QString setUpProxy(HttpClient& client)
{
    if (setting("proxy") != u"s") return {};
    client.proxyServer = setting("proxy_name");
    if (!tryStrToInt(setting("proxy_port"), client.proxyPort))
        return QStringLiteral("Porta do Proxy inválida nas configurações (%1): '%2'.")
            .arg(SettingsStore::location(), setting("proxy_port"));
    if (setting("proxy_usu") != u"s") return {};
    client.proxyUser = qEnvironmentVariable("QUIRVA_PROXY_USUARIO");
    client.proxyPassword = qEnvironmentVariable("QUIRVA_PROXY_SENHA");
    if (client.proxyPassword.isEmpty())
        return QStringLiteral("As configurações pedem CHAVE e SENHA para acessar a internet: "
                              "defina QUIRVA_PROXY_USUARIO e QUIRVA_PROXY_SENHA.");
    return {};
}

std::optional<int> contestNumber(const QString& text)
{
    int contest = 0;
    if (!tryStrToInt(text, contest) || contest < 1) return std::nullopt;
    return contest;
}

int run(const CommandLine& line, Console& console)
{
    CommandBet bet;
    if (!bet.readOptions(line)) return refuse(console, bet.error());
    if (bet.modality() == Modality::Outros)
        return refuse(console, QStringLiteral("A modalidade Outros não tem resultados oficiais."));
    const std::optional<int> first = contestNumber(line.value(QStringLiteral("de"), "1"));
    const QString lastText = line.value(QStringLiteral("a"), line.value(QStringLiteral("de"), "1"));
    const bool toLatest = lastText == u"ultimo" || lastText == u"último";
    const std::optional<int> last = toLatest ? first : contestNumber(lastText);
    if (!first || !last)
        return refuse(console,
            QStringLiteral("Concurso inválido em --de ou --a: use um número a "
                           "partir de 1, ou --a ultimo."));

    const QString chosen = line.value(QStringLiteral("fonte"),
        setting("site_proprio") == u"s" ? QStringLiteral("site") : QStringLiteral("oficial"));
    if (chosen != u"oficial" && chosen != u"site")
        return refuse(
            console, QStringLiteral("Fonte desconhecida: '%1'. Use oficial ou site.").arg(chosen));
    const bool official = chosen == u"oficial";
    QString site = line.value(QStringLiteral("site"), setting("site"));
    if (site.trimmed().isEmpty()) site = QString::fromLatin1(defaultResultsSite);
    QString service = QString::fromLatin1(OfficialResults::defaultService);
    if (const QString changed = setting("site_oficial").trimmed(); !changed.isEmpty()) {
        service = changed;
        if (official)
            console.message(
                QStringLiteral("Aviso: Serviço oficial ALTERADO no arquivo de configurações: ")
                + service);
    }
    if (toLatest && !official)
        return refuse(console,
            QStringLiteral(
                "\"Até o último\" consulta os resultados oficiais: use --fonte oficial."));
    HttpClient client;
    if (const QString problem = setUpProxy(client); !problem.isEmpty())
        return refuse(console, problem);

    ResultsDownload download(client);
    download.official = official;
    download.address = official ? service : site;
    download.separator = bet.separator();
    download.stopRequested = stopAsked;
    const QString lottery = QString::fromUtf8(modalityDefaults(bet.modality()).name);
    auto failed = [&](const DownloadFailure& failure) {
        console.message(failure.statusLine());
        console.message(failure.plainReason());
    };
    int lastContest = *last;
    if (toLatest) {
        download.startLatest(bet.modality());
        download.waitForFinished();
        if (download.wasStopped()) {
            console.message(QStringLiteral("Consulta do último concurso interrompida."));
            return kIncomplete;
        }
        if (download.failure()) {
            failed(*download.failure());
            return kIncomplete;
        }
        lastContest = download.latest();
        console.message(
            QStringLiteral("Último concurso da %1: %2.").arg(lottery).arg(lastContest));
    }
    if (lastContest < *first)
        return refuse(console,
            QStringLiteral("O DE tem que ser menor ou igual a A para poder baixar os resultados."));
    const QString output = line.value(QStringLiteral("saida"),
        QStringLiteral("Quirva_Resultados_%1_%2_%3.txt")
            .arg(modalityCode(bet.modality()))
            .arg(*first)
            .arg(lastContest));

    LineStore draws;
    QObject::connect(&download, &ResultsDownload::contestAdded,
        [&](int contest, const QStringList& lines) {
            for (const QString& draw : lines)
                draws.append(draw);
            const ResultsDownload::Progress progress = download.progress();
            console.progress(QStringLiteral("baixando"),
                double(progress.done) / double(std::max<qint64>(progress.total, 1)),
                QStringLiteral("concurso %1").arg(contest));
        });
    download.start(bet.modality(), *first, lastContest);
    download.waitForFinished();
    console.endProgress();
    const bool complete = !download.wasStopped() && !download.failure() && !draws.empty();
    QString situation = QStringLiteral("Tarefa Concluída.");
    if (download.wasStopped())
        situation = QStringLiteral("Download interrompido no resultado %1.").arg(download.endedAt());
    else if (download.failure())
        situation = download.failure()->statusLine();
    situation += download.notKeptNote();
    if (complete)
        console.result(situation);
    else if (download.failure())
        failed(*download.failure());
    else
        console.message(situation);
    const qint64 lastTaken = *first + download.contestsAdded() - 1;
    const bool written = !draws.empty() && CommandFiles::write(output, draws, console);
    console.summary({ { "comando", "baixar" }, { "modalidade", modalityCode(bet.modality()) },
        { "de", *first }, { "a", lastContest }, { "sorteios", qint64(draws.size()) },
        { "ultimo_obtido", lastTaken }, { "situacao", situation }, { "completo", complete },
        { "saida", output }, { "gravado", written } });
    if (!draws.empty() && !written) return kBadInput;
    return complete ? kDone : kIncomplete;
}

} // namespace

Command downloadCommand()
{
    CommandSpec spec;
    spec.name = QStringLiteral("baixar");
    spec.usage = QStringLiteral("[opções]");
    spec.summary = QStringLiteral(
        "Baixa os resultados dos concursos --de a --a, como \"Baixar\", e os grava num arquivo "
        "de sorteios para \"conferir\".");
    spec.options = { CommandBet::options(false, false).front() };
    spec.options.push_back({ QStringLiteral("de"), QChar(), QStringLiteral("N"),
        QStringLiteral("o primeiro concurso (padrão: 1)") });
    spec.options.push_back({ QStringLiteral("a"), QChar(), QStringLiteral("N"),
        QStringLiteral("o último concurso, ou \"ultimo\" para ir até o último (\"Até o "
                       "último\"; padrão: o de --de)") });
    spec.options.push_back({ QStringLiteral("fonte"), QChar(), QStringLiteral("FONTE"),
        QStringLiteral("oficial (\"Resultados oficiais (Caixa)\") ou site (\"Site próprio\"); "
                       "padrão: a das configurações") });
    spec.options.push_back({ QStringLiteral("site"), QChar(), QStringLiteral("ENDEREÇO"),
        QStringLiteral("o endereço do site próprio (padrão: o das configurações)") });
    spec.options.push_back({ QStringLiteral("saida"), u'o', QStringLiteral("ARQUIVO"),
        QStringLiteral("o arquivo de sorteios (padrão: Quirva_Resultados_MS_1_10.txt e assim por "
                       "diante)") });
    spec.options.push_back(CommandBet::separatorOption());
    spec.options.push_back(jsonOption());
    spec.details = QStringLiteral(
        "Usa as configurações da janela (fonte, site, proxy) e o mesmo cache, Quirva_Results na "
        "pasta de dados do usuário: um concurso no cache não é baixado de novo. Com \"Usar CHAVE e SENHA "
        "para acessar a internet\" a chave e a senha vêm de QUIRVA_PROXY_USUARIO e "
        "QUIRVA_PROXY_SENHA. O download para no primeiro concurso que falha; os anteriores são "
        "gravados e a saída é 1. Ctrl+C para como \"Parar\".");
    return { spec, run };
}
