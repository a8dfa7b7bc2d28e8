#pragma once

#include "ui/run_rules.h"

#include <vector>

class QWidget;

// A window that runs long jobs (the main window, each pool window): which job runs, its stop
// flag, what a run locks, and the commands a running job switches. Only RunScope changes them.
class RunHost
{
public:
    virtual ~RunHost() = default;
    // True when command may run now; otherwise tells the player why not (where the rules have
    // a message) and changes nothing.
    virtual bool mayRun(Command command) = 0;

protected:
    friend class RunScope;
    virtual JobState& runState() = 0;
    // Up while no job runs and once "Parar" was pressed.
    virtual bool& runStopFlag() = 0;
    // Locks what a run locks (fields, board, modality), and unlocks it.
    virtual void lockForRun(bool locked) = 0;
    // The commands a running job switches off, and "Parar", which it switches on.
    virtual std::vector<QWidget*> commandsOffWhileRunning(Job job) const = 0;
    virtual QWidget* stopCommand() const = 0;
};
