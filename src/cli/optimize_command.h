#pragma once

#include "cli/command_support.h"
#include "engine/generate/checked_optimization.h"
#include "engine/generate/line_store.h"

#include <vector>

class Console;

// "otimizar": an existing closing made smaller for a time, on every core, as "Otimizar
// Fechamento" does; only a complete closing that the independent count confirmed is written.
Command optimizeCommand();

// What one optimization left: the run's outcome, and the confirmed closing when it improved.
struct OptimizeOutcome {
    CheckedOptimization::Outcome outcome = CheckedOptimization::Outcome::Running;
    LineStore best; // the confirmed closing, in closing line format
    QString resultText; // the window's result label (Improved) or its message (otherwise)
};

// Runs the optimizer on `closing` for `seconds` (a stop ends it sooner), then the count; shows
// the progress of both on the console. The confirmed closing is written with `separator`.
OptimizeOutcome optimizeClosing(const ClosingOptimizer::Setup& setup,
    const std::vector<TicketMask>& closing, double seconds, int threads, QChar separator,
    Console& console);
