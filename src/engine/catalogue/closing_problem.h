#pragma once

#include <QString>

// One wheel: tickets of K numbers among the T numbers bet, such that whenever C of the drawn
// numbers fall among the bet some ticket holds at least G of them. Numbers are positions
// 1..T; a bet's own numbers are put in when a closing is handed out.
struct ClosingProblem {
    int T = 0, K = 0, C = 0, G = 0;

    bool operator==(const ClosingProblem&) const = default;
    auto operator<=>(const ClosingProblem&) const = default;

    // The same wheel in complements: a ticket A and a draw B share at least G numbers iff
    // their complements (T - K and T - C numbers) share at least G + T - K - C. Closings of
    // the two map one to one, ticket by ticket.
    ClosingProblem complement() const { return { T, T - K, T - C, G + T - K - C }; }
    // "T K C G", as the catalogue's files and commands write it.
    QString key() const { return QStringLiteral("%1 %2 %3 %4").arg(T).arg(K).arg(C).arg(G); }
    // Numbers per ticket and per draw fit the bet.
    bool valid() const { return T >= 1 && T <= 100 && K >= 1 && K <= T && C >= 0 && C <= T; }
};
