#pragma once

#include "engine/catalogue/closing_problem.h"
#include "engine/catalogue/closing_recipe.h"
#include "engine/generate/ticket_mask.h"

#include <QString>
#include <functional>
#include <vector>

// Makes a closing by running a ClosingRecipe stage by stage on one thread, so that the same
// recipe gives the same tickets every time: the optimizer is stepped here, never raced, and
// its budget is a count of moves, not seconds. Every stage hands on its closing in canonical
// order (ClosingConstructions::canonicalise), which is also the order of an entry's file, so a
// stage run from an entry's tickets continues exactly as it would have from the recipe.
class RecipeRunner
{
public:
    struct Control {
        // Asked every few hundred steps of an optimize stage: true ends that stage at the
        // next move (its moves are then the moves it made) and leaves out the stages after it.
        std::function<bool()> stop;
        // Called when an optimize stage has recorded a smaller complete closing, with that
        // closing on the recipe's own wheel and the recipe that rebuilds it (the stages so far,
        // the running one cut at the moves made, a complement added when the stage works on
        // the complemented wheel).
        std::function<void(const std::vector<TicketMask>&, const ClosingRecipe&)> improved;
    };

    struct Result {
        std::vector<TicketMask> tickets; // canonical order
        ClosingRecipe recipe; // the stages as run
        QString error; // why the recipe could not run; empty when it did
        double cpuSeconds = 0;
        bool stopped = false; // the control stopped it
    };

    // Runs the recipe on the wheel from the given tickets (positions 1..T; none for a recipe
    // that starts from nothing).
    static Result run(const ClosingProblem& problem, const ClosingRecipe& recipe,
        std::vector<TicketMask> start = {}, const Control& control = {});

    // The optimizer from `start` for at most `moves` moves with the given seed, stopping early
    // at the wheel's lower bound or when asked; the smallest complete closing it recorded
    // (canonical order) and the moves it made. An empty closing when the optimizer refuses the
    // wheel.
    struct Optimized {
        std::vector<TicketMask> tickets;
        quint64 moves = 0;
        QString refusal;
        bool stopped = false; // ended by `stop`, before its budget
    };
    static Optimized optimize(const ClosingProblem& problem, const std::vector<TicketMask>& start,
        quint64 seed, quint64 moves, const std::function<bool()>& stop = {},
        const std::function<void(const std::vector<TicketMask>&, quint64 moves)>& improved = {});

    // The covering generator's closing after `draws` test draws, around `start`.
    static std::vector<TicketMask> generate(const ClosingProblem& problem,
        const std::vector<TicketMask>& start, quint64 seed, quint64 draws);
};
