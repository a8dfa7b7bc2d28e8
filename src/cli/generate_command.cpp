#include "cli/generate_command.h"

#include "cli/command_bet.h"
#include "cli/command_files.h"
#include "cli/console.h"
#include "cli/margin_command.h"
#include "cli/optimize_command.h"
#include "cli/stop_signal.h"
#include "engine/base/random_source.h"
#include "engine/generate/combination_count.h"
#include "engine/generate/covering_generator.h"
#include "engine/generate/full_enumeration.h"
#include "engine/generate/line_format.h"
#include "engine/verify/ticket_file.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonObject>

namespace {

constexpr double kDefaultSeconds = 10;
constexpr qsizetype kEnumerationChunk = 4096;
// Test draws between two looks at the console.
constexpr int kStepsPerLook = 64;

bool stopAsked()
{
    return StopSignal::requests() > 0;
}

// Every combination; true when all were written.
bool enumerate(const CommandBet& bet, LineStore& closing, Console& console)
{
    FullEnumeration::Setup setup;
    setup.selected = bet.selected();
    setup.fixed = bet.fixed();
    setup.k = bet.K() - bet.F();
    setup.lineBound = Combinations::lineBound(bet.K());
    const long double lines = Combinations::count(static_cast<int>(setup.selected.size()), setup.k);
    FullEnumeration enumeration(setup, closing);
    while (enumeration.state() == FullEnumeration::State::Running && !stopAsked()) {
        enumeration.advance(kEnumerationChunk, bet.separator());
        console.progress(QStringLiteral("gerando todas as combinações"),
            lines > 0 ? double(enumeration.linesWritten() / lines) : -1.0,
            QStringLiteral("%1 bilhetes").arg(enumeration.linesWritten()));
    }
    console.endProgress();
    if (enumeration.state() == FullEnumeration::State::LineBound)
        console.message(Combinations::lineBoundText(setup.lineBound, QStringLiteral("a geração")));
    console.result(QStringLiteral("%1 bilhetes: todas as combinações%2.")
                       .arg(enumeration.linesWritten())
                       .arg(enumeration.state() == FullEnumeration::State::Finished
                               ? QString()
                               : QStringLiteral(" até a interrupção")));
    return enumeration.state() == FullEnumeration::State::Finished;
}

// The random covering generator for `seconds`, or until a stop.
void generate(const CoveringGenerator::Setup& setup, double seconds, QChar separator,
    LineStore& closing, Console& console)
{
    RandomSource::instance().reseedFromClock();
    CoveringGenerator generator(setup, closing, RandomSource::instance());
    QElapsedTimer clock;
    clock.start();
    const qint64 budgetMs = static_cast<qint64>(seconds * 1000);
    for (int steps = 0; clock.elapsed() < budgetMs && !stopAsked(); ++steps) {
        generator.step(separator);
        if (steps % kStepsPerLook == 0)
            console.progress(QStringLiteral("gerando"), double(clock.elapsed()) / double(budgetMs),
                QStringLiteral("%1 bilhetes").arg(closing.size()));
    }
    console.endProgress();
    console.result(generator.progressText());
}

int run(const CommandLine& line, Console& console)
{
    CommandBet bet;
    if (!bet.readOptions(line)) return refuse(console, bet.error());
    const std::optional<double> seconds
        = parseSeconds(line.value(QStringLiteral("tempo"), QString::number(kDefaultSeconds)));
    if (!seconds) return refuse(console, QStringLiteral("Tempo inválido em --tempo."));
    const bool optimize = line.has(QStringLiteral("otimizar"));
    const std::optional<double> optimizeSeconds
        = parseSeconds(line.value(QStringLiteral("otimizar"), QStringLiteral("0")));
    if (!optimizeSeconds) return refuse(console, QStringLiteral("Tempo inválido em --otimizar."));
    const std::optional<int> threads = parseThreads(line.value(QStringLiteral("threads"), "0"));
    if (!threads) return refuse(console, QStringLiteral("Número inválido em --threads."));
    const bool complete = line.has(QStringLiteral("completar"));
    const bool balancedPick = line.has(QStringLiteral("triangulo"));
    if (!bet.settle(nullptr, console)) return refuse(console, bet.error());
    if (balancedPick && bet.F() > 0)
        return refuse(console, QStringLiteral("O Triângulo de Pascal só vale sem dezenas fixas."));

    // Everything that can be refused is refused before any work is done.
    const bool enumeration = enumeratesEveryCombination(bet.fields());
    const CoveringGenerator::Setup generatorSetup = bet.generatorSetup(balancedPick);
    if (!enumeration) {
        const QString refusal
            = CoveringGenerator::refusal(generatorSetup, bet.modality() == Modality::Outros);
        if (!refusal.isEmpty()) return refuse(console, refusal);
        if (complete && !MarginCheck::completionPossible(bet.K(), bet.G()))
            return refuse(console, MarginCheck::completionImpossibleText());
    }
    ClosingOptimizer::Setup optimizerSetup = bet.optimizerSetup();
    if (optimize) {
        if (const QString refusal = CheckedOptimization::refusal(optimizerSetup);
            !refusal.isEmpty())
            return refuse(console, refusal);
    }
    const QString output = line.value(
        QStringLiteral("saida"), TicketFile::defaultName(bet.modality(), bet.fields()));
    if (!QFileInfo(output).absoluteDir().exists())
        return refuse(console, QStringLiteral("A pasta de %1 não existe.").arg(output));

    console.message(
        QStringLiteral("Aposta de %1 dezenas:%2%3")
            .arg(bet.T())
            .arg(bet.board().selectedText(u' '))
            .arg(bet.F() > 0 ? QStringLiteral(" (fixas:") + bet.fixedLine() + u')' : QString()));
    LineStore closing;
    // Whether the closing is known to keep its guarantee for every draw (unknown after the
    // random generator alone), and whether a step asked for was left unfinished.
    bool closes = false, unfinished = false, optimized = false;
    if (enumeration) {
        closes = enumerate(bet, closing, console);
        unfinished = !closes;
    } else {
        generate(generatorSetup, *seconds, bet.separator(), closing, console);
        if (complete && !stopAsked()) {
            const MarginOutcome margin = checkMargin(bet, closing, true, console);
            console.result(margin.report);
            closes = margin.closes();
        }
        if (optimize && !stopAsked()) {
            RandomSource::instance().reseedFromClock();
            optimizerSetup.seed = RandomSource::instance().engine()();
            OptimizeOutcome outcome
                = optimizeClosing(optimizerSetup, CheckedOptimization::ticketsOf(closing),
                    *optimizeSeconds, *threads, bet.separator(), console);
            if (outcome.outcome == CheckedOptimization::Outcome::Improved) {
                closing.swapLines(outcome.best);
                console.result(outcome.resultText);
                closes = optimized = true;
            } else {
                console.message(outcome.resultText);
            }
        }
        unfinished = (complete || optimize) && !closes;
    }
    if (stopAsked())
        console.message(QStringLiteral("Interrompido: o fechamento foi gravado como estava."));
    const bool written = CommandFiles::write(output, closing, console);
    console.summary({ { "comando", "gerar" }, { "saida", output },
        { "modalidade", modalityCode(bet.modality()) }, { "T", bet.T() }, { "K", bet.K() },
        { "F", bet.F() }, { "D", bet.D() }, { "G", bet.G() }, { "C", bet.C() },
        { "dezenas", LineFormat::trimmed(bet.board().selectedText(u' ')).toString() },
        { "fixas", bet.fixedLine().trimmed() }, { "bilhetes", qint64(closing.size()) },
        { "todas_as_combinacoes", enumeration }, { "fecha_100", closes },
        { "otimizado", optimized }, { "interrompido", stopAsked() }, { "gravado", written } });
    if (!written) return kBadInput;
    return unfinished ? kIncomplete : kDone;
}

} // namespace

Command generateCommand()
{
    CommandSpec spec;
    spec.name = QStringLiteral("gerar");
    spec.usage = QStringLiteral("[opções]");
    spec.summary = QStringLiteral(
        "Gera o fechamento de uma aposta como \"&Gerar\" e o grava no formato de \"Salvar "
        "Fechamento\"; opcionalmente o completa até fechar 100 % e o otimiza.");
    spec.options = CommandBet::options(true, true);
    spec.options.push_back({ QStringLiteral("tempo"), QChar(), QStringLiteral("TEMPO"),
        QStringLiteral("tempo do gerador aleatório, como 10, 90s, 10m ou 8h (padrão: 10 s)") });
    spec.options.push_back({ QStringLiteral("triangulo"), QChar(), {},
        QStringLiteral("sorteios de teste equilibrados, como \"Triângulo de Pascal\"") });
    spec.options.push_back({ QStringLiteral("completar"), QChar(), {},
        QStringLiteral("completa o fechamento até fechar 100 %, como \"Completar para Fechar "
                       "100%\"") });
    spec.options.push_back({ QStringLiteral("otimizar"), QChar(), QStringLiteral("TEMPO"),
        QStringLiteral("otimiza o fechamento por esse tempo, como \"Otimizar Fechamento\"") });
    spec.options.push_back(threadsOption());
    spec.options.push_back({ QStringLiteral("saida"), u'o', QStringLiteral("ARQUIVO"),
        QStringLiteral("onde gravar o fechamento (padrão: o nome que \"Salvar Fechamento\" "
                       "propõe, como Quirva_MS_12dz_6m_6s_3gr_se6.txt)") });
    spec.options.push_back(CommandBet::separatorOption());
    spec.options.push_back(CommandBet::seedOption());
    spec.options.push_back(jsonOption());
    spec.details = QStringLiteral(
        "Os parâmetros partem dos da modalidade e passam pelas mesmas regras da janela; um valor "
        "ajustado é avisado. Sem --dezenas a aposta é sorteada (--total dezenas, com as de "
        "--fixas). Com Dezenas marcadas por bilhete, Sorteadas e Garantia iguais são geradas "
        "todas as combinações, como na janela. Ctrl+C para o passo em curso como \"Parar\", "
        "pula os seguintes e grava o fechamento como está; termina com 1 quando --completar, "
        "--otimizar ou a lista de todas as combinações não chegaram a um fechamento completo.");
    return { spec, run };
}
