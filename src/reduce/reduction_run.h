#pragma once

#include "engine/reduce/reduction_pass.h"

#include <QString>
#include <functional>

class QWidget;
struct ReducerRoles;

// A reducer run in the main window: locks what a run locks, passes over the closing while
// letting window messages through, replaces the closing only when the pass finished, reports
// the counts and unlocks again.
class ReductionRun
{
public:
    // Tells the user why a line ended the run (its row and text).
    using BadLineMessage = std::function<QString(qsizetype row, const QString& line)>;

    ReductionRun(const ReducerRoles& roles, QWidget* tab);
    // `check` is built before anything is locked, so a limit field that is not a number ends
    // the run before it starts.
    void execute(
        const std::function<ReductionPass::Check()>& prepare, const BadLineMessage& badLineMessage);

private:
    const ReducerRoles& roles_;
    QWidget* tab_;
};
