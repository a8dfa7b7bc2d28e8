#include "cli/optimize_command.h"

#include "cli/command_bet.h"
#include "cli/command_files.h"
#include "cli/console.h"
#include "cli/stop_signal.h"
#include "engine/base/random_source.h"
#include "engine/generate/line_format.h"

#include <QElapsedTimer>
#include <QJsonObject>

namespace {

constexpr int kPollMs = 50;
constexpr double kDefaultSeconds = 60;

int run(const CommandLine& line, Console& console)
{
    CommandBet bet;
    if (!bet.readOptions(line)) return refuse(console, bet.error());
    const std::optional<double> seconds
        = parseSeconds(line.value(QStringLiteral("tempo"), QString::number(kDefaultSeconds)));
    if (!seconds) return refuse(console, QStringLiteral("Tempo inválido em --tempo."));
    const std::optional<int> threads = parseThreads(line.value(QStringLiteral("threads"), "0"));
    if (!threads) return refuse(console, QStringLiteral("Número inválido em --threads."));

    const QString path = line.positional().front();
    const QString output = line.value(QStringLiteral("saida"), path);
    LineStore closing;
    TicketMask numbers;
    if (!bet.readClosing(path, closing, numbers)) return refuse(console, bet.error());
    if (closing.empty()) return refuse(console, CheckedOptimization::emptyClosingText());
    if (!bet.settle(&numbers, console)) return refuse(console, bet.error());
    TicketMask betNumbers;
    for (int n : bet.selected())
        betNumbers.add(n);
    for (int n : bet.fixed())
        betNumbers.add(n);
    if (!((numbers | betNumbers) == betNumbers))
        return refuse(console, CheckedOptimization::boardMismatchText());

    ClosingOptimizer::Setup setup = bet.optimizerSetup();
    if (const QString refusal = CheckedOptimization::refusal(setup); !refusal.isEmpty())
        return refuse(console, refusal);
    RandomSource::instance().reseedFromClock();
    setup.seed = RandomSource::instance().engine()();

    const qsizetype before = closing.size();
    const OptimizeOutcome outcome = optimizeClosing(setup, CheckedOptimization::ticketsOf(closing),
        *seconds, *threads, bet.separator(), console);
    const bool improved = outcome.outcome == CheckedOptimization::Outcome::Improved;
    bool written = false;
    if (improved) {
        console.result(outcome.resultText);
        written = CommandFiles::write(output, outcome.best, console);
    } else {
        console.message(outcome.resultText);
    }
    console.summary({ { "comando", "otimizar" }, { "arquivo", path }, { "saida", output },
        { "antes", before }, { "bilhetes", improved ? qint64(outcome.best.size()) : before },
        { "conferido", improved }, { "gravado", written },
        { "interrompido", StopSignal::requests() > 0 } });
    if (improved && !written) return kBadInput;
    return improved ? kDone : kIncomplete;
}

} // namespace

OptimizeOutcome optimizeClosing(const ClosingOptimizer::Setup& setup,
    const std::vector<TicketMask>& closing, double seconds, int threads, QChar separator,
    Console& console)
{
    CheckedOptimization optimization(setup, closing, threads);
    QElapsedTimer clock;
    clock.start();
    const qint64 budgetMs = static_cast<qint64>(seconds * 1000);
    int stopsSeen = StopSignal::requests();
    const auto checked
        = [&] { return QStringLiteral("%1 bilhetes").arg(optimization.best().size()); };
    bool searchEnded = false;
    while (!optimization.finished()) {
        optimization.poll(kPollMs);
        const bool stopAsked = StopSignal::requests() > stopsSeen;
        stopsSeen = StopSignal::requests();
        if (optimization.phase() == CheckedOptimization::Phase::Searching) {
            const ParallelOptimizer& search = optimization.search();
            if (!search.hasComplete())
                console.progress(QStringLiteral("completando"), search.completionProgress());
            else
                console.progress(QStringLiteral("otimizando"),
                    budgetMs > 0 ? double(clock.elapsed()) / double(budgetMs) : 1.0,
                    QStringLiteral("melhor: %1 bilhetes").arg(search.bestSize()));
            if (!searchEnded && (stopAsked || clock.elapsed() >= budgetMs)) {
                searchEnded = true;
                optimization.stop();
            }
        } else if (optimization.phase() == CheckedOptimization::Phase::Checking) {
            console.progress(QStringLiteral("conferindo"), optimization.checkProgress(), checked());
            if (stopAsked) optimization.stop();
        }
    }
    if (optimization.outcome() == CheckedOptimization::Outcome::Improved)
        console.progress(QStringLiteral("conferindo"), 1.0, checked());
    console.endProgress();
    OptimizeOutcome outcome;
    outcome.outcome = optimization.outcome();
    if (outcome.outcome == CheckedOptimization::Outcome::Improved) {
        for (const TicketMask& ticket : optimization.best())
            outcome.best.appendBuilt(LineFormat::maskLine(ticket, separator), ticket);
        outcome.resultText = optimization.resultText(static_cast<qsizetype>(closing.size()));
    } else {
        outcome.resultText = optimization.outcomeMessage();
    }
    return outcome;
}

Command optimizeCommand()
{
    CommandSpec spec;
    spec.name = QStringLiteral("otimizar");
    spec.usage = QStringLiteral("ARQUIVO [opções]");
    spec.summary = QStringLiteral(
        "Diminui um fechamento mantendo a garantia, como \"Otimizar Fechamento\", por um tempo e "
        "em todos os núcleos; grava só um fechamento completo confirmado pela conferência.");
    spec.minPositional = spec.maxPositional = 1;
    spec.options = CommandBet::options(true, false);
    spec.options.push_back({ QStringLiteral("tempo"), QChar(), QStringLiteral("TEMPO"),
        QStringLiteral("tempo de otimização, como 60, 90s, 10m ou 8h (padrão: 60 s)") });
    spec.options.push_back(threadsOption());
    spec.options.push_back({ QStringLiteral("saida"), u'o', QStringLiteral("ARQUIVO"),
        QStringLiteral("onde gravar o fechamento otimizado (padrão: o próprio ARQUIVO)") });
    spec.options.push_back(CommandBet::separatorOption());
    spec.options.push_back(CommandBet::seedOption());
    spec.options.push_back(jsonOption());
    spec.details = QStringLiteral(
        "A aposta são as dezenas do fechamento, como ao abri-lo na janela, ou as de --dezenas; "
        "as dezenas por bilhete vêm da primeira linha do arquivo. Ctrl+C para a busca como "
        "\"Parar\": o melhor fechamento completo achado é conferido e gravado; um segundo "
        "Ctrl+C abandona a conferência, e nada é gravado.");
    return { spec, run };
}
