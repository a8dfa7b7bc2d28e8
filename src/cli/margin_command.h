#pragma once

#include "cli/command_support.h"
#include "engine/generate/margin_check.h"

class CommandBet;
class Console;

// "margem": the margin of a closing, the figures of "&Verificar Margem do Fechamento", and
// with --completar the closing completed to 100 % as "Completar para Fechar 100%" does.
Command marginCommand();

// What one margin check left.
struct MarginOutcome {
    MarginCheck::State state = MarginCheck::State::Running;
    bool stopped = false; // a stop ended it before every draw was examined
    double uncovered = 0, total = 0;
    QString report; // "35. Sendo 0 não fechados em 38760 sorteios não repetidos."
    bool closes() const { return state == MarginCheck::State::Finished && uncovered == 0; }
};

// Runs the window's margin check on `closing` for the bet, completing it when asked (new
// tickets go to its end); shows its progress on the console.
MarginOutcome checkMargin(
    const CommandBet& bet, LineStore& closing, bool complete, Console& console);
