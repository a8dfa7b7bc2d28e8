#pragma once

#include "engine/bet/modality.h"
#include "engine/net/http_client.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The lottery operator's public results service: its addresses, the local cache of its answers
// and what an answer says. No network and no files here; the readers take any bytes and never
// throw, as the bytes come from outside.
namespace OfficialResults {

// The service's base address; the settings file may name another one (for tests against a
// local imitation), and the settings tab then says so.
inline constexpr const char* defaultService
    = "https://servicebus2.caixa.gov.br/portaldeloterias/api";

// The service's name of a lottery ("megasena"); empty for Outros, which it does not know.
QString lotteryName(Modality m);
// service + "/" + lottery + "/" + contest; blanks and a trailing slash of the base are dropped.
QString contestAddress(const QString& service, Modality m, int contest);
// service + "/" + lottery: the service answers with its latest contest.
QString latestAddress(const QString& service, Modality m);
// <cache folder>/megasena_1234.json: the answer as the service gave it, apart from the own
// site's "MS_1234.txt" files (result_files.h); empty when there is no cache folder.
QString cachePath(Modality m, int contest);

// One contest's answer read: its draws, or why it is not the contest asked for.
struct Contest {
    QStringList draws; // in the draws area's layout; Dupla-Sena's first draw, then its second
    QString reason; // completes "Resultado 12: ..."; empty when the draws are there
    bool ok() const { return reason.isEmpty(); }
};

// Reads an answer: a JSON object whose "numero" is the contest asked for and whose
// "listaDezenas" (and for Dupla-Sena "listaDezenasSegundoSorteio") holds exactly D distinct
// numbers within 1..U, as digit strings or JSON numbers; "00" (or 0) is 100 in Lotomania.
// The lines are built with the separator given.
Contest readContest(const QByteArray& body, Modality m, int contest, QChar separator) noexcept;

// The latest contest's answer read: its number, or why there is none.
struct Latest {
    int contest = 0;
    QString reason; // completes "Último concurso: ..."; empty when contest is set
    bool ok() const { return reason.isEmpty(); }
};
Latest readLatest(const QByteArray& body) noexcept;

// A failed request told in the user's terms, completing "Resultado 12: ...".
QString requestFailure(const HttpClient::Result& result, int timeoutMs);

// The request headers that name the program to the service.
HttpClient::Options requestOptions();

} // namespace OfficialResults
