#pragma once

#include "loopback_http_server.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <algorithm>
#include <map>
#include <vector>

// An imitation of the official results service for the download tests and the benchmarks:
// GET /api/<lottery>/<contest> answers with one contest's JSON, shaped like the service's;
// GET /api/<lottery> with the latest contest. Needs nothing of Qt Test.
namespace OfficialServiceImitation {

inline QJsonArray texts(const QStringList& numbers)
{
    QJsonArray array;
    for (const QString& n : numbers)
        array.append(n);
    return array;
}

// One contest's answer. The order drawn is made up (the list reversed): the program must read
// the ascending list, not this one.
inline QByteArray answer(
    int numero, const QJsonArray& dezenas, const QJsonValue& second = QJsonValue::Null)
{
    QJsonArray drawnOrder;
    for (qsizetype i = dezenas.size() - 1; i >= 0; --i)
        drawnOrder.append(dezenas[i]);
    QJsonObject prize { { "descricaoFaixa", "6 acertos" }, { "faixa", 1 },
        { "numeroDeGanhadores", 0 }, { "valorPremio", 0.0 } };
    QJsonObject o { { "acumulado", true }, { "dataApuracao", "04/05/2024" },
        { "dezenasSorteadasOrdemSorteio", drawnOrder }, { "listaDezenas", dezenas },
        { "listaDezenasSegundoSorteio", second }, { "listaRateioPremio", QJsonArray { prize } },
        { "numero", numero }, { "numeroConcursoAnterior", numero - 1 },
        { "numeroConcursoProximo", numero + 1 }, { "tipoJogo", "MEGA_SENA" } };
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

// The numbers a lottery of U numbers, D drawn, "draws" in a contest: spread over the range,
// ascending as the service lists them, "00" for Lotomania's 100.
inline QStringList drawOf(int U, int D, int contest, int shift = 0)
{
    std::vector<int> numbers;
    for (int j = 0; j < D; ++j)
        numbers.push_back((contest + shift + 3 * j) % U + 1);
    std::sort(numbers.begin(), numbers.end(), [](int a, int b) { return a % 100 < b % 100; });
    QStringList list;
    for (int n : numbers)
        list << QStringLiteral("%1").arg(n % 100, 2, 10, QChar(u'0'));
    return list;
}

struct Lottery {
    int U, D;
    bool secondDraw;
};

inline const std::map<QByteArray, Lottery>& lotteries()
{
    static const std::map<QByteArray, Lottery> table { { "lotomania", { 100, 20, false } },
        { "lotofacil", { 25, 15, false } }, { "megasena", { 60, 6, false } },
        { "duplasena", { 50, 6, true } }, { "quina", { 80, 5, false } } };
    return table;
}

// The service with contests 1..latest of every lottery; anything else is 404.
inline LoopbackHttpServer::Handler service(int latest)
{
    return [latest](const LoopbackHttpServer::Request& r) -> LoopbackHttpServer::Response {
        const QList<QByteArray> parts = r.target.split('/'); // "", "api", lottery[, contest]
        if (parts.size() < 3 || parts.size() > 4 || parts[1] != "api")
            return { 404, "Not Found", "{}" };
        const auto lottery = lotteries().find(parts[2]);
        if (lottery == lotteries().end()) return { 404, "Not Found", "{}" };
        bool isNumber = true;
        const int contest = parts.size() == 4 ? parts[3].toInt(&isNumber) : latest;
        if (!isNumber || contest < 1 || contest > latest) return { 404, "Not Found", "{}" };
        const auto [U, D, secondDraw] = lottery->second;
        const QJsonValue second
            = secondDraw ? QJsonValue(texts(drawOf(U, D, contest, 7))) : QJsonValue::Null;
        return { 200, "OK", answer(contest, texts(drawOf(U, D, contest)), second) };
    };
}

} // namespace OfficialServiceImitation
