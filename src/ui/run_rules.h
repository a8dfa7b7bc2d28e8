#pragma once

#include <QString>
#include <optional>

// The long jobs a window runs. While one runs, the commands below either run (the table allows
// them) or are refused and change nothing.
enum class Job {
    Generation, // "&Gerar", random covering generator
    Enumeration, // "&Gerar" with K = D = G
    MarginCheck, // "&Verificar Margem do Fechamento", with or without completion
    Verification, // "Simular / Conferir"
    Reduction, // the reducer tabs
    Download, // "Baixar"
    Optimizer, // "Otimizar Fechamento"
    LotecaGeneration, // the Loteca window's "Gerar"
    LotogolGeneration, // the Lotogol window's "Gerar"
};

// What a player can ask for that would touch the data a job works on: the closing, the draws
// area, the report, the board, the parameters or the verification mode.
enum class Command {
    Generate,
    CheckMargin,
    Optimize,
    Simulate,
    SaveClosing,
    OpenClosing,
    SortClosing,
    OpenDraws,
    Download,
    Print,
    Reduce,
    ClearBoard,
    RandomBet,
    ClickTile,
    MarkChartNumbers,
    ChangeModality,
    EditParameters, // leaving a parameter field runs its normalisation
    CloseWindow,
};

namespace RunRules {
// Whether command may run while job runs.
bool allows(Job job, Command command);
// The message that tells the player why command is refused during a job; empty where the
// control is disabled during runs or the refusal is silent.
QString refusal(Command command);
} // namespace RunRules

// The job a window is running, if any. Scope marks one for as long as it lives.
class JobState
{
public:
    class Scope
    {
    public:
        Scope(JobState& state, Job job)
            : state_(state)
            , previous_(state.current_)
        {
            state.current_ = job;
        }
        ~Scope() { state_.current_ = previous_; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        JobState& state_;
        std::optional<Job> previous_;
    };

    std::optional<Job> current() const { return current_; }
    // True when command may run now. A stop flag that is down without a recorded job (a run
    // started by older code) refuses everything.
    bool allows(Command command, bool stopFlag) const
    {
        if (current_) return RunRules::allows(*current_, command);
        return stopFlag;
    }

private:
    std::optional<Job> current_;
};
