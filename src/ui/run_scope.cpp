#include "ui/run_scope.h"

#include "ui/run_host.h"

#include <QWidget>

RunScope::RunScope(RunHost& host, Job job, std::vector<QWidget*> alsoOff)
    : host_(host)
    , off_(host.commandsOffWhileRunning(job))
{
    off_.insert(off_.end(), alsoOff.begin(), alsoOff.end());
    // Taken before the lock, which greys some of them.
    for (QWidget* command : off_)
        before_.emplace_back(command, command->isEnabled());
    if (QWidget* stop = host.stopCommand()) before_.emplace_back(stop, stop->isEnabled());
    job_.emplace(host.runState(), job);
    host.lockForRun(true);
}

void RunScope::begin()
{
    begun_ = true;
    host_.runStopFlag() = false;
    for (QWidget* command : off_)
        command->setEnabled(false);
    allowStop(true);
}

bool RunScope::stopRequested() const
{
    return host_.runStopFlag();
}

void RunScope::clearStopRequest()
{
    if (job_) host_.runStopFlag() = false;
}

void RunScope::allowStop(bool allowed)
{
    if (QWidget* stop = host_.stopCommand(); stop && job_) stop->setEnabled(allowed);
}

void RunScope::finish()
{
    if (!job_) return;
    host_.runStopFlag() = true;
    host_.lockForRun(false);
    for (const auto& [command, enabled] : before_)
        command->setEnabled(enabled);
    job_.reset();
}
