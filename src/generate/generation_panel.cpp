#include "generate/generation_panel.h"

#include "engine/base/random_source.h"
#include "engine/generate/combination_count.h"
#include "engine/generate/covering_generator.h"
#include "engine/generate/full_enumeration.h"
#include "engine/generate/margin_check.h"
#include "ui/bet_board.h"
#include "ui/bet_parameters.h"
#include "ui/closing_area.h"
#include "ui/dialogs.h"
#include "ui/event_pump.h"
#include "ui/generation_commands.h"
#include "ui/line_view.h"
#include "ui/run_host.h"
#include "ui/run_scope.h"
#include "ui/run_status.h"
#include "ui/settings_page.h"
#include "ui/window_seams.h"

#include <QProgressBar>
#include <algorithm>

namespace {
// Lines or draws between two looks at the window; the pump itself keeps to its time slice.
constexpr qsizetype kChunk = 64;
// Ticket comparisons in one chunk of the margin check, about a millisecond's work.
constexpr qsizetype kScanBudget = qsizetype { 1 } << 20;
// Chunks between two refreshes of the bar and the label.
constexpr int kRefreshEvery = 16;
} // namespace

GenerationPanel::GenerationPanel(WindowSeams& window, RunHost& runs, RunStatus& status,
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
}

void GenerationPanel::startProgress(int maximum)
{
    // Qt animates a bar whose range is 0..0, so a count too large for the bar keeps it at 0
    // on a range of one step instead.
    status_.progressBar().setRange(0, maximum > 0 ? maximum : 1);
    status_.progressBar().setValue(0);
}

bool GenerationPanel::matchBoard(bool clearClosing)
{
    if (parameters_.T() != board_.countSelected() + board_.countFixed()
        || parameters_.F() != board_.countFixed()) {
        if (clearClosing) closing_.closing().store().clear();
        board_.drawRandomBet();
    }
    // Every ticket gets all the board's fixed numbers: with more than F of them a ticket would
    // hold more than K. The random bet keeps exactly F, unless it could not be drawn (and said
    // so).
    return parameters_.F() == board_.countFixed();
}

void GenerationPanel::Button2Click()
{
    if (!settings_.keepsClosing()) closing_.closing().store().clear();
    closing_.setResultLabel(QStringLiteral("0"));
}

void GenerationPanel::Button1Click()
{
    const ParameterFields fields = parameters_.fields();
    const bool enumeration = enumeratesEveryCombination(fields);
    {
        RunScope run(runs_, enumeration ? Job::Enumeration : Job::Generation);
        if (!matchBoard(true)) {
            run.finish();
            parameters_.normalise();
            return;
        }
        window_.showPage(WindowSeams::Page::Fechamento);
        if (!enumeration) {
            closing_.closing().setVerticalScrollAllowed(false);
            Button2Click();
            Gerafechamento(run);
        } else {
            status_.setStatus(QStringLiteral("Gerando Fechamento"));
            fullEnumeration(run);
            status_.setStatus(QStringLiteral("."));
        }
    }
    parameters_.normalise();
    closing_.closing().setVerticalScrollAllowed(true);
}

void GenerationPanel::Gerafechamento(RunScope& run)
{
    RandomSource::instance().reseedFromClock();
    run.begin();
    status_.setStatus(QStringLiteral("Pare quando quiser."));
    status_.progressBar().setValue(0);

    CoveringGenerator::Setup setup;
    setup.K = parameters_.K();
    setup.F = parameters_.F();
    setup.G = parameters_.G();
    setup.C = parameters_.C();
    const std::vector<int> selected = board_.selectedNumbers();
    const int positions = qBound(0, parameters_.T() - setup.F, static_cast<int>(selected.size()));
    setup.selected.assign(selected.begin(), selected.begin() + positions);
    setup.fixed = board_.board().fixedNumbers();
    setup.fixedLine = board_.fixedLine();
    setup.balancedPick = settings_.balancedPick();

    LineStore& closing = closing_.closing().store();
    const QString refusal
        = CoveringGenerator::refusal(setup, board_.modality() == Modality::Outros);
    if (!refusal.isEmpty()) {
        Dialogs::information(&window_.host(), refusal);
    } else {
        CoveringGenerator generator(setup, closing, RandomSource::instance());
        EventPump pump;
        while (!run.stopRequested()) {
            generator.step(settings_.separator());
            if (generator.coveredSinceReport() >= 1000 && !closing.empty()) {
                generator.resetReportCounter();
                closing_.setResultLabel(generator.progressText());
            }
            pump.maybePump();
        }
        closing_.setResultLabel(generator.progressText());
    }
    status_.setStatus(QStringLiteral("."));
}

void GenerationPanel::fullEnumeration(RunScope& run)
{
    // Every field is read before the closing is touched, so a bad field loses nothing.
    const int t = parameters_.T(), k = parameters_.K(), f = parameters_.F();
    const std::vector<int> selected = board_.selectedNumbers();
    const int n = qBound(0, t - f, static_cast<int>(selected.size()));

    // Another run on the same closing while this one writes it would interleave the two.
    run.begin();
    closing_.closing().store().clear();

    const int maximum = Combinations::progressMaximum(n, k - f);
    startProgress(maximum);

    FullEnumeration::Setup setup;
    setup.selected.assign(selected.begin(), selected.begin() + n);
    setup.fixed = board_.board().fixedNumbers();
    setup.k = k - f;
    setup.lineBound = Combinations::lineBound(k);
    FullEnumeration enumeration(setup, closing_.closing().store());

    EventPump pump;
    int chunks = 0;
    auto show = [&] {
        if (maximum > 0)
            status_.progressBar().setValue(static_cast<int>(enumeration.linesWritten()));
        closing_.setResultLabel(QString::number(enumeration.linesWritten()));
    };
    while (enumeration.state() == FullEnumeration::State::Running && !run.stopRequested()) {
        enumeration.advance(kChunk, settings_.separator());
        if (++chunks % kRefreshEvery == 0) show();
        pump.maybePump();
    }
    show();
    closing_.closing().sync();

    run.finish();
    if (enumeration.state() == FullEnumeration::State::LineBound)
        Dialogs::information(&window_.host(),
            Combinations::lineBoundText(setup.lineBound, QStringLiteral("a geração")));
}

void GenerationPanel::Button11Click(bool completeToFull)
{
    RunScope run(runs_, Job::MarginCheck);
    if (closing_.closing().store().empty()) {
        run.finish();
        Dialogs::information(&window_.host(), MarginCheck::emptyClosingText());
        return;
    }
    if (completeToFull && !MarginCheck::completionPossible(parameters_.K(), parameters_.G())) {
        run.finish();
        Dialogs::information(&window_.host(), MarginCheck::completionImpossibleText());
        return;
    }
    window_.showPage(WindowSeams::Page::Fechamento);
    if (matchBoard(false)) marginCheck(run, completeToFull);
}

void GenerationPanel::marginCheck(RunScope& run, bool completeToFull)
{
    MarginCheck::Setup setup;
    setup.K = parameters_.K();
    setup.F = parameters_.F();
    setup.G = parameters_.G();
    setup.C = parameters_.C();
    const std::vector<int> selected = board_.selectedNumbers();
    const int n = qBound(0, parameters_.T() - setup.F, static_cast<int>(selected.size()));

    run.begin();
    const int maximum = Combinations::progressMaximum(n, setup.C - setup.F);
    startProgress(maximum);

    setup.selected.assign(selected.begin(), selected.begin() + n);
    setup.fixed = board_.board().fixedNumbers();
    setup.fixedLine = board_.fixedLine();
    setup.complete = completeToFull;
    LineView& closing = closing_.closing();
    setup.lineBound = qMax(closing.store().size(), Combinations::lineBound(setup.K));
    // The closing store is the snapshot itself: new tickets go to its end, which is where
    // the rewritten closing would put them.
    MarginCheck check(setup, closing.store(), RandomSource::instance());

    EventPump pump;
    int chunks = 0;
    while (check.state() == MarginCheck::State::Running && !run.stopRequested()) {
        // Each draw is compared with the whole closing, which the completion keeps growing.
        const qsizetype lines = std::max<qsizetype>(1, closing.store().size());
        check.advance(std::clamp<qsizetype>(kScanBudget / lines, 1, kChunk), settings_.separator());
        if (maximum > 0 && ++chunks % kRefreshEvery == 0)
            status_.progressBar().setValue(static_cast<int>(check.total()));
        if (check.takeReportDue()) closing_.setResultLabel(check.report());
        pump.maybePump();
    }
    if (maximum > 0) status_.progressBar().setValue(static_cast<int>(check.total()));
    closing.sync();
    closing_.setResultLabel(check.report());
    run.finish();
    if (check.state() == MarginCheck::State::LineBound)
        Dialogs::information(&window_.host(),
            Combinations::lineBoundText(setup.lineBound, QStringLiteral("a complementação")));
}

GenerationPanel* attachGeneration(WindowSeams& window, RunHost& runs, RunStatus& status,
    BetParameters& parameters, BetBoard& board, ClosingArea& closing, SettingsPage& settings,
    GenerationCommands& commands)
{
    auto* panel = new GenerationPanel(window, runs, status, parameters, board, closing, settings);
    settings.onClear([panel] { panel->Button2Click(); });
    commands.onGenerate([panel, &runs, &window] {
        if (runs.mayRun(Command::Generate)) window.guarded([panel] { panel->Button1Click(); });
    });
    commands.onCheckMargin([panel, &runs, &window, &commands] {
        if (runs.mayRun(Command::CheckMargin))
            window.guarded([panel, &commands] { panel->Button11Click(commands.completeToFull()); });
    });
    return panel;
}
