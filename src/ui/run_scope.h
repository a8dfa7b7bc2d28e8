#pragma once

#include "ui/run_rules.h"

#include <optional>
#include <utility>
#include <vector>

class QWidget;
class RunHost;

// One long job of a window, for as long as it lives. Opening it enters the job in the run rules
// and locks the window; begin() clears the stop request, switches "Parar" on and the other run
// commands off. Ending it (finish() or the end of the scope, an error's unwinding included) puts
// every command back as it was, raises the stop flag, unlocks the window and leaves the job.
class RunScope
{
public:
    // `alsoOff`: the job's own commands (e.g. "Otimizar Fechamento"), off while it runs.
    RunScope(RunHost& host, Job job, std::vector<QWidget*> alsoOff = {});
    ~RunScope() { finish(); }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;

    void begin();
    // "Parar" was pressed since the job began (or no job runs any more).
    bool stopRequested() const;
    // Takes a stop request back, for a job that goes on after "Parar" ended one of its stages.
    void clearStopRequest();
    // "Parar" on or off while the job runs (off while it finishes what cannot be stopped).
    void allowStop(bool allowed);
    void finish();

private:
    RunHost& host_;
    std::optional<JobState::Scope> job_;
    std::vector<QWidget*> off_;
    std::vector<std::pair<QWidget*, bool>> before_; // every command and whether it was enabled
    bool begun_ = false;
};
