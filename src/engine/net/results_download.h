#pragma once

#include "engine/bet/modality.h"
#include "engine/net/download_failure.h"
#include "engine/net/http_client.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>

class HttpRequest;
class QNetworkAccessManager;

// Downloads the results of contests first..last of a lottery and hands them over in contest
// order: from the official service several requests at once, from an own site one at a time,
// each contest read from the cache when it is there and cached when it comes. The download
// ends at the first contest that cannot be obtained, keeping every earlier one; answers for
// later contests that came already are cached but not handed over. It runs on the event loop
// of its thread (a window's or a QCoreApplication's): start it, then either wait for
// finished() or call waitForFinished().
class ResultsDownload : public QObject
{
    Q_OBJECT
public:
    struct Progress {
        qint64 done = 0; // contests handed over
        qint64 total = 0; // contests in the range
        qint64 msLeft = -1; // estimated from the pace so far; -1 until there is one
    };

    // The client gives the proxy (read when the first request goes out), the time-out and the
    // size limit of a request.
    explicit ResultsDownload(const HttpClient& client, QObject* parent = nullptr);
    ~ResultsDownload() override;

    // Read while a download runs; not to be changed until it has finished.
    bool official = true; // the official service, or an own site
    QString address; // the service's base address or the own site's
    int requestsAtOnce = 4; // official service only; an own site is asked one at a time
    QChar separator = u' '; // of the draw lines built from the service's answers
    // Called before the first request of a download goes out (and not at all when the cache
    // holds every contest), e.g. to ask for the proxy password.
    std::function<void()> beforeFirstRequest;
    // Polled while the download runs; true stops it as stop() does.
    std::function<bool()> stopRequested;

    void start(Modality m, int first, int last);
    // Asks the official service for its latest contest, found in latest() when it ends well.
    void startLatest(Modality m);
    // Abandons the requests under way at once and ends the download; nothing that comes after
    // is kept. finished() follows from the event loop.
    void stop();
    bool isRunning() const { return running_; }
    // Runs a local event loop that lets every event through until the download has finished.
    void waitForFinished();

    // What the download brought: the draw lines in contest order (Dupla-Sena adds two per
    // contest), the contests they came from and how it ended.
    const QStringList& draws() const { return draws_; }
    qint64 contestsAdded() const { return nextToAdd_ - first_; }
    int latest() const { return latest_; }
    bool wasStopped() const { return stopped_; }
    // The contest it ended at without having it: the one stopped at or the one that failed.
    qint64 endedAt() const { return nextToAdd_; }
    const std::optional<DownloadFailure>& failure() const { return failure_; }
    // Whether some result fetched could not be written to the cache.
    bool resultsNotKept() const { return notKept_; }
    // What a status line adds when results were not kept (empty when they were).
    QString notKeptNote() const;
    Progress progress() const;

signals:
    // A contest obtained, in contest order; progress() counts it already.
    void contestAdded(int contest, const QStringList& draws);
    void finished();

private:
    void begin(Modality m, qint64 first, qint64 last, bool latestLookUp);
    void step();
    void queueStep();
    bool askNext();
    std::optional<QStringList> readCache(qint64 contest) const;
    void send(qint64 contest);
    void answered(qint64 contest, HttpRequest* request);
    void contestAnswered(qint64 contest, const HttpClient::Result& result);
    void latestAnswered(const HttpClient::Result& result);
    void timedOut(qint64 contest, const HttpClient::Result& result);
    void fail(qint64 contest, DownloadFailure::Kind kind, bool requestFailed, QString reason);
    // Drops the requests under way for the contests after this one; nothing of them is kept.
    void abandonAfter(qint64 contest);
    void finish();

    const HttpClient& client_;
    std::unique_ptr<QNetworkAccessManager> manager_;
    Modality modality_ = Modality::MegaSena;
    bool latestLookUp_ = false;
    bool running_ = false, stopped_ = false, stepQueued_ = false, requested_ = false;
    bool notKept_ = false;
    // Contests are asked from nextToAsk_ on and handed over from nextToAdd_ on; 64 bits, as
    // the range may end at the largest int.
    qint64 first_ = 0, last_ = -1, nextToAsk_ = 0, nextToAdd_ = 0;
    std::map<qint64, HttpRequest*> inFlight_; // children of this download
    std::map<qint64, QStringList> arrived_; // obtained, waiting for the contests before them
    std::set<qint64> timedOutOnce_; // asked again after a time-out
    int timeOutsInARow_ = 0;
    std::optional<DownloadFailure> failure_; // the lowest contest that failed so far
    std::optional<HttpClient::Result> serviceSilent_; // two time-outs in a row: end at once
    QStringList draws_;
    int latest_ = 0;
    QElapsedTimer clock_;
    QTimer stopPoll_;
};
