#include "app/tform1.h"
#include "engine/generate/line_format.h"
#include "engine/generate/line_store.h"
#include "engine/verify/verification_engine.h"
#include "ui/dialogs.h"
#include "ui/line_view.h"

#include "bench_support.h"
#include <QFile>
#include <QPushButton>
#include <QRadioButton>

#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <numeric>
#include <random>

namespace {

using BenchSupport::numbers;
using BenchSupport::pick;

// 10,000 draws of 20 out of 100 against 1,000 tickets of 50 out of a 60-number bet, no detail.
void BM_VerifyLotomania(benchmark::State& state)
{
    std::mt19937_64 rng(5);
    const std::vector<int> bet = BenchSupport::lotomaniaBet(rng);
    LineStore closing, draws, report;
    BenchSupport::appendRandom(closing, rng, bet, 50, 1000);
    BenchSupport::appendRandom(draws, rng, numbers(1, 100), 20, 10000);
    VerificationEngine::Setup setup;
    setup.D = 20;
    setup.G = 17;
    for (auto _ : state) {
        VerificationEngine engine(closing, draws, report, setup);
        engine.begin();
        while (engine.drawsLeft() || engine.midDraw())
            engine.step();
        engine.beginTotals();
        while (engine.totalsLeft())
            engine.writeNextTotal();
        engine.writeSummary();
        benchmark::DoNotOptimize(engine.failures());
    }
    state.SetItemsProcessed(state.iterations() * closing.size() * draws.size());
}
BENCHMARK(BM_VerifyLotomania)->Unit(benchmark::kMillisecond);

// The detailed report of 1,000 draws x 1,000 Lotomania tickets: a million report lines.
void BM_VerifyDetailedReport(benchmark::State& state)
{
    std::mt19937_64 rng(6);
    const std::vector<int> bet = BenchSupport::lotomaniaBet(rng);
    LineStore closing, draws, report;
    BenchSupport::appendRandom(closing, rng, bet, 50, 1000);
    BenchSupport::appendRandom(draws, rng, numbers(1, 100), 20, 1000);
    VerificationEngine::Setup setup;
    setup.D = 20;
    setup.G = 17;
    setup.detail = true;
    for (auto _ : state) {
        VerificationEngine engine(closing, draws, report, setup);
        engine.begin();
        while (engine.drawsLeft() || engine.midDraw())
            engine.step(128);
        engine.beginTotals();
        while (engine.totalsLeft())
            engine.writeNextTotal();
        engine.writeSummary();
    }
    state.counters["report_lines"] = static_cast<double>(report.size());
    state.counters["report_MB"] = static_cast<double>(report.memoryBytes()) / 1e6;
}
BENCHMARK(BM_VerifyDetailedReport)->Unit(benchmark::kMillisecond)->Iterations(1);

class FixedOpenDialog : public DialogBackend
{
public:
    explicit FixedOpenDialog(QString path)
        : path_(std::move(path))
    {
    }
    void information(QWidget*, const QString& text) override { lastMessage = text; }
    bool question(QWidget*, const QString&) override { return false; }
    QString openFileName(QWidget*, const QString&) override { return path_; }
    QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString lastMessage;

private:
    QString path_;
};

// "Abrir Fechamento" of a 1,000,000-line Lotofácil closing (15 numbers, 45-character lines),
// through the window: reading, checking, the closing area and the board rebuilt.
void BM_OpenClosing(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("lotofacil.txt");
    {
        std::mt19937_64 rng(9);
        const std::vector<int> all = numbers(1, 25);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            state.SkipWithError("cannot write the closing file");
            return;
        }
        QByteArray chunk;
        for (int i = 0; i < 1'000'000; ++i) {
            chunk += LineFormat::trimmed(LineFormat::maskLine(pick(rng, all, 15), u' ')).toLatin1();
            chunk += "\r\n";
            if (chunk.size() > (1 << 20)) {
                file.write(chunk);
                chunk.clear();
            }
        }
        file.write(chunk);
    }
    auto backend = std::make_unique<FixedOpenDialog>(path);
    FixedOpenDialog* dialogs = backend.get();
    Dialogs::setBackend(std::move(backend));
    {
        TForm1 form;
        form.FormCreate();
        form.findChild<QRadioButton*>(QStringLiteral("RadioButton2"))->click();
        for (auto _ : state) {
            form.findChild<QPushButton*>(QStringLiteral("Button10"))->click();
            if (form.findChild<LineView*>(QStringLiteral("Memo1"))->store().size() != 1'000'000
                || !dialogs->lastMessage.isEmpty()) {
                state.SkipWithError("the closing did not open whole");
                break;
            }
        }
    }
    Dialogs::setBackend(nullptr);
    state.SetItemsProcessed(state.iterations() * 1'000'000);
}
BENCHMARK(BM_OpenClosing)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
