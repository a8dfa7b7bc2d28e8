#include "generate/generation_panel.h"

#include "app/bet_context.h"
#include "app/dialogs.h"
#include "app/event_pump.h"
#include "app/line_view.h"
#include "app/random_source.h"
#include "generate/combination_count.h"
#include "generate/covering_generator.h"
#include "generate/full_enumeration.h"
#include "generate/margin_check.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>

namespace {
// Lines or draws between two looks at the window; the pump itself keeps to its time slice.
constexpr qsizetype kChunk = 64;
// Ticket comparisons in one chunk of the margin check, about a millisecond's work.
constexpr qsizetype kScanBudget = qsizetype { 1 } << 20;
// Chunks between two refreshes of the bar and the label.
constexpr int kRefreshEvery = 16;

QString boundMessage(qsizetype bound, const QString& what)
{
    return QStringLiteral("O fechamento atingiu o limite de %1 bilhetes que cabem na memória e %2 "
                          "foi interrompida. Os bilhetes já escritos foram mantidos.")
        .arg(bound)
        .arg(what);
}
} // namespace

GenerationPanel::GenerationPanel(BetContext& context)
    : QObject(&context.host())
    , context_(context)
{
}

void GenerationPanel::startProgress(int maximum)
{
    // Qt animates a bar whose range is 0..0, so a count too large for the bar keeps it at 0
    // on a range of one step instead.
    context_.progressBar().setRange(0, maximum > 0 ? maximum : 1);
    context_.progressBar().setValue(0);
}

void GenerationPanel::showRunning(bool running)
{
    // "Parar" only while running; no other run on the closing meanwhile.
    context_.enableCommand(BetContext::RunCommand::Generate, !running);
    context_.enableCommand(BetContext::RunCommand::Stop, running);
    context_.enableCommand(BetContext::RunCommand::CheckMargin, !running);
}

bool GenerationPanel::matchBoard(bool clearClosing)
{
    BetContext& w = context_;
    if (w.T() != w.CountSelected() + w.CountFixed() || w.F() != w.CountFixed()) {
        if (clearClosing) w.closingView().store().clear();
        w.drawRandomBet();
    }
    w.LoadSelectedNumbers();
    // Every ticket gets all the board's fixed numbers: with more than F of them a ticket would
    // hold more than K. The random bet keeps exactly F, unless it could not be drawn (and said
    // so).
    return w.F() == w.CountFixed();
}

void GenerationPanel::Button1Click()
{
    BetContext& w = context_;
    const ParameterFields fields = w.readFields();
    const bool enumeration = fields.K == fields.D && fields.G == fields.D;
    const JobState::Scope job(w.jobs, enumeration ? Job::Enumeration : Job::Generation);
    w.lockForRun(true);
    if (!matchBoard(true)) {
        w.testecampos();
        w.lockForRun(false);
        return;
    }
    w.showPage(BetContext::Page::Fechamento);
    w.stopFlag = false;
    if (!enumeration) {
        w.closingView().setVerticalScrollAllowed(false);
        w.clearClosing();
        Gerafechamento();
    } else {
        w.setStatus(QStringLiteral("Gerando Fechamento"));
        fullEnumeration();
        w.stopFlag = true;
        w.setStatus(QStringLiteral("."));
    }
    w.stopFlag = true;
    w.testecampos();
    w.lockForRun(false);
    w.closingView().setVerticalScrollAllowed(true);
}

void GenerationPanel::Gerafechamento()
{
    BetContext& w = context_;
    RandomSource::instance().reseedFromClock();
    w.stopFlag = false;
    showRunning(true);
    w.setStatus(QStringLiteral("Pare quando quiser."));
    w.progressBar().setValue(0);

    CoveringGenerator::Setup setup;
    setup.K = w.K();
    setup.F = w.F();
    setup.G = w.G();
    setup.C = w.C();
    const int positions = qBound(0, w.T() - setup.F, static_cast<int>(w.selectedNumbers.size()));
    setup.selected.assign(w.selectedNumbers.begin(), w.selectedNumbers.begin() + positions);
    setup.fixed = w.board.fixedNumbers();
    setup.fixedLine = w.fixedLine();
    setup.balancedPick = w.balancedPick();

    LineStore& closing = w.closingView().store();
    auto report = [&](const CoveringGenerator& generator) {
        w.setResultLabel(QString::number(closing.size()) + QStringLiteral(" fechados em ")
            + QString::number(generator.drawsMade(), 'f', 0) + QStringLiteral(" combinações."));
    };

    const bool hopeless = setup.K < setup.G && w.modality() == Modality::Outros;
    if (hopeless) {
        Dialogs::information(&w.host(),
            QStringLiteral(
                "Com menos dezenas por bilhete do que a garantia pretendida nenhum bilhete pode "
                "garantir o acerto. Aumente as dezenas por bilhete ou diminua a garantia."));
    } else if (setup.C - setup.F > static_cast<int>(setup.selected.size())) {
        Dialogs::information(&w.host(),
            QStringLiteral(
                "O bilhete não tem dezenas selecionadas suficientes para a condição de acerto."));
    } else {
        CoveringGenerator generator(setup, closing, RandomSource::instance());
        EventPump pump;
        while (!w.stopFlag) {
            generator.step(w.separator());
            if (generator.coveredSinceReport() >= 1000 && !closing.empty()) {
                generator.resetReportCounter();
                report(generator);
            }
            pump.maybePump();
        }
        report(generator);
    }
    w.setStatus(QStringLiteral("."));
    showRunning(false);
    w.stopFlag = true;
}

void GenerationPanel::fullEnumeration()
{
    BetContext& w = context_;
    // Every field is read before the closing is touched, so a bad field loses nothing.
    const int t = w.T(), k = w.K(), f = w.F();
    const int n = qBound(0, t - f, static_cast<int>(w.selectedNumbers.size()));

    w.stopFlag = false;
    // Another run on the same closing while this one writes it would interleave the two.
    showRunning(true);
    w.closingView().store().clear();

    const int maximum = Combinations::progressMaximum(n, k - f);
    startProgress(maximum);

    FullEnumeration::Setup setup;
    setup.selected.assign(w.selectedNumbers.begin(), w.selectedNumbers.begin() + n);
    setup.fixed = w.board.fixedNumbers();
    setup.k = k - f;
    setup.lineBound = Combinations::lineBound(k);
    FullEnumeration enumeration(setup, w.closingView().store());

    EventPump pump;
    int chunks = 0;
    auto show = [&] {
        if (maximum > 0) w.progressBar().setValue(static_cast<int>(enumeration.linesWritten()));
        w.setResultLabel(QString::number(enumeration.linesWritten()));
    };
    while (enumeration.state() == FullEnumeration::State::Running && !w.stopFlag) {
        enumeration.advance(kChunk, w.separator());
        if (++chunks % kRefreshEvery == 0) show();
        pump.maybePump();
    }
    show();
    w.closingView().sync();

    showRunning(false);
    w.stopFlag = true;
    if (enumeration.state() == FullEnumeration::State::LineBound)
        Dialogs::information(&w.host(), boundMessage(setup.lineBound, QStringLiteral("a geração")));
}

void GenerationPanel::Button11Click()
{
    BetContext& w = context_;
    const JobState::Scope job(w.jobs, Job::MarginCheck);
    const bool balancedPickEnabled = w.commandEnabled(BetContext::RunCommand::BalancedPick);
    w.lockForRun(true);
    auto unlock = [&] {
        w.lockForRun(false);
        w.enableCommand(BetContext::RunCommand::BalancedPick, balancedPickEnabled);
    };

    if (w.closingView().store().empty()) {
        Dialogs::information(
            &w.host(), QStringLiteral("Gere antes algum fechamento para porder testar a margem."));
        unlock();
        return;
    }
    if (w.completeToFull() && !MarginCheck::completionPossible(w.K(), w.G())) {
        Dialogs::information(&w.host(),
            QStringLiteral(
                "Com menos dezenas por bilhete do que a garantia pretendida nenhum bilhete pode "
                "cobrir um sorteio, e o fechamento não pode ser completado. Aumente as dezenas por "
                "bilhete ou diminua a garantia."));
        unlock();
        return;
    }

    w.enableCommand(BetContext::RunCommand::CheckMargin, false);
    w.enableCommand(BetContext::RunCommand::CompleteToFull, false);
    w.showPage(BetContext::Page::Fechamento);
    if (matchBoard(false)) marginCheck();
    w.enableCommand(BetContext::RunCommand::CheckMargin, true);
    w.enableCommand(BetContext::RunCommand::CompleteToFull, true);
    w.stopFlag = true;
    unlock();
}

void GenerationPanel::marginCheck()
{
    BetContext& w = context_;
    MarginCheck::Setup setup;
    setup.K = w.K();
    setup.F = w.F();
    setup.G = w.G();
    setup.C = w.C();
    const int n = qBound(0, w.T() - setup.F, static_cast<int>(w.selectedNumbers.size()));

    w.stopFlag = false;
    w.enableCommand(BetContext::RunCommand::Generate, false);
    w.enableCommand(BetContext::RunCommand::Stop, true);
    const int maximum = Combinations::progressMaximum(n, setup.C - setup.F);
    startProgress(maximum);

    setup.selected.assign(w.selectedNumbers.begin(), w.selectedNumbers.begin() + n);
    setup.fixed = w.board.fixedNumbers();
    setup.fixedLine = w.fixedLine();
    setup.complete = w.completeToFull();
    setup.lineBound = qMax(w.closingView().store().size(), Combinations::lineBound(setup.K));
    // The closing store is the snapshot itself: new tickets go to its end, which is where
    // the rewritten closing would put them.
    MarginCheck check(setup, w.closingView().store(), RandomSource::instance());

    EventPump pump;
    int chunks = 0;
    while (check.state() == MarginCheck::State::Running && !w.stopFlag) {
        // Each draw is compared with the whole closing, which the completion keeps growing.
        const qsizetype lines = std::max<qsizetype>(1, w.closingView().store().size());
        check.advance(std::clamp<qsizetype>(kScanBudget / lines, 1, kChunk), w.separator());
        if (maximum > 0 && ++chunks % kRefreshEvery == 0)
            w.progressBar().setValue(static_cast<int>(check.total()));
        if (check.takeReportDue()) w.setResultLabel(check.report());
        pump.maybePump();
    }
    if (maximum > 0) w.progressBar().setValue(static_cast<int>(check.total()));
    w.closingView().sync();
    w.setResultLabel(check.report());
    w.enableCommand(BetContext::RunCommand::Stop, false);
    w.enableCommand(BetContext::RunCommand::Generate, true);
    if (check.state() == MarginCheck::State::LineBound)
        Dialogs::information(
            &w.host(), boundMessage(setup.lineBound, QStringLiteral("a complementação")));
}

void attachGeneration(BetContext& context)
{
    auto* panel = new GenerationPanel(context);
    context.onCommand(BetContext::RunCommand::Generate, [panel, &context] {
        if (context.mayRun(Command::Generate)) context.guarded([panel] { panel->Button1Click(); });
    });
    context.onCommand(BetContext::RunCommand::CheckMargin, [panel, &context] {
        if (context.mayRun(Command::CheckMargin))
            context.guarded([panel] { panel->Button11Click(); });
    });
}
