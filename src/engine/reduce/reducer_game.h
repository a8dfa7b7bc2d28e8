#pragma once

#include <utility>
#include <vector>

// A game whose tickets the reducer tabs cut by position: tickets of k numbers out of 1..N, the
// number of its first limit field (Edit14 for Lotofácil, ...) and the limits the fields start
// with. Positions count from 1.
struct ReducerGame {
    const char* code; // "LF", "QI", "MS", "DS"
    int N;
    int k;
    int firstField;
    std::vector<std::pair<int, int>> defaults; // lower, upper per position

    // The values that the position-th smallest of k distinct numbers from 1..N can take.
    int lowestAt(int position) const { return position; }
    int highestAt(int position) const { return N - k + position; }
    int fieldNumber(int position, bool upper) const
    {
        return firstField + 2 * (position - 1) + (upper ? 1 : 0);
    }
    // Length of a closing line holding one ticket: three characters per number.
    int lineLength() const { return 3 * k; }

    static const ReducerGame& lotofacil();
    static const ReducerGame& quina();
    static const ReducerGame& megaSena();
    static const ReducerGame& duplaSena();
};

// The limit a field may hold for its position: values outside the position's range are moved
// to its nearer end.
int clampToPosition(const ReducerGame& game, int position, int value);
