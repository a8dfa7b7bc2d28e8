#include "cli/margin_command.h"

#include "cli/command_bet.h"
#include "cli/command_files.h"
#include "cli/console.h"
#include "cli/stop_signal.h"
#include "engine/base/random_source.h"
#include "engine/generate/combination_count.h"

#include <QJsonObject>
#include <algorithm>

namespace {

// Draws examined between two looks at the console, as the window's chunks: about a
// millisecond of comparisons, and never more than 64 draws.
constexpr qsizetype kScanBudget = qsizetype { 1 } << 20;
constexpr qsizetype kChunk = 64;

int run(const CommandLine& line, Console& console)
{
    CommandBet bet;
    if (!bet.readOptions(line)) return refuse(console, bet.error());
    const bool complete = line.has(QStringLiteral("completar"));
    if (complete && !line.has(QStringLiteral("saida")))
        return refuse(console,
            QStringLiteral(
                "--completar pede --saida ARQUIVO para gravar o fechamento completado."));

    const QString path = line.positional().front();
    LineStore closing;
    TicketMask numbers;
    if (!bet.readClosing(path, closing, numbers)) return refuse(console, bet.error());
    if (closing.empty()) return refuse(console, MarginCheck::emptyClosingText());
    if (!bet.settle(&numbers, console)) return refuse(console, bet.error());
    if (complete && !MarginCheck::completionPossible(bet.K(), bet.G()))
        return refuse(console, MarginCheck::completionImpossibleText());

    const MarginOutcome outcome = checkMargin(bet, closing, complete, console);
    console.result(outcome.report);
    if (outcome.stopped)
        console.message(QStringLiteral("Verificação interrompida: as figuras contam só os "
                                       "sorteios examinados até ali."));
    bool written = false;
    if (complete && outcome.state == MarginCheck::State::Finished)
        written = CommandFiles::write(line.value(QStringLiteral("saida")), closing, console);
    console.summary(
        { { "comando", "margem" }, { "arquivo", path }, { "bilhetes", qint64(closing.size()) },
            { "nao_fechados", outcome.uncovered }, { "sorteios", outcome.total },
            { "fecha_100", outcome.closes() }, { "interrompido", outcome.stopped },
            { "gravado", written }, { "relatorio", outcome.report } });
    if (complete && outcome.state == MarginCheck::State::Finished && !written) return kBadInput;
    return outcome.closes() ? kDone : kIncomplete;
}

} // namespace

MarginOutcome checkMargin(
    const CommandBet& bet, LineStore& closing, bool complete, Console& console)
{
    MarginCheck::Setup setup = bet.marginSetup(complete);
    setup.lineBound = std::max(closing.size(), Combinations::lineBound(setup.K));
    const long double draws
        = Combinations::count(static_cast<int>(setup.selected.size()), setup.C - setup.F);
    const QString step = complete ? QStringLiteral("completando") : QStringLiteral("verificando");

    MarginCheck check(setup, closing, RandomSource::instance());
    const int stopsBefore = StopSignal::requests();
    MarginOutcome outcome;
    while (check.state() == MarginCheck::State::Running) {
        if (StopSignal::requests() > stopsBefore) {
            outcome.stopped = true;
            break;
        }
        const qsizetype lines = std::max<qsizetype>(1, closing.size());
        check.advance(std::clamp<qsizetype>(kScanBudget / lines, 1, kChunk), bet.separator());
        console.progress(step, draws > 0 ? double(check.total() / draws) : -1.0,
            QStringLiteral("%1 bilhetes, %2 não fechados")
                .arg(closing.size())
                .arg(check.uncovered(), 0, 'f', 0));
    }
    console.endProgress();
    if (check.state() == MarginCheck::State::LineBound)
        console.message(
            Combinations::lineBoundText(setup.lineBound, QStringLiteral("a complementação")));
    outcome.state = check.state();
    outcome.uncovered = check.uncovered();
    outcome.total = check.total();
    outcome.report = check.report();
    return outcome;
}

Command marginCommand()
{
    CommandSpec spec;
    spec.name = QStringLiteral("margem");
    spec.usage = QStringLiteral("ARQUIVO [opções]");
    spec.summary = QStringLiteral(
        "Verifica a margem de um fechamento como \"&Verificar Margem do Fechamento\": quantos "
        "sorteios com a Condição para Acerto entre as dezenas apostadas nenhum bilhete fecha.");
    spec.minPositional = spec.maxPositional = 1;
    spec.options = CommandBet::options(true, false);
    spec.options.push_back({ QStringLiteral("completar"), QChar(), {},
        QStringLiteral("completa o fechamento até fechar 100 %, como \"Completar para Fechar "
                       "100%\", e o grava em --saida") });
    spec.options.push_back({ QStringLiteral("saida"), u'o', QStringLiteral("ARQUIVO"),
        QStringLiteral("onde gravar o fechamento completado") });
    spec.options.push_back(CommandBet::separatorOption());
    spec.options.push_back(CommandBet::seedOption());
    spec.options.push_back(jsonOption());
    spec.details = QStringLiteral(
        "Escreve o resultado da janela, por exemplo \"35. Sendo 0 não fechados em 38760 sorteios "
        "não repetidos.\", e termina com 0 só quando o fechamento fecha 100 %. A aposta são as "
        "dezenas do fechamento, como ao abri-lo na janela, ou as de --dezenas.");
    return { spec, run };
}
