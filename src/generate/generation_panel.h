#pragma once

#include <QObject>

class BetContext;

// Window side of "&Gerar" (the covering generator and the full enumeration) and of the margin
// check: reads the main window's parameters and board, runs the engines on the window thread
// and writes the closing, the progress bar and the result label back.
class GenerationPanel : public QObject
{
    Q_OBJECT
public:
    explicit GenerationPanel(BetContext& context);

    // "&Gerar": the generator until "Parar", or every combination when K = D = G.
    void Button1Click();
    void Gerafechamento();
    void fullEnumeration();
    // "&Verificar Margem do Fechamento".
    void Button11Click();

private:
    // Draws a random bet when the board does not hold T numbers with F fixed, and loads the
    // selected numbers; false when the board still does not hold exactly F fixed numbers.
    bool matchBoard(bool clearClosing);
    void showRunning(bool running);
    void marginCheck();
    // The bar's maximum; a count that does not fit leaves a still, empty bar.
    void startProgress(int maximum);

    BetContext& context_;
};

// Binds the panel to the main window.
void attachGeneration(BetContext& context);
