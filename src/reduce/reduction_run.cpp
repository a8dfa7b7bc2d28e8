#include "reduce/reduction_run.h"

#include "app/dialogs.h"
#include "app/event_pump.h"
#include "app/tform1.h"

#include <QCheckBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>

ReductionRun::ReductionRun(TForm1& form, QWidget* tab)
    : form_(form)
    , tab_(tab)
{
}

void ReductionRun::lock(bool locked)
{
    tab_->setEnabled(!locked);
    form_.Button1->setEnabled(!locked);
    form_.Button11->setEnabled(!locked);
    form_.Button5->setEnabled(locked);
    form_.lockForRun(locked);
}

void ReductionRun::execute(
    const std::function<ReductionPass::Check()>& prepare, const BadLineMessage& badLineMessage)
{
    // Only the Lotofácil tab is locked by every run; the other reducer tabs stay clickable while
    // a generator or another reduction runs, and a reduction then would cut a closing in use.
    if (!form_.mayRun(Command::Reduce)) return;
    const JobState::Scope job(form_.jobs, Job::Reduction);
    LineStore& closing = form_.Memo1->store();
    ReductionPass pass(closing, prepare());
    const qsizetype previousTotal = closing.size();
    // The balanced pick is not the reducer's to change; lockForRun greys it.
    const bool pascalEnabled = form_.CheckBox3->isEnabled();
    lock(true);
    try {
        // A range of 0..0 would turn the bar into a busy indicator.
        form_.ProgressBar1->setRange(
            0, static_cast<int>(std::clamp<qsizetype>(previousTotal, 1, INT_MAX)));
        form_.ProgressBar1->setValue(0);
        form_.setStatus(QStringLiteral("Redução em andamento."));
        form_.stopFlag = false;
        EventPump pump;
        // Shows the locked window and the status at once, however short the pass.
        pump.pump();
        while (!form_.stopFlag && !pass.done()) {
            pass.step();
            if ((pass.examined() & 0xFFF) == 0)
                form_.ProgressBar1->setValue(static_cast<int>(pass.examined()));
            pump.maybePump();
        }
    } catch (...) {
        tab_->setEnabled(true);
        throw;
    }
    form_.ProgressBar1->setValue(static_cast<int>(pass.examined()));

    QString badLine;
    if (pass.badLine() >= 0 && pass.badLine() < closing.size())
        badLine = badLineMessage(pass.badLine(), closing.line(pass.badLine()));
    const bool applied = !form_.stopFlag && pass.applyTo(closing);
    form_.setStatus(
        applied ? QStringLiteral("Redução concluída.") : QStringLiteral("Redução cancelada."));
    form_.setResultLabel(QString::number(closing.size())
        + QStringLiteral(" no resultado reduzido. Total anterior ") + QString::number(previousTotal)
        + QStringLiteral("."));
    form_.Memo1->sync();

    lock(false);
    form_.CheckBox3->setEnabled(pascalEnabled);
    form_.Button5->setEnabled(false);
    form_.stopFlag = true;
    form_.PageControl1->setCurrentWidget(form_.TabFechamento);
    if (!badLine.isEmpty()) Dialogs::information(&form_, badLine);
}
