#pragma once

#include "engine/bet/board.h"
#include "engine/bet/modality.h"

#include <QString>
#include <vector>

// The player's bet as the board tab shows it: the modality chosen, the tiles and their counts,
// the two number lines. Implemented by the board tab. Queries change nothing on screen.
class BetBoard
{
public:
    virtual ~BetBoard() = default;

    virtual Modality modality() const = 0;
    virtual Board& board() = 0;
    // Tiles, counts and number lines shown again from the board.
    virtual void refresh() = 0;
    virtual void clear() = 0; // "Limpar Bilhete"
    virtual void drawRandomBet() = 0; // "&Sortear Bilhete"
    virtual int countSelected() const = 0;
    virtual int countFixed() const = 0;
    // The selected numbers in board order, the generators' positions.
    virtual std::vector<int> selectedNumbers() const = 0;
    // The number lines and the selected count as the tab shows them.
    virtual QString selectedLine() const = 0;
    virtual QString fixedLine() const = 0;
    virtual QString selectedCountShown() const = 0;
    // Puts a line's numbers on the board (after "Limpar Bilhete" when clearFirst).
    virtual void markSelected(const QString& line, bool clearFirst) = 0;
    virtual void markFixed(const QString& line, bool clearFirst) = 0;
};
