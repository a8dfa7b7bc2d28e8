#include "../tests/net/official_service_imitation.h"

#include "engine/base/data_folder.h"
#include "app/tform1.h"
#include "engine/net/http_client.h"
#include "engine/net/results_download.h"
#include "net/net_panel.h"
#include "ui/line_view.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// "Baixar" of 100 Mega-Sena contests from an imitation of the official service on loopback,
// into an empty cache each time: 100 requests, answers read, cache files written, draws shown.
static void BM_DownloadOfficial100(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    DataFolder::setPath(dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.filePath("settings"));
    LoopbackHttpServer service(OfficialServiceImitation::service(100));
    QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("QUIRVA"))
        .setValue(QStringLiteral("Site_Oficial"), service.address() + "/api");

    TForm1 form;
    form.FormCreate();
    NetPanel* net = form.findChild<NetPanel*>(QStringLiteral("NetPanel"));
    form.findChild<QRadioButton*>(QStringLiteral("RadioButton3"))->click();
    net->Edit83->setText(QStringLiteral("1"));
    net->Edit84->setText(QStringLiteral("100"));
    for (auto _ : state) {
        state.PauseTiming();
        QDir(dir.filePath("Quirva_Results")).removeRecursively();
        service.requests.clear();
        state.ResumeTiming();
        net->Button21->click();
        if (form.findChild<LineView*>(QStringLiteral("Memo2"))->store().size() != 100
            || service.requests.size() != 100) {
            state.SkipWithError("the download did not bring 100 contests");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * 100);
    QDir::setCurrent(previous);
    DataFolder::setPath({});
}
BENCHMARK(BM_DownloadOfficial100)->Unit(benchmark::kMillisecond);

// The whole history of a lottery as a player fetches it: 1,000 Mega-Sena contests from the
// imitation answering each after 100 ms, into an empty cache, with the requests at once of the
// program (4) and one at a time (1) in the same run.
static void BM_DownloadHistory(benchmark::State& state)
{
    constexpr int contests = 1000;
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    LoopbackHttpServer service([](const LoopbackHttpServer::Request& r) {
        LoopbackHttpServer::Response response = OfficialServiceImitation::service(contests)(r);
        response.delayMs = 100;
        return response;
    });
    HttpClient client;
    ResultsDownload download(client);
    download.address = service.address() + "/api";
    download.requestsAtOnce = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        QDir(dir.filePath("Quirva_Results")).removeRecursively();
        service.requests.clear();
        state.ResumeTiming();
        download.start(Modality::MegaSena, 1, contests);
        download.waitForFinished();
        if (download.contestsAdded() != contests || service.requests.size() != contests) {
            state.SkipWithError("the download did not bring every contest");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * contests);
    QDir::setCurrent(previous);
}
BENCHMARK(BM_DownloadHistory)
    ->ArgName("requests_at_once")
    ->Arg(4)
    ->Arg(1)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);
