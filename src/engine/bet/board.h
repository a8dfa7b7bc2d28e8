#pragma once

#include "engine/base/random_source.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

// The 100 number tiles and their states: the player's bet (selected and fixed numbers).
class Board
{
public:
    enum class State { Free, Selected, Fixed, OutOfRange };

    State state(int n) const { return states_[static_cast<std::size_t>(n)]; }
    void setState(int n, State s)
    {
        const auto i = static_cast<std::size_t>(n);
        if (s == State::Fixed && states_[i] != State::Fixed) fixedAt_[i] = ++fixings_;
        states_[i] = s;
    }
    int highest() const { return highest_; }

    int countSelected() const;
    int countFixed() const;

    // Tiles 1..U free, the rest out of range.
    void applyNumberRange(int U);
    // All 100 tiles free (the range is applied again by the caller).
    void clear();
    // The click rule for tile n with T numbers bet, F of them fixed.
    void click(int n, int T, int F);
    // Keeps at most F fixed tiles: those fixed last are released first, back to selected while
    // the bet has room for them (T - F selected), free otherwise. Returns how many it released.
    int releaseFixedBeyond(int F, int T);
    // Completes the bet to T numbers with F fixed at random (fixed tiles beyond F released
    // first); a full board is replaced by a new bet. False (board unchanged) when 1..U does not
    // hold enough free tiles.
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
    // When each tile was last fixed, counted in fixings, so that lowering F frees the newest.
    std::array<std::uint32_t, 101> fixedAt_ {};
    std::uint32_t fixings_ = 0;
    int highest_ = 100;
};
