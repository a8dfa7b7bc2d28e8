#include "engine/bet/board.h"

#include "engine/generate/line_format.h"

#include <algorithm>

int Board::countSelected() const
{
    int n = 0;
    for (int i = 1; i <= 100; ++i)
        n += state(i) == State::Selected;
    return n;
}

int Board::countFixed() const
{
    int n = 0;
    for (int i = 1; i <= 100; ++i)
        n += state(i) == State::Fixed;
    return n;
}

void Board::applyNumberRange(int U)
{
    highest_ = U;
    for (int i = 1; i <= 100; ++i)
        setState(i, i <= U ? State::Free : State::OutOfRange);
}

void Board::clear()
{
    for (int i = 1; i <= 100; ++i)
        setState(i, State::Free);
}

void Board::click(int n, int T, int F)
{
    switch (state(n)) {
    case State::Free:
        setState(n, State::Selected);
        break;
    case State::Selected:
        setState(n, State::Fixed);
        break;
    default:
        setState(n, State::Free);
        break;
    }
    bool skipStep4 = false;
    if (countSelected() > T - F && countFixed() < F) {
        setState(n, State::Fixed);
        skipStep4 = true;
    }
    if (!skipStep4 && countSelected() > T - F) setState(n, State::Free);
    if (countFixed() > F) setState(n, State::Free);
}

int Board::releaseFixedBeyond(int F, int T)
{
    int released = 0;
    for (int fixed = countFixed(); fixed > std::max(F, 0); --fixed) {
        int newest = 0;
        for (int i = 1; i <= 100; ++i)
            if (state(i) == State::Fixed && (!newest || fixedAt_[i] > fixedAt_[newest])) newest = i;
        setState(newest, countSelected() < T - F ? State::Selected : State::Free);
        ++released;
    }
    return released;
}

bool Board::drawRandom(int T, int F, RandomSource& random)
{
    std::array<State, 101> before = states_;
    releaseFixedBeyond(F, T);
    const int s = countSelected(), f = countFixed();
    const int U = qBound(1, highest_, 100);
    int count;
    if (s + f >= T && f >= F) {
        for (int i = 1; i <= 100; ++i)
            setState(i, i <= highest_ ? State::Free : State::OutOfRange);
        count = 0;
    } else {
        count = s + f;
    }
    int freeTiles = 0;
    for (int i = 1; i <= U; ++i)
        freeTiles += state(i) == State::Free;
    if (T - count > freeTiles) {
        states_ = before;
        return false;
    }
    while (count < T) {
        const int r = random.between(1, U);
        if (state(r) == State::Free) {
            setState(r, State::Selected);
            ++count;
        }
    }
    count = countFixed();
    if (count < F && F - count > countSelected()) {
        states_ = before;
        return false;
    }
    while (count < F) {
        const int r = random.between(1, U);
        if (state(r) == State::Selected) {
            setState(r, State::Fixed);
            ++count;
        }
    }
    return true;
}

std::vector<int> Board::numbersIn(State s) const
{
    std::vector<int> numbers;
    const int U = qBound(0, highest_, 100);
    for (int i = 1; i <= U; ++i)
        if (state(i) == s) numbers.push_back(i);
    return numbers;
}

std::vector<int> Board::selectedNumbers() const
{
    return numbersIn(State::Selected);
}
std::vector<int> Board::fixedNumbers() const
{
    return numbersIn(State::Fixed);
}

QString Board::selectedText(QChar separator) const
{
    return LineFormat::numberLine(selectedNumbers(), separator);
}

QString Board::fixedText(QChar separator) const
{
    const std::vector<int> numbers = fixedNumbers();
    return numbers.empty() ? QString() : LineFormat::numberLine(numbers, separator);
}

void Board::markLine(const QString& line, State s)
{
    for (qsizetype p = 1; p < line.size(); p += 3)
        if (const int n = LineFormat::numberAt(line, p)) setState(n, s);
}
