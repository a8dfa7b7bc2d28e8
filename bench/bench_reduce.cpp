#include "app/tform1.h"
#include "bench_support.h"
#include "engine/generate/line_format.h"
#include "engine/reduce/lotofacil_filter.h"
#include "engine/reduce/lotofacil_tables.h"
#include "engine/reduce/reducer_game.h"
#include "engine/reduce/reduction_pass.h"
#include "reduce/lotofacil_reducer.h"
#include "ui/line_view.h"

#include <QCheckBox>
#include <QListWidget>
#include <benchmark/benchmark.h>

namespace {

// A player's plausible choice: the patterns behind at least 10,000 tickets each and the sums
// 170..220, with the default position limits.
bool commonPattern(const LotofacilTables::Row& row)
{
    return row.count >= 10000;
}
bool middleSum(const LotofacilTables::Row& row)
{
    return row.key >= 170 && row.key <= 220;
}

} // namespace

// "Executar Redução" on the Lotofácil tab with all four filters on, over the closing of every
// ticket; the time covers the pass with its event pump and the replacement of the closing.
void BM_ReduceLotofacil(benchmark::State& state)
{
    TForm1 form;
    form.FormCreate();
    auto* reducer = form.findChild<LotofacilReducer*>();
    const auto& patterns = LotofacilTables::patterns();
    const auto& sums = LotofacilTables::sums();
    for (int i = 0; i < static_cast<int>(patterns.size()); ++i) {
        reducer->ListBox1->item(i)->setSelected(
            commonPattern(patterns[static_cast<std::size_t>(i)]));
        reducer->ListBox2->item(i)->setSelected(
            commonPattern(patterns[static_cast<std::size_t>(i)]));
    }
    for (int i = 0; i < static_cast<int>(sums.size()); ++i)
        reducer->ListBox3->item(i)->setSelected(middleSum(sums[static_cast<std::size_t>(i)]));
    reducer->ListBox1Exit();
    reducer->ListBox2Exit();
    reducer->ListBox3Exit();
    for (QCheckBox* box :
        { reducer->CheckBox7, reducer->CheckBox8, reducer->CheckBox9, reducer->CheckBox13 })
        box->setChecked(true);

    qsizetype kept = 0;
    for (auto _ : state) {
        state.PauseTiming();
        BenchSupport::everyLotofacilTicket(
            form.findChild<LineView*>(QStringLiteral("Memo1"))->store());
        state.ResumeTiming();
        reducer->Button17Click();
        kept = form.findChild<LineView*>(QStringLiteral("Memo1"))->store().size();
    }
    state.SetItemsProcessed(state.iterations() * 3268760);
    state.counters["kept"] = static_cast<double>(kept);
}
BENCHMARK(BM_ReduceLotofacil)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

// The filter pass alone over the same closing, without the window.
void BM_ReduceLotofacil_Pass(benchmark::State& state)
{
    LineStore store;
    BenchSupport::everyLotofacilTicket(store);
    LotofacilFilter::Settings settings;
    settings.byPositions = settings.byRows = settings.byColumns = settings.bySums = true;
    settings.limits = PositionLimits(ReducerGame::lotofacil().defaults);
    for (const auto& row : LotofacilTables::patterns())
        if (commonPattern(row)) {
            settings.rowPatterns.push_back(row.key);
            settings.columnPatterns.push_back(row.key);
        }
    for (const auto& row : LotofacilTables::sums())
        if (middleSum(row)) settings.sums.push_back(row.key);
    const LotofacilFilter filter(settings);
    for (auto _ : state) {
        ReductionPass pass(
            store, [&](const LineStore& lines, qsizetype row) { return filter.check(lines, row); });
        while (!pass.done())
            pass.step();
        benchmark::DoNotOptimize(pass.kept());
    }
    state.SetItemsProcessed(state.iterations() * store.size());
}
BENCHMARK(BM_ReduceLotofacil_Pass)->Unit(benchmark::kMillisecond)->Iterations(3);
