#pragma once

#include <QObject>

class BetBoard;
class BetParameters;
class ClosingArea;
class GenerationCommands;
class RunHost;
class RunScope;
class RunStatus;
class SettingsPage;
class WindowSeams;

// Window side of "&Gerar" (the covering generator and the full enumeration) and of the margin
// check: reads the main window's parameters and board, runs the engines on the window thread
// and writes the closing, the progress bar and the result label back.
class GenerationPanel : public QObject
{
    Q_OBJECT
public:
    GenerationPanel(WindowSeams& window, RunHost& runs, RunStatus& status,
        BetParameters& parameters, BetBoard& board, ClosingArea& closing,
        const SettingsPage& settings);

    // "&Gerar": the generator until "Parar", or every combination when K = D = G.
    void Button1Click();
    // The hidden "Limpar" of the settings tab: the closing emptied unless it is to be kept,
    // the result label zeroed.
    void Button2Click();
    // "&Verificar Margem do Fechamento".
    void Button11Click(bool completeToFull);

private:
    void Gerafechamento(RunScope& run);
    void fullEnumeration(RunScope& run);
    void marginCheck(RunScope& run, bool completeToFull);
    // Draws a random bet when the board does not hold T numbers with F fixed; false when the
    // board still does not hold exactly F fixed numbers.
    bool matchBoard(bool clearClosing);
    // The bar's maximum; a count that does not fit leaves a still, empty bar.
    void startProgress(int maximum);

    WindowSeams& window_;
    RunHost& runs_;
    RunStatus& status_;
    BetParameters& parameters_;
    BetBoard& board_;
    ClosingArea& closing_;
    const SettingsPage& settings_;
};

// Binds the panel to the main window's commands.
GenerationPanel* attachGeneration(WindowSeams& window, RunHost& runs, RunStatus& status,
    BetParameters& parameters, BetBoard& board, ClosingArea& closing, SettingsPage& settings,
    GenerationCommands& commands);
