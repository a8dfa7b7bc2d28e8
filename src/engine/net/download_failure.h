#pragma once

#include "engine/net/http_client.h"

#include <QString>

// Why a results download ended before its last contest: the contest, what went wrong at the
// request, and the exact reason. Told twice: the status line keeps the exact reason, and a
// player is told in plain words what happened.
struct DownloadFailure {
    // What went wrong, as a player can act on it.
    enum class Kind {
        Refused, // HTTP 403
        NotFound, // HTTP 404, or the own site's "erro"
        ServerError, // any other status
        TimedOut,
        Connection,
        ProxyRefused,
        InvalidAddress,
        BadAnswer, // an answer came, but it is not the contest's result
    };

    int contest = 0;
    bool official = true; // the official service, or the own site
    bool latestLookUp = false; // the look-up of the latest contest, not a contest
    Kind kind = Kind::BadAnswer;
    bool requestFailed = false; // no answer came, or one with an error status
    QString reason; // completes "Resultado 12: ..." (official source only)

    // What a failed request means.
    static Kind kindOf(const HttpClient::Result& failed);
    // "Resultado 12: <reason>.", "Resultado 12 não existe ou erro de conexão." (own site) or
    // "Último concurso: <reason>."
    QString statusLine() const;
    // What happened in a player's words, one or two sentences naming the source.
    QString plainReason() const;
};
