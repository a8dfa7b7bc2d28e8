#pragma once

#include "app/random_source.h"

#include <QString>
#include <array>
#include <vector>

// The 100 number tiles and their states: the player's bet (selected and fixed numbers).
class Board
{
public:
    enum class State { Free, Selected, Fixed, OutOfRange };

    State state(int n) const { return states_[static_cast<std::size_t>(n)]; }
    void setState(int n, State s) { states_[static_cast<std::size_t>(n)] = s; }
    int highest() const { return highest_; }

    int countSelected() const;
    int countFixed() const;

    // Tiles 1..U free, the rest out of range.
    void applyNumberRange(int U);
    // All 100 tiles free (the range is applied again by the caller).
    void clear();
    // The click rule for tile n with T numbers bet, F of them fixed.
    void click(int n, int T, int F);
    // Completes the bet to T numbers with F fixed at random; a full board is replaced by a new
    // bet. False (board unchanged) when 1..U does not hold enough free tiles.
    bool drawRandom(int T, int F, RandomSource& random);

    // Number lines of the selected / fixed tiles among 1..U (separator + number, first
    // character dropped, trimmed, blank in front). Selected with none gives " ", fixed "".
    QString selectedText(QChar separator) const;
    QString fixedText(QChar separator) const;
    // The selected numbers in board order (the generators' selectedNumbers).
    std::vector<int> selectedNumbers() const;
    std::vector<int> fixedNumbers() const;

    // Marks the numbers of a line (two digits at 2, 5, 8, ...; "00" is 100).
    void markLine(const QString& line, State s);

private:
    std::vector<int> numbersIn(State s) const;
    std::array<State, 101> states_ {};
    int highest_ = 100;
};
