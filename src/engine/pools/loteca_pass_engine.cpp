#include "engine/pools/loteca_pass_engine.h"

#include "engine/base/random_source.h"

namespace {
// The doubles in the order of the pair draw: "XX0", "X0X", "0XX".
constexpr unsigned doublePairs[3] = { 0b011, 0b101, 0b110 };
} // namespace

LotecaPassEngine::LotecaPassEngine(
    const LotecaLine& marks, int doubles, int triples, RandomSource& random)
    : marks_(marks)
    , doubles_(doubles)
    , triples_(triples)
    , random_(random)
{
}

unsigned LotecaPassEngine::pickMarkedSimple(int match)
{
    const unsigned marked = marks_.group(match);
    for (;;) {
        const unsigned outcome = 1U << random_.below(3);
        if (marked & outcome) return outcome;
    }
}

LotecaLine LotecaPassEngine::candidate()
{
    LotecaLine ticket;
    for (int placed = 0; placed < triples_;) {
        const int m = random_.below(LotecaLine::matches);
        if (marks_.group(m) == 7U && ticket.group(m) == 0) {
            ticket.setGroup(m, 7U);
            ++placed;
        }
    }
    for (int placed = 0; placed < doubles_;) {
        const int m = random_.below(LotecaLine::matches);
        const unsigned pair = doublePairs[random_.below(3)];
        if ((marks_.group(m) & pair) == pair && ticket.group(m) == 0) {
            ticket.setGroup(m, pair);
            ++placed;
        }
    }
    for (int m = 0; m < LotecaLine::matches; ++m)
        if (ticket.group(m) == 0) ticket.setGroup(m, pickMarkedSimple(m));
    return ticket;
}

LotecaLine LotecaPassEngine::drawnResult()
{
    LotecaLine result;
    for (int m = 0; m < LotecaLine::matches; ++m)
        result.setGroup(m, pickMarkedSimple(m));
    return result;
}

LotecaPassEngine::Outcome LotecaPassEngine::judge(
    LotecaClosing& closing, const LotecaLine& candidate, const LotecaLine& result, int guarantee)
{
    // A covered result already decides against the candidate, so the scan may stop there as
    // well as at a repeat.
    const qsizetype n = closing.size();
    for (qsizetype i = 0; i < n; ++i) {
        const LotecaClosing::Row& row = closing.row(i);
        if (row.canonical && row.line == candidate) return Outcome::Repeat;
        if (hits(row.line, result) >= guarantee) return Outcome::Covered;
    }
    closing.appendCanonical(candidate);
    return Outcome::Added;
}

LotecaPassEngine::Outcome LotecaPassEngine::step(LotecaClosing& closing, int guarantee)
{
    candidate_ = candidate();
    const LotecaLine result = drawnResult();
    return judge(closing, candidate_, result, guarantee);
}
