#include "engine/base/random_source.h"
#include "engine/pools/loteca_closing.h"
#include "engine/pools/loteca_pass_engine.h"

#include <benchmark/benchmark.h>

namespace {

// Generation passes of the Loteca window over a closing held at 1,000 tickets. With G = 14 a
// ticket rarely covers the drawn result, so nearly every pass scans the whole list.
void BM_LotecaPasses(benchmark::State& state)
{
    RandomSource& random = RandomSource::instance();
    random.fixSeed(21);
    const LotecaLine marks
        = LotecaLine::fromText(u"XXX XXX XXX XX0 0XX X0X XX0 0XX 00X X00 0X0 00X X00 0X0");
    LotecaPassEngine engine(marks, 3, 2, random);
    LotecaClosing closing;
    while (closing.size() < 1000)
        LotecaPassEngine::judge(closing, engine.candidate(), engine.drawnResult(), 15);
    const int guarantee = 14;
    for (auto _ : state) {
        if (engine.step(closing, guarantee) == LotecaPassEngine::Outcome::Added)
            closing.removeLast();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LotecaPasses);

} // namespace
