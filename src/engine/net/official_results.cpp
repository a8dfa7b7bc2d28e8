#include "engine/net/official_results.h"

#include "engine/generate/line_format.h"
#include "engine/generate/ticket_mask.h"
#include "engine/net/result_files.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

// The build passes the project's version; a build by other means still names the program.
#ifndef QUIRVA_VERSION
#define QUIRVA_VERSION "1.0"
#endif

namespace OfficialResults {

QString lotteryName(Modality m)
{
    switch (m) {
    case Modality::Lotomania:
        return QStringLiteral("lotomania");
    case Modality::Lotofacil:
        return QStringLiteral("lotofacil");
    case Modality::MegaSena:
        return QStringLiteral("megasena");
    case Modality::DuplaSena:
        return QStringLiteral("duplasena");
    case Modality::Quina:
        return QStringLiteral("quina");
    case Modality::Outros:
        break;
    }
    return {};
}

QString latestAddress(const QString& service, Modality m)
{
    QString base = service.trimmed();
    while (base.endsWith(u'/'))
        base.chop(1);
    return base + u'/' + lotteryName(m);
}

QString contestAddress(const QString& service, Modality m, int contest)
{
    return latestAddress(service, m) + u'/' + QString::number(contest);
}

QString cachePath(Modality m, int contest)
{
    const QString folder = ResultFiles::cacheFolderPath();
    if (folder.isEmpty()) return {};
    return folder + u'/' + lotteryName(m) + u'_' + QString::number(contest)
        + QStringLiteral(".json");
}

namespace {

QString modalityName(Modality m)
{
    return QString::fromUtf8(modalityDefaults(m).name);
}

// A value of the answer as the user may be shown it: short and printable, whatever came.
QString shown(const QJsonValue& value)
{
    QString text;
    if (value.isString()) {
        text = value.toString();
    } else if (value.isDouble()) {
        text = QString::number(value.toDouble(), 'g', 12);
    } else {
        text = QString::fromLatin1(
            QJsonDocument(QJsonArray { value }).toJson(QJsonDocument::Compact));
        text = text.mid(1, text.size() - 2);
    }
    const bool cut = text.size() > 12;
    text.truncate(12);
    for (QChar& c : text)
        if (!c.isPrint()) c = u'?';
    return cut ? text + QStringLiteral("...") : text;
}

// The number a list item stands for (digit strings or JSON numbers), before any range check;
// nullopt for anything else.
std::optional<int> itemNumber(const QJsonValue& item)
{
    if (item.isString()) {
        const QString text = item.toString();
        if (text.isEmpty() || text.size() > 3) return std::nullopt;
        int n = 0;
        for (QChar c : text) {
            if (c < u'0' || c > u'9') return std::nullopt;
            n = n * 10 + (c.unicode() - u'0');
        }
        return n;
    }
    if (item.isDouble()) {
        const double d = item.toDouble();
        if (!(d >= 0 && d <= 999) || d != std::floor(d)) return std::nullopt;
        return static_cast<int>(d);
    }
    return std::nullopt;
}

// One list of drawn numbers as a draw line, or an empty line and the reason.
QString readDraw(const QJsonValue& list, Modality m, QChar separator, QString& reason)
{
    const ModalityDefaults& d = modalityDefaults(m);
    if (!list.isArray()) {
        reason = QStringLiteral("a resposta do serviço oficial não traz as dezenas sorteadas");
        return {};
    }
    const QJsonArray items = list.toArray();
    if (items.size() != d.D) {
        reason = QStringLiteral("o serviço oficial informou %1 dezenas, mas a %2 sorteia %3")
                     .arg(items.size())
                     .arg(modalityName(m))
                     .arg(d.D);
        return {};
    }
    TicketMask draw;
    for (const QJsonValue& item : items) {
        const std::optional<int> read = itemNumber(item);
        if (!read) {
            reason
                = QStringLiteral("a dezena \"%1\" da resposta do serviço oficial não é um número")
                      .arg(shown(item));
            return {};
        }
        // Lotomania writes its hundredth number as "00".
        const int n = (m == Modality::Lotomania && *read == 0) ? 100 : *read;
        if (n < 1 || n > d.U) {
            reason = QStringLiteral("a dezena %1 está fora do volante da %2 (01 a %3)")
                         .arg(shown(item), modalityName(m), LineFormat::numberText(d.U));
            return {};
        }
        if (draw.has(n)) {
            reason = QStringLiteral("a dezena %1 aparece duas vezes na resposta do serviço oficial")
                         .arg(LineFormat::numberText(n));
            return {};
        }
        draw.add(n);
    }
    return LineFormat::maskLine(draw, separator);
}

// The answer's JSON object, or nullopt when the bytes are not one.
std::optional<QJsonObject> answerObject(const QByteArray& body)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) return std::nullopt;
    return document.object();
}

// "numero" as a contest number, or nullopt when it is missing or not a positive integer.
std::optional<int> contestNumber(const QJsonObject& answer)
{
    const QJsonValue value = answer.value(QLatin1String("numero"));
    if (!value.isDouble()) return std::nullopt;
    const double d = value.toDouble();
    if (!(d >= 1 && d <= std::numeric_limits<int>::max()) || d != std::floor(d))
        return std::nullopt;
    return static_cast<int>(d);
}

const char* notJson = "a resposta do serviço oficial não é o JSON esperado";
const char* noNumber = "a resposta do serviço oficial não traz o número do concurso";

// The answer's object and its contest number; nullopt, with the reason set, when either is
// missing.
std::optional<std::pair<QJsonObject, int>> numberedAnswer(const QByteArray& body, QString& reason)
{
    const std::optional<QJsonObject> answer = answerObject(body);
    if (!answer) {
        reason = QString::fromUtf8(notJson);
        return std::nullopt;
    }
    const std::optional<int> number = contestNumber(*answer);
    if (!number) {
        reason = QString::fromUtf8(noNumber);
        return std::nullopt;
    }
    return std::pair { *answer, *number };
}

} // namespace

Contest readContest(const QByteArray& body, Modality m, int contest, QChar separator) noexcept
{
    Contest result;
    try {
        if (m == Modality::Outros) {
            result.reason = QStringLiteral("a modalidade Outros não tem resultados oficiais");
            return result;
        }
        const auto answer = numberedAnswer(body, result.reason);
        if (!answer) return result;
        const auto& [object, number] = *answer;
        if (number != contest) {
            result.reason
                = QStringLiteral("o serviço oficial respondeu com o concurso %1").arg(number);
            return result;
        }
        const QString first
            = readDraw(object.value(QLatin1String("listaDezenas")), m, separator, result.reason);
        if (!result.reason.isEmpty()) return result;
        result.draws << first;
        if (m == Modality::DuplaSena) {
            const QJsonValue list = object.value(QLatin1String("listaDezenasSegundoSorteio"));
            if (!list.isArray()) {
                result.reason
                    = QStringLiteral("a resposta do serviço oficial não traz o segundo sorteio");
            } else {
                QString reason;
                const QString second = readDraw(list, m, separator, reason);
                if (reason.isEmpty())
                    result.draws << second;
                else
                    result.reason = QStringLiteral("no segundo sorteio, ") + reason;
            }
        }
    } catch (...) {
        result.reason = QString::fromUtf8(notJson);
    }
    if (!result.ok()) result.draws.clear();
    return result;
}

Latest readLatest(const QByteArray& body) noexcept
{
    Latest result;
    try {
        if (const auto answer = numberedAnswer(body, result.reason))
            result.contest = answer->second;
    } catch (...) {
        result.contest = 0;
        result.reason = QString::fromUtf8(notJson);
    }
    return result;
}

QString requestFailure(const HttpClient::Result& result, int timeoutMs)
{
    using Failure = HttpClient::Failure;
    switch (result.failure) {
    case Failure::None:
        return {};
    case Failure::InvalidAddress:
        return QStringLiteral("o endereço do serviço oficial é inválido");
    case Failure::Connection:
        return QStringLiteral("não foi possível conectar ao serviço oficial");
    case Failure::ProxyRefused:
        return QStringLiteral("o proxy recusou o acesso (confira a chave e a senha)");
    case Failure::TimedOut: {
        const int seconds = std::max(1, (timeoutMs + 500) / 1000);
        return QStringLiteral("o serviço oficial não respondeu em %1 %2")
            .arg(seconds)
            .arg(seconds == 1 ? QStringLiteral("segundo") : QStringLiteral("segundos"));
    }
    case Failure::TooLarge:
        return QStringLiteral("a resposta do serviço oficial é grande demais para um resultado");
    case Failure::Stopped:
        return QStringLiteral("o pedido foi interrompido");
    case Failure::Status:
        break;
    }
    if (result.status == 403)
        return QStringLiteral("o serviço oficial recusou o pedido (HTTP 403)");
    if (result.status == 404)
        return QStringLiteral("o serviço oficial não tem esse concurso (HTTP 404)");
    return QStringLiteral("o serviço oficial respondeu com erro (HTTP %1)").arg(result.status);
}

HttpClient::Options requestOptions()
{
    HttpClient::Options options;
    options.accept = "application/json";
    options.userAgent = "QUIRVA/" QUIRVA_VERSION;
    return options;
}

} // namespace OfficialResults
