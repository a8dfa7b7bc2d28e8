#include "generate/optimizer_panel.h"

#include "engine/base/random_source.h"
#include "engine/generate/checked_optimization.h"
#include "engine/generate/line_format.h"
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
    if (closing_.closing().store().empty()) return refuse(CheckedOptimization::emptyClosingText());
    if (t != board_.countSelected() + board_.countFixed() || f != board_.countFixed())
        return refuse(CheckedOptimization::boardMismatchText());
    const std::vector<int> selected = board_.selectedNumbers();

    ClosingOptimizer::Setup setup;
    setup.K = k;
    setup.F = f;
    setup.G = g;
    setup.C = c;
    const int positions = qBound(0, t - f, static_cast<int>(selected.size()));
    setup.selected.assign(selected.begin(), selected.begin() + positions);
    setup.fixed = board_.board().fixedNumbers();
    if (const QString refusal = CheckedOptimization::refusal(setup); !refusal.isEmpty())
        return refuse(refusal);

    std::vector<TicketMask> closing = CheckedOptimization::ticketsOf(closing_.closing().store());
    const qsizetype before = closing_.closing().store().size();

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
    CheckedOptimization optimization(setup, std::move(closing));
    EventPump pump;
    QElapsedTimer sinceStatus, sinceStart;
    sinceStatus.start();
    sinceStart.start();
    bool searchShown = false, checkShown = false;
    auto showProgress = [&] {
        const ParallelOptimizer& optimizer = optimization.search();
        if (!optimizer.hasComplete()) {
            shown.progressBar().setValue(static_cast<int>(optimizer.completionProgress() * 1000));
            return;
        }
        shown.progressBar().setValue(1000);
        shown.setStatus(optimization.searchStatus(before, sinceStart.elapsed() / 1000));
    };
    while (!optimization.finished()) {
        optimization.poll(5);
        pump.pump();
        if (optimization.phase() == CheckedOptimization::Phase::Searching) {
            if (!searchShown && optimization.search().hasComplete()) {
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
                optimization.stop();
            }
        } else if (optimization.phase() == CheckedOptimization::Phase::Checking) {
            // The count runs on every core; "Parar" abandons it, and the closing then stays
            // as it was.
            if (!checkShown) {
                checkShown = true;
                run.allowStop(true);
                shown.setStatus(QStringLiteral("Conferindo o fechamento otimizado..."));
            }
            if (run.stopRequested()) optimization.stop();
            if (sinceStatus.elapsed() >= 100) {
                const int perMille = static_cast<int>(optimization.checkProgress() * 1000);
                shown.progressBar().setValue(perMille);
                shown.setStatus(QStringLiteral("Conferindo o fechamento otimizado... ")
                    + QString::number(perMille / 10) + QStringLiteral("%"));
                sinceStatus.restart();
            }
        }
    }
    if (checkShown) run.allowStop(false);
    if (optimization.outcome() != CheckedOptimization::Outcome::Improved) {
        finishRun(run);
        Dialogs::information(&window_.host(), optimization.outcomeMessage());
        return;
    }
    // Built aside and swapped in, so that the window keeps answering while a large closing
    // is written and never shows half of it.
    const QChar separator = settings_.separator();
    const std::vector<TicketMask>& best = optimization.best();
    LineStore built;
    for (std::size_t i = 0; i < best.size(); ++i) {
        built.appendBuilt(LineFormat::maskLine(best[i], separator), best[i]);
        if (i % 4096 == 0) pump.maybePump();
    }
    closing_.closing().store().swapLines(built);
    closing_.closing().sync();
    closing_.setResultLabel(optimization.resultText(before));
    finishRun(run);
}

void OptimizerPanel::finishRun(RunScope& run)
{
    status_.setStatus(QStringLiteral("."));
    status_.progressBar().setValue(0);
    run.finish();
}
