#include "generate/optimizer_panel.h"

#include "engine/base/random_source.h"
#include "engine/generate/line_format.h"
#include "engine/generate/optimizer_check.h"
#include "engine/generate/optimizer_draw_space.h"
#include "engine/generate/optimizer_search.h"
#include "engine/generate/parallel_optimizer.h"
#include "ui/bet_board.h"
#include "ui/bet_parameters.h"
#include "ui/closing_area.h"
#include "ui/dialogs.h"
#include "ui/event_pump.h"
#include "ui/line_view.h"
#include "ui/run_host.h"
#include "ui/run_scope.h"
#include "ui/run_status.h"
#include "ui/settings_page.h"
#include "ui/window_seams.h"

#include <QElapsedTimer>
#include <QProgressBar>
#include <QPushButton>
#include <chrono>
#include <memory>
#include <thread>

void attachOptimizer(WindowSeams& window, RunHost& runs, RunStatus& status,
    BetParameters& parameters, BetBoard& board, ClosingArea& closing, const SettingsPage& settings)
{
    new OptimizerPanel(window, runs, status, parameters, board, closing, settings);
}

OptimizerPanel::OptimizerPanel(WindowSeams& window, RunHost& runs, RunStatus& status,
    BetParameters& parameters, BetBoard& board, ClosingArea& closing, const SettingsPage& settings)
    : QObject(&window.host())
    , window_(window)
    , runs_(runs)
    , status_(status)
    , parameters_(parameters)
    , board_(board)
    , closing_(closing)
    , settings_(settings)
{
    setObjectName(QStringLiteral("OptimizerPanel"));
    ButtonOptimize = new QPushButton(QStringLiteral("Otimizar Fechamento"));
    ButtonOptimize->setObjectName(QStringLiteral("ButtonOptimize"));
    ButtonOptimize->setToolTip(QStringLiteral(
        "Procura um fechamento com menos bilhetes que mantenha a garantia (até apertar Parar)."));
    closing.addCommand(ButtonOptimize);
    connect(ButtonOptimize, &QPushButton::clicked, this,
        [this] { window_.guarded([this] { ButtonOptimizeClick(); }); });
}

void OptimizerPanel::ButtonOptimizeClick()
{
    if (!runs_.mayRun(Command::Optimize)) return;
    optimize();
    parameters_.normalise();
}

void OptimizerPanel::optimize()
{
    RunScope run(runs_, Job::Optimizer, { ButtonOptimize });
    auto refuse = [&](const QString& text) { Dialogs::information(&window_.host(), text); };
    const BetParameters& w = parameters_;
    const int t = w.T(), k = w.K(), f = w.F(), g = w.G(), c = w.C();
    if (closing_.closing().store().empty())
        return refuse(QStringLiteral("Gere antes algum fechamento para poder otimizar."));
    if (t != board_.countSelected() + board_.countFixed() || f != board_.countFixed())
        return refuse(QStringLiteral(
            "As dezenas do bilhete não conferem com o Total de Dezenas a Apostar e as Dezenas "
            "Fixas. Gere ou abra o fechamento para o bilhete atual antes de otimizar."));
    const std::vector<int> selected = board_.selectedNumbers();

    ClosingOptimizer::Setup setup;
    setup.K = k;
    setup.F = f;
    setup.G = g;
    setup.C = c;
    const int positions = qBound(0, t - f, static_cast<int>(selected.size()));
    setup.selected.assign(selected.begin(), selected.begin() + positions);
    setup.fixed = board_.board().fixedNumbers();
    switch (ClosingOptimizer::check(setup)) {
    case ClosingOptimizer::Refusal::TooManyDraws:
        return refuse(QStringLiteral("Para otimizar é preciso examinar todos os sorteios com ")
            + QString::number(c) + QStringLiteral(" dezenas entre as apostadas, e são ")
            + QString::number(OptimizerDrawSpace::count(positions, c - f), 'f', 0)
            + QStringLiteral(", acima do limite de ")
            + QString::number(OptimizerDrawSpace::limit, 'f', 0)
            + QStringLiteral(". Diminua o Total de Dezenas a Apostar ou a Condição para Acerto, "
                             "ou aumente as Dezenas Fixas."));
    case ClosingOptimizer::Refusal::NotEnoughMemory:
        return refuse(QStringLiteral("Para otimizar é preciso guardar a contagem de ")
            + QString::number(OptimizerDrawSpace::count(positions, c - f), 'f', 0)
            + QStringLiteral(" sorteios, cerca de ")
            + QString::number(ClosingOptimizer::memoryNeeded(setup) >> 20)
            + QStringLiteral(" MB, e a memória livre não basta. Feche outros programas, "
                             "diminua o Total de Dezenas a Apostar ou a Condição para Acerto, "
                             "ou aumente as Dezenas Fixas."));
    case ClosingOptimizer::Refusal::TicketTooSmall:
        return refuse(QStringLiteral(
            "Com menos dezenas por bilhete do que a garantia pretendida ou as dezenas fixas "
            "nenhum bilhete pode garantir o acerto; não há o que otimizar."));
    case ClosingOptimizer::Refusal::BetTooSmall:
        return refuse(QStringLiteral(
            "O bilhete não tem dezenas selecionadas suficientes para a condição de acerto."));
    case ClosingOptimizer::Refusal::OnlyFullEnumeration:
        return refuse(QStringLiteral(
            "Com as Dezenas marcadas por bilhete, a Garantia Pretendida e a Condição para Acerto "
            "iguais, cada sorteio precisa de um bilhete só para ele: só a lista de todas as "
            "combinações fecha, e não existe fechamento menor. Não há o que otimizar."));
    case ClosingOptimizer::Refusal::None:
        break;
    }

    const LineStore& store = closing_.closing().store();
    std::vector<TicketMask> closing;
    closing.reserve(static_cast<std::size_t>(store.size()));
    for (qsizetype i = 0; i < store.size(); ++i)
        closing.push_back(
            store.regular(i) ? store.mask(i) : LineFormat::analyse(store.line(i)).mask);
    const qsizetype before = store.size();

    RandomSource::instance().reseedFromClock();
    setup.seed = RandomSource::instance().engine()();

    window_.showPage(WindowSeams::Page::Fechamento);
    run.begin();
    RunStatus& shown = status_;
    shown.setStatus(QStringLiteral("Completando o fechamento..."));
    shown.progressBar().setRange(0, 1000);
    shown.progressBar().setValue(0);

    // The searches run on worker threads; this thread only shows their progress and passes
    // "Parar" on, so the window keeps answering while every core works.
    auto running = std::make_unique<ParallelOptimizer>(setup, closing);
    ParallelOptimizer& optimizer = *running;
    EventPump pump;
    QElapsedTimer sinceStatus, sinceStart;
    sinceStatus.start();
    sinceStart.start();
    bool searchShown = false;
    auto showProgress = [&] {
        if (!optimizer.hasComplete()) {
            shown.progressBar().setValue(static_cast<int>(optimizer.completionProgress() * 1000));
            return;
        }
        shown.progressBar().setValue(1000);
        shown.setStatus(QStringLiteral("Otimizando: melhor ")
            + QString::number(optimizer.bestSize()) + QStringLiteral(" bilhetes (antes ")
            + QString::number(before) + QStringLiteral("), tentando ")
            + QString::number(optimizer.currentSize()) + QStringLiteral(" com ")
            + QString::number(optimizer.uncoveredCount())
            + QStringLiteral(" sorteios não fechados; ")
            + QString::number(sinceStart.elapsed() / 1000)
            + QStringLiteral(" s de busca. Pare quando quiser."));
    };
    while (!optimizer.finished()) {
        optimizer.waitFor(5);
        pump.pump();
        if (!searchShown && optimizer.hasComplete()) {
            searchShown = true;
            showProgress();
        }
        if (sinceStatus.elapsed() >= 250) {
            showProgress();
            sinceStatus.restart();
        }
        if (run.stopRequested()) {
            // "Parar" ends the search; the closing found so far, if any, is then checked.
            run.clearStopRequest();
            run.allowStop(false);
            optimizer.stop();
        }
    }
    if (!optimizer.hasComplete()) {
        finishRun(run);
        Dialogs::information(&window_.host(),
            optimizer.failed()
                ? QStringLiteral("Faltou memória para otimizar este fechamento; o fechamento foi "
                                 "mantido como estava.")
                : QStringLiteral("A otimização foi interrompida antes de completar o fechamento; "
                                 "o fechamento foi mantido como estava."));
        return;
    }

    // The count that decides: the whole space again, on the lottery's numbers, by a path that
    // shares nothing with the search. It runs on every core; "Parar" abandons it, and the
    // closing then stays as it was.
    const std::vector<TicketMask> best = optimizer.bestClosing();
    const std::uint32_t draws = optimizer.drawCount();
    running.reset(); // the search's counts are not needed any more
    const OptimizerCheck::Bet bet { setup.selected, setup.fixed, k, g, c };
    std::int64_t uncovered = -2; // ill-formed
    if (OptimizerCheck::wellFormed(bet, best)) {
        run.allowStop(true);
        shown.setStatus(QStringLiteral("Conferindo o fechamento otimizado..."));
        OptimizerCheck::ParallelCount count(bet, best);
        while (!count.finished()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            pump.pump();
            if (run.stopRequested()) count.stop();
            if (sinceStatus.elapsed() >= 100) {
                const int perMille = static_cast<int>(count.progress() * 1000);
                shown.progressBar().setValue(perMille);
                shown.setStatus(QStringLiteral("Conferindo o fechamento otimizado... ")
                    + QString::number(perMille / 10) + QStringLiteral("%"));
                sinceStatus.restart();
            }
        }
        count.wait();
        uncovered = count.result();
        run.allowStop(false);
    }
    if (uncovered == -1) {
        finishRun(run);
        Dialogs::information(&window_.host(),
            QStringLiteral("A conferência do fechamento otimizado foi interrompida; o fechamento "
                           "foi mantido como estava."));
    } else if (uncovered != 0) {
        finishRun(run);
        Dialogs::information(&window_.host(),
            QStringLiteral("A conferência do fechamento otimizado falhou (")
                + QString::number(std::max<std::int64_t>(uncovered, 0))
                + QStringLiteral(" sorteios não fechados); o fechamento foi mantido como estava."));
    } else {
        // Built aside and swapped in, so that the window keeps answering while a large closing
        // is written and never shows half of it.
        const QChar separator = settings_.separator();
        LineStore built;
        for (std::size_t i = 0; i < best.size(); ++i) {
            built.appendBuilt(LineFormat::maskLine(best[i], separator), best[i]);
            if (i % 4096 == 0) pump.maybePump();
        }
        closing_.closing().store().swapLines(built);
        closing_.closing().sync();
        closing_.setResultLabel(QString::number(best.size()) + QStringLiteral(" bilhetes (antes ")
            + QString::number(before) + QStringLiteral("). Sendo 0 não fechados em ")
            + QString::number(draws) + QStringLiteral(" sorteios não repetidos."));
        finishRun(run);
    }
}

void OptimizerPanel::finishRun(RunScope& run)
{
    status_.setStatus(QStringLiteral("."));
    status_.progressBar().setValue(0);
    run.finish();
}
