#include "reduce/reduction_run.h"

#include "app/bet_context.h"
#include "ui/dialogs.h"
#include "ui/event_pump.h"
#include "ui/line_view.h"

#include <QCheckBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>

ReductionRun::ReductionRun(BetContext& context, QWidget* tab)
    : context_(context)
    , tab_(tab)
{
}

void ReductionRun::lock(bool locked)
{
    tab_->setEnabled(!locked);
    context_.enableCommand(BetContext::RunCommand::Generate, !locked);
    context_.enableCommand(BetContext::RunCommand::CheckMargin, !locked);
    context_.enableCommand(BetContext::RunCommand::Stop, locked);
    context_.lockForRun(locked);
}

void ReductionRun::execute(
    const std::function<ReductionPass::Check()>& prepare, const BadLineMessage& badLineMessage)
{
    // Only the Lotofácil tab is locked by every run; the other reducer tabs stay clickable while
    // a generator or another reduction runs, and a reduction then would cut a closing in use.
    if (!context_.mayRun(Command::Reduce)) return;
    const JobState::Scope job(context_.jobs, Job::Reduction);
    LineStore& closing = context_.closingView().store();
    ReductionPass pass(closing, prepare());
    const qsizetype previousTotal = closing.size();
    // The balanced pick is not the reducer's to change; lockForRun greys it.
    const bool pascalEnabled = context_.commandEnabled(BetContext::RunCommand::BalancedPick);
    lock(true);
    try {
        // A range of 0..0 would turn the bar into a busy indicator.
        context_.progressBar().setRange(
            0, static_cast<int>(std::clamp<qsizetype>(previousTotal, 1, INT_MAX)));
        context_.progressBar().setValue(0);
        context_.setStatus(QStringLiteral("Redução em andamento."));
        context_.stopFlag = false;
        EventPump pump;
        // Shows the locked window and the status at once, however short the pass.
        pump.pump();
        while (!context_.stopFlag && !pass.done()) {
            pass.step();
            if ((pass.examined() & 0xFFF) == 0)
                context_.progressBar().setValue(static_cast<int>(pass.examined()));
            pump.maybePump();
        }
    } catch (...) {
        tab_->setEnabled(true);
        throw;
    }
    context_.progressBar().setValue(static_cast<int>(pass.examined()));

    QString badLine;
    if (pass.badLine() >= 0 && pass.badLine() < closing.size())
        badLine = badLineMessage(pass.badLine(), closing.line(pass.badLine()));
    const bool applied = !context_.stopFlag && pass.applyTo(closing);
    context_.setStatus(
        applied ? QStringLiteral("Redução concluída.") : QStringLiteral("Redução cancelada."));
    context_.setResultLabel(QString::number(closing.size())
        + QStringLiteral(" no resultado reduzido. Total anterior ") + QString::number(previousTotal)
        + QStringLiteral("."));
    context_.closingView().sync();

    lock(false);
    context_.enableCommand(BetContext::RunCommand::BalancedPick, pascalEnabled);
    context_.enableCommand(BetContext::RunCommand::Stop, false);
    context_.stopFlag = true;
    context_.showPage(BetContext::Page::Fechamento);
    if (!badLine.isEmpty()) Dialogs::information(&context_.host(), badLine);
}
