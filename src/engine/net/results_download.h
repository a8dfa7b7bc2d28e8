#pragma once

#include "engine/bet/modality.h"
#include "engine/net/http_client.h"
#include "engine/net/official_results.h"

#include <QString>
#include <QStringList>
#include <functional>

// The download of the contests first..last as "Baixar" makes it, one contest a step: from the
// local cache when it holds the contest, else from the official service or the own site, each
// answer checked before it is cached or taken; it ends at the first contest that cannot be had.
// How a request goes out is the front end's (the window asks for the proxy credentials and lets
// "Parar" through), so the window and the command line share everything else, texts included.
class ResultsDownload
{
public:
    using Request
        = std::function<HttpClient::Result(const QString& address, HttpClient::Options options)>;
    struct Source {
        bool official = true; // "Resultados oficiais (Caixa)", else "Site próprio"
        QString service = QString::fromLatin1(OfficialResults::defaultService);
        QString site;
        // The client's limits, for reading the cache and telling a time-out.
        qint64 maxBodyBytes = HttpClient {}.maxBodyBytes;
        int timeoutMs = HttpClient {}.timeoutMs;
    };
    // One contest's draws, or why there are none.
    struct Obtained {
        QStringList draws;
        QString failure; // the status line, e.g. "Resultado 12 não existe ou erro de conexão."
        bool stopped = false;
        bool ok() const { return !stopped && failure.isEmpty(); }
    };

    static QString reversedRangeText();
    static QString noOfficialResultsText();

    ResultsDownload(Source source, Modality modality, QChar separator, Request request);

    Obtained contest(int number) const;

    // The contests first..last (first <= last), one a call. next() fetches the next one, or
    // ends the download there when a stop was asked for.
    void start(int first, int last);
    Obtained next(bool stopAsked);
    bool finished() const { return finished_; }
    int lastTaken() const { return lastTaken_; } // the last contest obtained
    // The status line once finished: "Tarefa Concluída.", why it ended, or where it stopped.
    QString status() const { return status_; }

    // The official service's latest contest, and the status line that tells it.
    struct Latest {
        OfficialResults::Latest latest;
        bool stopped = false;
        QString status; // "Último concurso da Mega-Sena: 2712."
    };
    Latest latest() const;

private:
    Obtained ownSiteContest(int contest) const;
    Obtained officialContest(int contest) const;

    Source source_;
    Modality modality_;
    QChar separator_;
    Request request_;
    qint64 next_ = 0, last_ = 0; // wide, as the last contest may be INT_MAX
    int lastTaken_ = 0;
    bool finished_ = true;
    QString status_;
};
