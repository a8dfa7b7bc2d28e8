#include "reduce/reduction_run.h"

#include "reduce/reducer_roles.h"
#include "ui/closing_area.h"
#include "ui/dialogs.h"
#include "ui/event_pump.h"
#include "ui/line_view.h"
#include "ui/run_host.h"
#include "ui/run_scope.h"
#include "ui/run_status.h"
#include "ui/window_seams.h"

#include <QProgressBar>
#include <QWidget>
#include <algorithm>

ReductionRun::ReductionRun(const ReducerRoles& roles, QWidget* tab)
    : roles_(roles)
    , tab_(tab)
{
}

void ReductionRun::execute(
    const std::function<ReductionPass::Check()>& prepare, const BadLineMessage& badLineMessage)
{
    // Only the Lotofácil tab is locked by every run; the other reducer tabs stay clickable while
    // a generator or another reduction runs, and a reduction then would cut a closing in use.
    if (!roles_.runs.mayRun(Command::Reduce)) return;
    LineStore& closing = roles_.closing.closing().store();
    RunStatus& status = roles_.status;
    QString badLine;
    {
        ReductionPass pass(closing, prepare());
        RunScope run(roles_.runs, Job::Reduction, { tab_ });
        const qsizetype previousTotal = closing.size();
        run.begin();
        // A range of 0..0 would turn the bar into a busy indicator.
        status.progressBar().setRange(
            0, static_cast<int>(std::clamp<qsizetype>(previousTotal, 1, INT_MAX)));
        status.progressBar().setValue(0);
        status.setStatus(QStringLiteral("Redução em andamento."));
        EventPump pump;
        // Shows the locked window and the status at once, however short the pass.
        pump.pump();
        while (!run.stopRequested() && !pass.done()) {
            pass.step();
            if ((pass.examined() & 0xFFF) == 0)
                status.progressBar().setValue(static_cast<int>(pass.examined()));
            pump.maybePump();
        }
        status.progressBar().setValue(static_cast<int>(pass.examined()));

        if (pass.badLine() >= 0 && pass.badLine() < closing.size())
            badLine = badLineMessage(pass.badLine(), closing.line(pass.badLine()));
        const bool applied = !run.stopRequested() && pass.applyTo(closing);
        status.setStatus(
            applied ? QStringLiteral("Redução concluída.") : QStringLiteral("Redução cancelada."));
        roles_.closing.setResultLabel(QString::number(closing.size())
            + QStringLiteral(" no resultado reduzido. Total anterior ")
            + QString::number(previousTotal) + QStringLiteral("."));
        roles_.closing.closing().sync();
    }
    roles_.window.showPage(WindowSeams::Page::Fechamento);
    if (!badLine.isEmpty()) Dialogs::information(&roles_.window.host(), badLine);
}
