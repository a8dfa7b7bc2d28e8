#include "app/tform1.h"
#include "bench_support.h"
#include "bench_window.h"
#include "engine/base/random_source.h"
#include "pools/tform_gol.h"
#include "pools/tform_loteca.h"
#include "reduce/lotofacil_reducer.h"
#include "ui/line_view.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fstream>
#include <functional>
#include <string>

// Each long job at the largest size the program takes: the longest the window thread went
// without handling an event (max_gap_ms), the time from "Parar" to the job's end with the
// window idle again (stop_ms), and the peak memory of the run (peak_mb).
namespace {

using BenchWindow::click;
using BenchWindow::type;

// The kernel's high-water mark of the resident memory, set back to the current size first so
// that each row measures its own peak (Linux; 0 elsewhere).
void resetPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

double peakMemoryMb()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    double kb = 0;
    std::string unit;
    while (status >> key) {
        if (key == "VmHWM:") {
            status >> kb >> unit;
            return kb / 1024;
        }
        status.ignore(1 << 10, '\n');
    }
    return 0;
}

LineStore& closingOf(QWidget& w)
{
    return w.findChild<LineView*>(QStringLiteral("Memo1"))->store();
}

// Runs `start` (a click that returns when its job ends) with the watch on; `stop` is pressed
// `stopAfterMs` into the run (never when negative) and the time to the end is stop_ms.
void measure(benchmark::State& state, const std::function<void()>& start,
    const std::function<void()>& stop, int stopAfterMs)
{
    QElapsedTimer sinceStop;
    if (stopAfterMs >= 0)
        QTimer::singleShot(stopAfterMs, [&] {
            sinceStop.start();
            stop();
        });
    BenchWindow::Watch watch;
    start();
    state.counters["max_gap_ms"] = static_cast<double>(watch.longestGapMs());
    state.counters["stop_ms"] = sinceStop.isValid() ? static_cast<double>(sinceStop.elapsed()) : 0;
    state.counters["peak_mb"] = peakMemoryMb();
}

// A started main window on the given modality with the parameters typed in (empty: as
// they are) and a random bet.
std::unique_ptr<TForm1> mainWindow(const char* modality, const QStringList& TKGC)
{
    RandomSource::instance().fixSeed(29);
    auto w = std::make_unique<TForm1>();
    w->FormCreate();
    click(*w, modality);
    const char* fields[] = { "Edit1", "Edit2", "Edit5", "Edit6" };
    for (int i = 0; i < TKGC.size(); ++i)
        if (!TKGC[i].isEmpty()) type(*w, fields[i], TKGC[i]);
    click(*w, "Button8");
    return w;
}

void addRandomTickets(TForm1& w, int K, int count)
{
    std::mt19937_64 rng(3);
    BenchSupport::appendRandom(closingOf(w), rng, w.board.selectedNumbers(), K, count);
    w.findChild<LineView*>(QStringLiteral("Memo1"))->sync();
}

// Quina, 74 numbers, a closing of 16,194 quadra tickets, then "Otimizar Fechamento": with
// G = C = K = 5 every draw would need a ticket of its own (refused at once); with G = 4 the
// closing is completed over 16,108,764 draws and "Parar" comes during the completion.
void BM_Responsiveness_Optimizer(benchmark::State& state, bool onlyEnumeration)
{
    BenchWindow::Dialogs& dialogs = BenchWindow::Dialogs::install();
    for (auto _ : state) {
        resetPeakMemory();
        auto w = mainWindow("RadioButton5", { "74", "", onlyEnumeration ? "5" : "4", "5" });
        addRandomTickets(*w, 5, 16194);
        measure(
            state, [&] { click(*w, "ButtonOptimize"); }, [&] { click(*w, "Button5"); },
            onlyEnumeration ? -1 : 1500);
        state.counters["closing_kept"] = closingOf(*w).size() == 16194;
        state.counters["messages"] = dialogs.messages.size();
    }
}

// The independent check of an optimized closing, on every core: Lotofácil, 25 numbers, 13
// points from a random closing; "Parar" ends the search after three seconds, and again a
// second into the check (3,268,760 draws against some three thousand tickets), which then
// leaves the closing as it was.
void BM_Responsiveness_OptimizerCheck(benchmark::State& state)
{
    BenchWindow::Dialogs& dialogs = BenchWindow::Dialogs::install();
    for (auto _ : state) {
        resetPeakMemory();
        auto w = mainWindow("RadioButton2", { "25", "", "13", "15" });
        addRandomTickets(*w, 15, 4000);
        QElapsedTimer sinceStop;
        QTimer::singleShot(3000, [&] {
            click(*w, "Button5");
            QTimer::singleShot(1000, [&] {
                sinceStop.start();
                click(*w, "Button5");
            });
        });
        BenchWindow::Watch watch;
        click(*w, "ButtonOptimize");
        state.counters["max_gap_ms"] = static_cast<double>(watch.longestGapMs());
        state.counters["stop_ms"] = static_cast<double>(sinceStop.elapsed());
        state.counters["peak_mb"] = peakMemoryMb();
        state.counters["closing_kept"] = closingOf(*w).size() == 4000;
        state.counters["check_stopped"] = dialogs.messages.value(dialogs.messages.size() - 1)
                                              .contains(QStringLiteral("interrompida"));
    }
}

// "Imprimir Fechamento" on 1,000,000 Lotofácil lines: the preview opens, goes to the last page
// and back to the middle, then saves the slips as a PDF, stopped after two seconds.
void BM_Responsiveness_Print(benchmark::State& state)
{
    BenchWindow::Dialogs& dialogs = BenchWindow::Dialogs::install();
    QTemporaryDir folder;
    dialogs.fileName = folder.filePath(QStringLiteral("slips.pdf"));
    for (auto _ : state) {
        resetPeakMemory();
        auto w = mainWindow("RadioButton2", { "25" });
        addRandomTickets(*w, 15, 1000000);
        double openMs = 0;
        QElapsedTimer sinceClick;
        QElapsedTimer sinceStop;
        auto preview = [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->objectName() == QStringLiteral("ReportPreview") && top->isVisible())
                    return static_cast<QDialog*>(top);
            return static_cast<QDialog*>(nullptr);
        };
        std::function<void()> drive = [&] {
            QDialog* dialog = preview();
            if (!dialog) return QTimer::singleShot(5, drive);
            openMs = static_cast<double>(sinceClick.elapsed());
            for (const char* name : { "LastPageAction", "PreviousPageAction", "FirstPageAction" })
                dialog->findChild<QAction*>(QString::fromLatin1(name))->trigger();
            QTimer::singleShot(2000, [&] {
                for (QWidget* top : QApplication::topLevelWidgets())
                    if (auto* progress = qobject_cast<QProgressDialog*>(top)) {
                        sinceStop.start();
                        progress->cancel();
                    }
            });
            dialog->findChild<QAction*>(QStringLiteral("SavePdfAction"))->trigger();
            state.counters["stop_ms"] = static_cast<double>(sinceStop.elapsed());
            dialog->accept();
        };
        QTimer::singleShot(0, drive);
        BenchWindow::Watch watch;
        sinceClick.start();
        click(*w, "Button12");
        state.counters["max_gap_ms"] = static_cast<double>(watch.longestGapMs());
        state.counters["open_ms"] = openMs;
        state.counters["peak_mb"] = peakMemoryMb();
        state.counters["pdf_left"] = QFile::exists(dialogs.fileName);
    }
}

// "&Verificar Margem do Fechamento" with "Completar para Fechar 100%" over every quina of 80
// numbers (24,040,016 draws), where every draw not yet in the closing becomes a ticket, from
// a closing of one ticket; "Parar" after eight seconds.
void BM_Responsiveness_MarginCheck(benchmark::State& state)
{
    BenchWindow::Dialogs::install();
    for (auto _ : state) {
        resetPeakMemory();
        auto w = mainWindow("RadioButton5", { "80", "", "5", "5" });
        addRandomTickets(*w, 5, 1);
        w->findChild<QCheckBox*>(QStringLiteral("CheckBoxCompletar"))->setChecked(true);
        measure(
            state, [&] { click(*w, "Button11"); }, [&] { click(*w, "Button5"); }, 8000);
        state.counters["tickets"] = static_cast<double>(closingOf(*w).size());
    }
}

// "Simular / Conferir": a sample of 999,999,999 draws (the most the field takes) against a
// closing of 1,000,000 Lotofácil lines, "Parar" while the sample is drawn; then the detail
// of 50 draws, "Parar" in the middle of a draw.
void BM_Responsiveness_Simulation(benchmark::State& state, bool detail)
{
    BenchWindow::Dialogs::install();
    for (auto _ : state) {
        resetPeakMemory();
        auto w = mainWindow("RadioButton2", { "25" });
        addRandomTickets(*w, 15, 1000000);
        type(*w, "Edit7", detail ? "50" : "999999999");
        w->findChild<QCheckBox*>(QStringLiteral("CheckBox4"))->setChecked(detail);
        measure(
            state, [&] { click(*w, "Button3"); }, [&] { click(*w, "Button5"); }, 3000);
    }
}

// "&Gerar" with the random generator on Lotomania's defaults, over a closing of 1,000,000
// tickets kept ("Não limpar fechamento ao gerar"), and the full enumeration of Lotofácil's 25
// numbers (3,268,760 lines); "Parar" after three seconds.
void BM_Responsiveness_Generate(benchmark::State& state, bool enumeration)
{
    BenchWindow::Dialogs::install();
    for (auto _ : state) {
        resetPeakMemory();
        auto w = enumeration ? mainWindow("RadioButton2", { "25", "", "15", "15" })
                             : mainWindow("RadioButton1", {});
        if (!enumeration) {
            addRandomTickets(*w, 50, 1000000);
            w->findChild<QCheckBox*>(QStringLiteral("CheckBox6"))->setChecked(true);
        }
        measure(
            state, [&] { click(*w, "Button1"); }, [&] { click(*w, "Button5"); }, 3000);
        state.counters["tickets"] = static_cast<double>(closingOf(*w).size());
    }
}

// "Executar Redução" of the Lotofácil reducer over every Lotofácil ticket, "Parar" after a
// second.
void BM_Responsiveness_Reduction(benchmark::State& state)
{
    BenchWindow::Dialogs::install();
    for (auto _ : state) {
        resetPeakMemory();
        auto w = mainWindow("RadioButton2", { "25" });
        BenchSupport::everyLotofacilTicket(closingOf(*w));
        auto* reducer = w->findChild<LotofacilReducer*>();
        for (QCheckBox* box :
            { reducer->CheckBox7, reducer->CheckBox8, reducer->CheckBox9, reducer->CheckBox13 })
            box->setChecked(true);
        measure(
            state, [&] { reducer->Button17->click(); }, [&] { click(*w, "Button5"); }, 1000);
    }
}

// The pool windows' "Gerar" at their largest: every outcome of every match marked, so each
// result not yet met becomes a ticket of its own; "Parar" after three seconds.
void BM_Responsiveness_Loteca(benchmark::State& state)
{
    BenchWindow::Dialogs::install();
    for (auto _ : state) {
        resetPeakMemory();
        RandomSource::instance().fixSeed(5);
        TFormLoteca window;
        for (int box = 1; box <= 42; ++box)
            window.lotecaBoxes[std::size_t(box)]->setChecked(true);
        window.Edit1->setText(QStringLiteral("0"));
        window.Edit2->setText(QStringLiteral("0"));
        window.Edit11->setText(QStringLiteral("14"));
        measure(
            state, [&] { click(window, "Button1"); }, [&] { click(window, "Button2"); }, 3000);
        state.counters["tickets"] = static_cast<double>(closingOf(window).size());
    }
}

void BM_Responsiveness_Lotogol(benchmark::State& state)
{
    BenchWindow::Dialogs::install();
    for (auto _ : state) {
        resetPeakMemory();
        RandomSource::instance().fixSeed(5);
        TFormGOL window;
        for (int box = 1; box <= 50; ++box)
            window.lotogolBoxes[std::size_t(box)]->setChecked(true);
        window.Edit11->setText(QStringLiteral("10"));
        measure(
            state, [&] { click(window, "Button1"); }, [&] { click(window, "Button2"); }, 3000);
        state.counters["tickets"] = static_cast<double>(closingOf(window).size());
    }
}

const bool registered = [] {
    auto add = [](const char* job, auto&& function) {
        benchmark::RegisterBenchmark((std::string("BM_Responsiveness/") + job).c_str(), function)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    };
    add("optimizer_every_draw", [](benchmark::State& s) { BM_Responsiveness_Optimizer(s, true); });
    add("optimizer_completion", [](benchmark::State& s) { BM_Responsiveness_Optimizer(s, false); });
    add("optimizer_check", BM_Responsiveness_OptimizerCheck);
    add("print", BM_Responsiveness_Print);
    add("margin_completion", BM_Responsiveness_MarginCheck);
    add("simulation_sample", [](benchmark::State& s) { BM_Responsiveness_Simulation(s, false); });
    add("simulation_detail", [](benchmark::State& s) { BM_Responsiveness_Simulation(s, true); });
    add("generator", [](benchmark::State& s) { BM_Responsiveness_Generate(s, false); });
    add("enumeration", [](benchmark::State& s) { BM_Responsiveness_Generate(s, true); });
    add("reduction", BM_Responsiveness_Reduction);
    add("loteca", BM_Responsiveness_Loteca);
    add("lotogol", BM_Responsiveness_Lotogol);
    return true;
}();

} // namespace
