#include "generate/optimizer_panel.h"

#include "app/bet_context.h"
#include "engine/base/random_source.h"
#include "engine/generate/line_format.h"
#include "engine/generate/optimization_run.h"
#include "ui/dialogs.h"
#include "ui/event_pump.h"
#include "ui/handler_guard.h"
#include "ui/line_view.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>

void attachOptimizer(BetContext& context)
{
    new OptimizerPanel(context);
}

OptimizerPanel::OptimizerPanel(BetContext& context)
    : QObject(&context.host())
    , context_(context)
{
    setObjectName(QStringLiteral("OptimizerPanel"));
    ButtonOptimize = new QPushButton(QStringLiteral("Otimizar Fechamento"));
    ButtonOptimize->setObjectName(QStringLiteral("ButtonOptimize"));
    ButtonOptimize->setToolTip(QStringLiteral(
        "Procura um fechamento com menos bilhetes que mantenha a garantia (até apertar Parar)."));
    context.addClosingCommand(ButtonOptimize);
    connect(ButtonOptimize, &QPushButton::clicked, this, [this] { ButtonOptimizeClick(); });
}

void OptimizerPanel::ButtonOptimizeClick()
{
    runGuarded(
        &context_.host(), [this] { run(); },
        [this] {
            context_.restoreAfterError();
            ButtonOptimize->setEnabled(true);
        });
}

void OptimizerPanel::run()
{
    BetContext& w = context_;
    auto refuse = [&](const QString& text) {
        Dialogs::information(&w.host(), text);
        w.lockForRun(false);
        w.testecampos();
    };
    if (!w.mayRun(Command::Optimize)) return;
    const JobState::Scope job(w.jobs, Job::Optimizer);
    w.lockForRun(true);
    const int t = w.T(), k = w.K(), f = w.F(), g = w.G(), c = w.C();
    if (w.closingView().store().empty()) return refuse(OptimizationRun::emptyClosingText());
    if (t != w.CountSelected() + w.CountFixed() || f != w.CountFixed())
        return refuse(OptimizationRun::boardMismatchText());
    w.LoadSelectedNumbers();

    ClosingOptimizer::Setup setup;
    setup.K = k;
    setup.F = f;
    setup.G = g;
    setup.C = c;
    const int positions = qBound(0, t - f, static_cast<int>(w.selectedNumbers.size()));
    setup.selected.assign(w.selectedNumbers.begin(), w.selectedNumbers.begin() + positions);
    setup.fixed = w.board.fixedNumbers();
    if (const QString refusal = OptimizationRun::refusal(setup); !refusal.isEmpty())
        return refuse(refusal);

    std::vector<TicketMask> closing = OptimizationRun::ticketsOf(w.closingView().store());
    const qsizetype before = w.closingView().store().size();

    RandomSource::instance().reseedFromClock();
    setup.seed = RandomSource::instance().engine()();

    w.showPage(BetContext::Page::Fechamento);
    w.stopFlag = false;
    w.enableCommand(BetContext::RunCommand::Generate, false);
    w.enableCommand(BetContext::RunCommand::CheckMargin, false);
    w.enableCommand(BetContext::RunCommand::CompleteToFull, false);
    ButtonOptimize->setEnabled(false);
    w.enableCommand(BetContext::RunCommand::Stop, true);
    w.setStatus(QStringLiteral("Completando o fechamento..."));
    w.progressBar().setRange(0, 1000);
    w.progressBar().setValue(0);

    // The searches run on worker threads; this thread only shows their progress and passes
    // "Parar" on, so the window keeps answering while every core works.
    OptimizationRun run(setup, std::move(closing));
    EventPump pump;
    QElapsedTimer sinceStatus, sinceStart;
    sinceStatus.start();
    sinceStart.start();
    bool searchShown = false, checkShown = false;
    auto showProgress = [&] {
        const ParallelOptimizer& optimizer = run.search();
        if (!optimizer.hasComplete()) {
            w.progressBar().setValue(static_cast<int>(optimizer.completionProgress() * 1000));
            return;
        }
        w.progressBar().setValue(1000);
        w.setStatus(run.searchStatus(before, sinceStart.elapsed() / 1000));
    };
    while (!run.finished()) {
        run.poll(5);
        pump.pump();
        if (run.phase() == OptimizationRun::Phase::Searching) {
            if (!searchShown && run.search().hasComplete()) {
                searchShown = true;
                showProgress();
            }
            if (sinceStatus.elapsed() >= 250) {
                showProgress();
                sinceStatus.restart();
            }
            if (w.stopFlag) {
                // "Parar" ends the search; the closing found so far, if any, is then checked.
                w.stopFlag = false;
                w.enableCommand(BetContext::RunCommand::Stop, false);
                run.stop();
            }
        } else if (run.phase() == OptimizationRun::Phase::Checking) {
            // The count runs on every core; "Parar" abandons it, and the closing then stays
            // as it was.
            if (!checkShown) {
                checkShown = true;
                w.enableCommand(BetContext::RunCommand::Stop, true);
                w.setStatus(QStringLiteral("Conferindo o fechamento otimizado..."));
            }
            if (w.stopFlag) run.stop();
            if (sinceStatus.elapsed() >= 100) {
                const int perMille = static_cast<int>(run.checkProgress() * 1000);
                w.progressBar().setValue(perMille);
                w.setStatus(QStringLiteral("Conferindo o fechamento otimizado... ")
                    + QString::number(perMille / 10) + QStringLiteral("%"));
                sinceStatus.restart();
            }
        }
    }
    if (checkShown) w.enableCommand(BetContext::RunCommand::Stop, false);
    if (run.outcome() != OptimizationRun::Outcome::Improved) {
        Dialogs::information(&w.host(), run.outcomeMessage());
        return finishRun();
    }
    // Built aside and swapped in, so that the window keeps answering while a large closing
    // is written and never shows half of it.
    const QChar separator = w.separator();
    const std::vector<TicketMask>& best = run.best();
    LineStore built;
    for (std::size_t i = 0; i < best.size(); ++i) {
        built.appendBuilt(LineFormat::maskLine(best[i], separator), best[i]);
        if (i % 4096 == 0) pump.maybePump();
    }
    w.closingView().store().swapLines(built);
    w.closingView().sync();
    w.setResultLabel(run.resultText(before));
    finishRun();
}

void OptimizerPanel::finishRun()
{
    BetContext& w = context_;
    w.setStatus(QStringLiteral("."));
    w.progressBar().setValue(0);
    w.enableCommand(BetContext::RunCommand::Stop, false);
    w.enableCommand(BetContext::RunCommand::Generate, true);
    w.enableCommand(BetContext::RunCommand::CheckMargin, true);
    w.enableCommand(BetContext::RunCommand::CompleteToFull, true);
    ButtonOptimize->setEnabled(true);
    w.stopFlag = true;
    w.lockForRun(false);
    w.testecampos();
}
