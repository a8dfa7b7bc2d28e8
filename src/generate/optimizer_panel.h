#pragma once

#include <QObject>

class BetBoard;
class BetParameters;
class ClosingArea;
class QPushButton;
class RunHost;
class RunScope;
class RunStatus;
class SettingsPage;
class WindowSeams;

// "Otimizar Fechamento" on the closing tab: runs the closing optimizer on the closing and the
// bet of the main window until "Parar", then leaves the smallest verified complete closing.
class OptimizerPanel : public QObject
{
    Q_OBJECT
public:
    OptimizerPanel(WindowSeams& window, RunHost& runs, RunStatus& status, BetParameters& parameters,
        BetBoard& board, ClosingArea& closing, const SettingsPage& settings);

    QPushButton* ButtonOptimize;
    void ButtonOptimizeClick();

private:
    void optimize();
    void finishRun(RunScope& run);

    WindowSeams& window_;
    RunHost& runs_;
    RunStatus& status_;
    BetParameters& parameters_;
    BetBoard& board_;
    ClosingArea& closing_;
    const SettingsPage& settings_;
};

// Binds the optimizer to the main window.
void attachOptimizer(WindowSeams& window, RunHost& runs, RunStatus& status,
    BetParameters& parameters, BetBoard& board, ClosingArea& closing, const SettingsPage& settings);
