#include "engine/net/results_download.h"

#include "engine/net/http_request.h"
#include "engine/net/official_results.h"
#include "engine/net/result_files.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <algorithm>
#include <limits>

namespace {

// Cached contests are read for this long before the event loop gets its turn, so that a window
// stays responsive and a stop gets through.
constexpr qint64 sliceMs = 15;

// Written beside the file and renamed, so that a cache file is whole or missing, but not forced
// to the disk as QSaveFile does: that takes longer than several answers of the service, and a
// file that a power cut leaves short no longer reads as its contest, which is then fetched anew.
// False when the file could not be written.
bool keep(const QString& path, const QByteArray& body)
{
    const QString part = path + QStringLiteral(".part");
    QFile file(part);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(body) == body.size() && file.flush();
    file.close();
    QFile::remove(path);
    if (written && QFile::rename(part, path)) return true;
    QFile::remove(part);
    return false;
}

} // namespace

using Kind = DownloadFailure::Kind;

ResultsDownload::ResultsDownload(const HttpClient& client, QObject* parent)
    : QObject(parent)
    , client_(client)
{
    stopPoll_.setInterval(15);
    connect(&stopPoll_, &QTimer::timeout, this, [this] {
        if (stopRequested && stopRequested()) stop();
    });
}

ResultsDownload::~ResultsDownload()
{
    // Before the manager goes, so that each request takes its reply with it.
    abandonAfter(std::numeric_limits<qint64>::min());
}

void ResultsDownload::start(Modality m, int first, int last)
{
    begin(m, first, last, false);
}

void ResultsDownload::startLatest(Modality m)
{
    begin(m, 0, 0, true);
}

void ResultsDownload::begin(Modality m, qint64 first, qint64 last, bool latestLookUp)
{
    if (running_) return;
    modality_ = m;
    latestLookUp_ = latestLookUp;
    first_ = nextToAsk_ = nextToAdd_ = first;
    last_ = last;
    arrived_.clear();
    timedOutOnce_.clear();
    timeOutsInARow_ = 0;
    failure_.reset();
    serviceSilent_.reset();
    draws_.clear();
    latest_ = 0;
    stopped_ = requested_ = notKept_ = false;
    // A manager per download: it must not reuse proxy credentials of an earlier one, as a
    // cleared password has to make the proxy refuse the next request. The old one may still
    // be telling its last reply's end.
    if (manager_) manager_.release()->deleteLater();
    manager_ = std::make_unique<QNetworkAccessManager>();
    // A cache that cannot be made shows in resultsNotKept(), with the first result it loses.
    if (!latestLookUp) ResultFiles::prepareCache();
    running_ = true;
    clock_.start();
    stopPoll_.start();
    queueStep();
}

void ResultsDownload::stop()
{
    if (!running_) return;
    stopped_ = true;
    abandonAfter(std::numeric_limits<qint64>::min());
    queueStep();
}

void ResultsDownload::waitForFinished()
{
    if (!running_) return;
    QEventLoop loop;
    connect(this, &ResultsDownload::finished, &loop, &QEventLoop::quit);
    loop.exec();
}

ResultsDownload::Progress ResultsDownload::progress() const
{
    Progress progress;
    progress.done = contestsAdded();
    progress.total = latestLookUp_ ? 0 : last_ - first_ + 1;
    // Sooner than this the pace says little.
    const qint64 elapsed = clock_.isValid() ? clock_.elapsed() : 0;
    if (progress.done > 0 && elapsed >= 1000)
        progress.msLeft = elapsed * (progress.total - progress.done) / progress.done;
    return progress;
}

void ResultsDownload::queueStep()
{
    if (stepQueued_) return;
    stepQueued_ = true;
    QTimer::singleShot(0, this, &ResultsDownload::step);
}

// Every decision is taken here: what is handed over, whether the download has ended and what
// is asked next. The events (a start, an answer, a stop) only change the state and come here.
void ResultsDownload::step()
{
    stepQueued_ = false;
    if (!running_) return;
    if (stopRequested && stopRequested()) stopped_ = true;
    if (latestLookUp_) {
        if (stopped_ || latest_ > 0 || failure_)
            finish();
        else if (!requested_)
            send(0);
        return;
    }
    QElapsedTimer slice;
    slice.start();
    for (;;) {
        while (!stopped_ && !arrived_.empty() && arrived_.begin()->first == nextToAdd_) {
            const auto obtained = arrived_.extract(arrived_.begin());
            draws_ += obtained.mapped();
            ++nextToAdd_;
            emit contestAdded(static_cast<int>(obtained.key()), obtained.mapped());
            if (!running_) return; // a receiver ran the event loop, and it ended there
        }
        // The service has gone silent: every request under way would wait as long, so the
        // download ends at the first contest it does not have.
        if (serviceSilent_ && !stopped_ && (!failure_ || failure_->contest > nextToAdd_))
            fail(nextToAdd_, Kind::TimedOut, true,
                OfficialResults::requestFailure(*serviceSilent_, client_.timeoutMs));
        if (stopped_ || nextToAdd_ > last_ || (failure_ && failure_->contest == nextToAdd_)) {
            finish();
            return;
        }
        if (!askNext() || !running_) return; // waiting for answers
        if (slice.elapsed() >= sliceMs) {
            queueStep();
            return;
        }
    }
}

bool ResultsDownload::askNext()
{
    const qint64 end = failure_ ? failure_->contest - 1 : last_;
    const int atOnce = official ? std::max(1, requestsAtOnce) : 1;
    if (nextToAsk_ > end || static_cast<int>(inFlight_.size()) >= atOnce) return false;
    const qint64 contest = nextToAsk_++;
    if (std::optional<QStringList> cached = readCache(contest))
        arrived_[contest] = std::move(*cached);
    else
        send(contest);
    return true;
}

std::optional<QStringList> ResultsDownload::readCache(qint64 contest) const
{
    const int number = static_cast<int>(contest);
    if (!official) {
        const std::optional<QString> draw
            = ResultFiles::readCached(ResultFiles::cachePath(modality_, number), modality_);
        if (!draw) return std::nullopt;
        return QStringList { *draw };
    }
    // The cache holds the answer as the service gave it, read again like a new one; a file
    // that no longer reads as the contest is fetched anew.
    QFile cached(OfficialResults::cachePath(modality_, number));
    if (!cached.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray body = cached.read(client_.maxBodyBytes + 1);
    if (body.size() > client_.maxBodyBytes) return std::nullopt;
    OfficialResults::Contest read
        = OfficialResults::readContest(body, modality_, number, separator);
    if (!read.ok()) return std::nullopt;
    return std::move(read.draws);
}

void ResultsDownload::send(qint64 contest)
{
    if (!requested_) {
        requested_ = true;
        if (beforeFirstRequest) beforeFirstRequest();
        // The hook may have let the event loop run, and a stop through.
        if (!running_ || stopped_) return;
        client_.configure(*manager_);
    }
    const int number = static_cast<int>(contest);
    const QString target = latestLookUp_ ? OfficialResults::latestAddress(address, modality_)
        : official ? OfficialResults::contestAddress(address, modality_, number)
                   : ResultFiles::resultAddress(address, modality_, number);
    auto* request = new HttpRequest(*manager_, client_, target,
        official ? OfficialResults::requestOptions() : HttpClient::Options {}, this);
    connect(request, &HttpRequest::finished, this,
        [this, contest, request] { answered(contest, request); });
    inFlight_[contest] = request;
}

void ResultsDownload::answered(qint64 contest, HttpRequest* request)
{
    const auto found = inFlight_.find(contest);
    if (found == inFlight_.end() || found->second != request) return;
    inFlight_.erase(found);
    request->deleteLater(); // it is still telling of its end
    // An answer that comes once a stop is asked for is not kept, even before the poll sees it.
    if (stopRequested && stopRequested()) {
        stop();
        return;
    }
    if (latestLookUp_)
        latestAnswered(request->result());
    else
        contestAnswered(contest, request->result());
    step();
}

void ResultsDownload::latestAnswered(const HttpClient::Result& result)
{
    if (!result.ok) {
        fail(0, DownloadFailure::kindOf(result), true,
            OfficialResults::requestFailure(result, client_.timeoutMs));
        return;
    }
    const OfficialResults::Latest latest = OfficialResults::readLatest(result.body);
    if (latest.ok())
        latest_ = latest.contest;
    else
        fail(0, Kind::BadAnswer, false, latest.reason);
}

void ResultsDownload::contestAnswered(qint64 contest, const HttpClient::Result& result)
{
    if (result.failure == HttpClient::Failure::TimedOut) {
        timedOut(contest, result);
        return;
    }
    timeOutsInARow_ = 0;
    const int number = static_cast<int>(contest);
    if (!official) {
        const std::optional<QString> draw = ResultFiles::drawFromBody(
            result.ok ? result.body : QByteArray(ResultFiles::noResult), modality_);
        if (!draw) {
            const bool noResult = result.body.trimmed() == ResultFiles::noResult;
            fail(contest,
                !result.ok     ? DownloadFailure::kindOf(result)
                    : noResult ? Kind::NotFound
                               : Kind::BadAnswer,
                !result.ok, {});
            return;
        }
        // A cache that cannot be written only costs a fetch later.
        notKept_ |= !ResultFiles::writeCached(ResultFiles::cachePath(modality_, number), *draw);
        arrived_[contest] = QStringList { *draw };
        return;
    }
    if (!result.ok) {
        fail(contest, DownloadFailure::kindOf(result), true,
            OfficialResults::requestFailure(result, client_.timeoutMs));
        return;
    }
    OfficialResults::Contest read
        = OfficialResults::readContest(result.body, modality_, number, separator);
    if (!read.ok()) {
        fail(contest, Kind::BadAnswer, false, read.reason);
        return;
    }
    notKept_ |= !keep(OfficialResults::cachePath(modality_, number), result.body);
    arrived_[contest] = std::move(read.draws);
}

void ResultsDownload::timedOut(qint64 contest, const HttpClient::Result& result)
{
    // The official service is slow at times, so a contest is asked once more; but two
    // time-outs in a row, of any contests, mean that it no longer answers.
    if (++timeOutsInARow_ >= 2) {
        serviceSilent_ = result;
        return;
    }
    if (official && timedOutOnce_.insert(contest).second) {
        send(contest);
        return;
    }
    fail(contest, Kind::TimedOut, true, OfficialResults::requestFailure(result, client_.timeoutMs));
}

void ResultsDownload::fail(qint64 contest, Kind kind, bool requestFailed, QString reason)
{
    if (failure_ && failure_->contest <= contest) return;
    failure_ = DownloadFailure { static_cast<int>(contest), official, latestLookUp_, kind,
        requestFailed, std::move(reason) };
    abandonAfter(contest);
}

void ResultsDownload::abandonAfter(qint64 contest)
{
    for (auto next = inFlight_.upper_bound(contest); next != inFlight_.end();
         next = inFlight_.erase(next))
        delete next->second;
}

void ResultsDownload::finish()
{
    if (!running_) return;
    running_ = false;
    stopPoll_.stop();
    abandonAfter(std::numeric_limits<qint64>::min());
    arrived_.clear();
    // A stop ends the download wherever it is, whatever had failed beyond it.
    if (stopped_) failure_.reset();
    emit finished();
}

QString ResultsDownload::notKeptNote() const
{
    if (!notKept_) return {};
    return QStringLiteral(" Não foi possível guardar os resultados em %1.")
        .arg(QDir::toNativeSeparators(ResultFiles::cacheFolderPath()));
}
