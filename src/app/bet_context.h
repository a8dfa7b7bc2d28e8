#pragma once

#include "engine/bet/board.h"
#include "engine/bet/modality.h"
#include "engine/bet/parameters.h"
#include "ui/run_rules.h"

#include <QChar>
#include <QString>
#include <functional>
#include <vector>

class LineView;
class QPushButton;
class QProgressBar;
class QWidget;

// What the main window's panels share, so that no panel reaches into another one's controls:
// the parameters and their conversion, the board, the closing and the draws lists, the run
// state with its lock and recovery, the status line, result label and progress bar, the
// pages of the window, and the parent every message box is shown over.
class BetContext
{
public:
    // The pages in the order of the window's tabs.
    enum class Page {
        Selecao,
        Fechamento,
        Simulacao,
        Impressao,
        Configuracoes,
        Comparativo,
        Lotofacil,
        Quina,
        MegaSena,
        DuplaSena,
    };

    virtual ~BetContext() = default;

    // --- parameters
    virtual Modality modality() const = 0;
    virtual QChar separator() const = 0; // the separator in force for a line built now
    virtual ParameterFields readFields() const = 0;
    virtual void writeFields(const ParameterFields& fields) = 0;
    virtual int T() const = 0;
    virtual int K() const = 0;
    virtual int F() const = 0;
    virtual int D() const = 0;
    virtual int G() const = 0;
    virtual int C() const = 0;
    virtual int U() const = 0;
    // The bet's size fields as typed ("Total de Dezenas a Apostar", "Dezenas Fixas").
    virtual void setFieldT(const QString& text) = 0;
    virtual void setFieldF(const QString& text) = 0;
    // Checks and corrects the fields after an edit, and what follows from them.
    virtual void testecampos() = 0;
    // Leaving a field that sizes the bet: testecampos and the reducer tabs that K opens.
    virtual void Edit2Exit() = 0;
    // Calls handler when a parameter field lives outside the parameter panel and loses focus;
    // like the panel's own fields, not while a run forbids editing the parameters.
    virtual void onParameterExit(QWidget* field, std::function<void()> handler) = 0;

    // --- board
    Board board;
    virtual void refreshBoard() = 0; // tiles, counts and number lines from the board
    virtual void clearBoard() = 0; // "Limpar Bilhete"
    virtual void drawRandomBet() = 0; // "&Sortear Bilhete"
    virtual int CountSelected() = 0; // also shows the counts
    virtual int CountFixed() = 0;
    std::vector<int> selectedNumbers; // filled by LoadSelectedNumbers
    virtual void LoadSelectedNumbers() = 0;
    virtual QString fixedLine() const = 0; // the fixed numbers as the board tab shows them
    virtual QString selectedLine() const = 0; // the numbers to close, as shown
    virtual QString selectedCountShown() const = 0;
    virtual void MarkSelected(const QString& line, bool clearFirst) = 0;
    virtual void MarkFixed(const QString& line, bool clearFirst) = 0;
    // A click on a modality of the board tab.
    virtual void switchModality(Modality m) = 0;

    // --- lists, status and progress
    virtual LineView& closingView() = 0;
    // The draws the closing is checked against, shown by the verification tab.
    LineView& drawsView() { return *drawsView_; }
    void setDrawsView(LineView* view) { drawsView_ = view; }
    virtual QProgressBar& progressBar() = 0;
    virtual void setResultLabel(const QString& text) = 0;
    virtual void setStatus(const QString& text) = 0;

    // --- runs
    // The parameter panel's commands that runs switch off and on again.
    enum class RunCommand {
        Generate, // "&Gerar"
        Stop, // "Parar"
        CheckMargin, // "&Verificar Margem do Fechamento"
        CompleteToFull, // "Completar para Fechar 100%"
        BalancedPick, // "Triângulo de Pascal"
    };
    virtual void enableCommand(RunCommand command, bool enabled) = 0;
    virtual bool commandEnabled(RunCommand command) const = 0;
    virtual bool completeToFull() const = 0; // "Completar para Fechar 100%" is ticked
    virtual bool balancedPick() const = 0; // "Triângulo de Pascal" is ticked
    // The hidden "Limpar": empties the closing unless "Não limpar fechamento ao gerar" is
    // ticked, and zeroes the result label.
    virtual void clearClosing() = 0;
    // Calls handler when the player clicks the command.
    virtual void onCommand(RunCommand command, std::function<void()> handler) = 0;
    bool stopFlag = true;
    JobState jobs; // the long job running, which decides what the other commands may do
    // Locks what a run in the main window locks, and unlocks it again.
    virtual void lockForRun(bool locked) = 0;
    // Puts back every control a run may have locked and sets stopFlag (error recovery).
    virtual void restoreAfterError() = 0;
    // Runs a handler under the conversion-error guard.
    virtual void guarded(const std::function<void()>& handler) = 0;
    // True when command may run now; otherwise tells the player why not (where the rules
    // have a message) and changes nothing.
    virtual bool mayRun(Command command) = 0;
    // Calls handler when a field loses focus (the exit handlers).
    virtual void onExit(QWidget* field, std::function<void()> handler) = 0;

    // --- window
    virtual QWidget& host() = 0; // the parent of the panels and of every message box
    virtual QWidget* page(Page which) const = 0;
    virtual void showPage(Page which) = 0;
    // Adds a command to the closing tab's row of buttons, after those already there.
    virtual void addClosingCommand(QPushButton* button) = 0;
    // Adds a group to the right end of the parameter panel's row.
    virtual void addToParameterRow(QWidget* group) = 0;
    // Adds a group to the end of the "Configurações" tab.
    virtual void addToSettings(QWidget* group) = 0;
    // Switches the verification to the draws list ("Usar Arquivo para Conferir"), as its click.
    virtual void verifyAgainstDrawsList() = 0;

    // Steps the panels add to the window's own.
    std::vector<std::function<void()>> afterCreate; // start-up
    std::vector<std::function<bool()>> closeVetoes; // more reasons to refuse closing
    std::vector<std::function<void(Modality)>> modalityChanged; // on a modality switch
    // What was built from the draws list, which goes stale when the draws or the modality
    // change.
    std::vector<std::function<void()>> drawsReset;
    void resetComparisonChart()
    {
        for (const auto& reset : drawsReset)
            reset();
    }

private:
    LineView* drawsView_ = nullptr;
};
