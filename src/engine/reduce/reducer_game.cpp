#include "engine/reduce/reducer_game.h"

#include <algorithm>

const ReducerGame& ReducerGame::lotofacil()
{
    static const ReducerGame game { "LF", 25, 15, 14,
        { { 1, 3 }, { 2, 5 }, { 3, 6 }, { 4, 8 }, { 6, 10 }, { 8, 12 }, { 9, 13 }, { 11, 15 },
            { 13, 17 }, { 14, 18 }, { 16, 20 }, { 18, 22 }, { 20, 23 }, { 21, 24 }, { 23, 25 } } };
    return game;
}

const ReducerGame& ReducerGame::quina()
{
    static const ReducerGame game { "QI", 80, 5, 47,
        { { 1, 31 }, { 4, 49 }, { 16, 65 }, { 32, 77 }, { 50, 80 } } };
    return game;
}

const ReducerGame& ReducerGame::megaSena()
{
    static const ReducerGame game { "MS", 60, 6, 57,
        { { 1, 25 }, { 2, 37 }, { 7, 46 }, { 15, 54 }, { 24, 59 }, { 36, 60 } } };
    return game;
}

const ReducerGame& ReducerGame::duplaSena()
{
    static const ReducerGame game { "DS", 50, 6, 69,
        { { 1, 15 }, { 3, 25 }, { 9, 34 }, { 17, 42 }, { 26, 48 }, { 36, 50 } } };
    return game;
}

int clampToPosition(const ReducerGame& game, int position, int value)
{
    return std::clamp(value, game.lowestAt(position), game.highestAt(position));
}
