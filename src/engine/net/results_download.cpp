#include "engine/net/results_download.h"

#include "engine/net/result_files.h"

#include <QFile>
#include <QSaveFile>

QString ResultsDownload::reversedRangeText()
{
    return QStringLiteral("O DE tem que ser menor ou igual a A para poder baixar os resultados.");
}

QString ResultsDownload::noOfficialResultsText()
{
    return QStringLiteral("A modalidade Outros não tem resultados oficiais.");
}

ResultsDownload::ResultsDownload(Source source, Modality modality, QChar separator, Request request)
    : source_(std::move(source))
    , modality_(modality)
    , separator_(separator)
    , request_(std::move(request))
{
}

ResultsDownload::Obtained ResultsDownload::contest(int number) const
{
    return source_.official ? officialContest(number) : ownSiteContest(number);
}

void ResultsDownload::start(int first, int last)
{
    next_ = first;
    last_ = last;
    finished_ = false;
    status_.clear();
}

ResultsDownload::Obtained ResultsDownload::next(bool stopAsked)
{
    const int number = static_cast<int>(next_);
    Obtained obtained;
    obtained.stopped = stopAsked;
    if (!stopAsked) obtained = contest(number);
    if (obtained.stopped) {
        status_ = QStringLiteral("Download interrompido no resultado ") + QString::number(number)
            + u'.';
        finished_ = true;
    } else if (!obtained.failure.isEmpty()) {
        status_ = obtained.failure;
        finished_ = true;
    } else {
        lastTaken_ = number;
        if (++next_ > last_) {
            status_ = QStringLiteral("Tarefa Concluída.");
            finished_ = true;
        }
    }
    return obtained;
}

ResultsDownload::Obtained ResultsDownload::ownSiteContest(int contest) const
{
    Obtained obtained;
    const QString path = ResultFiles::cachePath(modality_, contest);
    std::optional<QString> draw = ResultFiles::readCached(path, modality_);
    if (!draw) {
        const HttpClient::Result result = request_(
            ResultFiles::resultAddress(source_.site, modality_, contest), HttpClient::Options {});
        if (result.failure == HttpClient::Failure::Stopped) {
            obtained.stopped = true;
            return obtained;
        }
        draw = ResultFiles::drawFromBody(
            result.ok ? result.body : QByteArray(ResultFiles::noResult), modality_);
        // A cache that cannot be written only costs a fetch later.
        if (draw) ResultFiles::writeCached(path, *draw);
    }
    if (draw)
        obtained.draws << *draw;
    else
        obtained.failure = QStringLiteral("Resultado ") + QString::number(contest)
            + QStringLiteral(" não existe ou erro de conexão.");
    return obtained;
}

ResultsDownload::Obtained ResultsDownload::officialContest(int contest) const
{
    Obtained obtained;
    const auto failed = [&](const QString& reason) {
        obtained.failure = QStringLiteral("Resultado %1: %2.").arg(contest).arg(reason);
        return obtained;
    };
    // The cache holds the answer as the service gave it, read again like a new one; a file
    // that no longer reads as the contest is fetched anew.
    const QString path = OfficialResults::cachePath(modality_, contest);
    QFile cached(path);
    if (cached.open(QIODevice::ReadOnly)) {
        const QByteArray body = cached.read(source_.maxBodyBytes + 1);
        if (body.size() <= source_.maxBodyBytes) {
            const OfficialResults::Contest read
                = OfficialResults::readContest(body, modality_, contest, separator_);
            if (read.ok()) {
                obtained.draws = read.draws;
                return obtained;
            }
        }
        cached.close();
    }

    const HttpClient::Result result
        = request_(OfficialResults::contestAddress(source_.service, modality_, contest),
            OfficialResults::requestOptions());
    if (result.failure == HttpClient::Failure::Stopped) {
        obtained.stopped = true;
        return obtained;
    }
    if (!result.ok) return failed(OfficialResults::requestFailure(result, source_.timeoutMs));
    const OfficialResults::Contest read
        = OfficialResults::readContest(result.body, modality_, contest, separator_);
    if (!read.ok()) return failed(read.reason);

    // Written whole or not at all; a cache that cannot be written only costs a fetch later.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(result.body);
        file.commit();
    }
    obtained.draws = read.draws;
    return obtained;
}

ResultsDownload::Latest ResultsDownload::latest() const
{
    Latest answer;
    const HttpClient::Result result
        = request_(OfficialResults::latestAddress(source_.service, modality_),
            OfficialResults::requestOptions());
    if (result.failure == HttpClient::Failure::Stopped) {
        answer.stopped = true;
        answer.status = QStringLiteral("Consulta do último concurso interrompida.");
        return answer;
    }
    answer.latest = result.ok
        ? OfficialResults::readLatest(result.body)
        : OfficialResults::Latest { 0, OfficialResults::requestFailure(result, source_.timeoutMs) };
    answer.status = answer.latest.ok()
        ? QStringLiteral("Último concurso da %1: %2.")
              .arg(QString::fromUtf8(modalityDefaults(modality_).name))
              .arg(answer.latest.contest)
        : QStringLiteral("Último concurso: ") + answer.latest.reason + u'.';
    return answer;
}
