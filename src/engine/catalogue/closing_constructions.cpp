#include "engine/catalogue/closing_constructions.h"

#include <algorithm>
#include <numeric>

namespace ClosingConstructions {

namespace {

TicketMask ticketOf(std::initializer_list<int> positions)
{
    TicketMask t;
    for (int p : positions)
        t.add(p);
    return t;
}

std::vector<int> positionsOf(const TicketMask& ticket)
{
    std::vector<int> positions;
    ticket.forEach([&](int p) { positions.push_back(p); });
    return positions;
}

} // namespace

std::vector<TicketMask> complement(const std::vector<TicketMask>& tickets, int T)
{
    TicketMask all;
    for (int p = 1; p <= T; ++p)
        all.add(p);
    std::vector<TicketMask> out;
    out.reserve(tickets.size());
    for (const TicketMask& t : tickets)
        out.push_back(all & ~t);
    return out;
}

std::vector<TicketMask> steinerTripleSystem(int v)
{
    std::vector<TicketMask> triples;
    if (v == 7) {
        for (int i = 0; i < 7; ++i)
            triples.push_back(ticketOf({ i + 1, (i + 1) % 7 + 1, (i + 3) % 7 + 1 }));
        return triples;
    }
    if (v < 3 || v % 6 != 3) return triples;
    // Bose: point (x, i) of Z_n x Z_3 is position 3x + i + 1; the idempotent commutative
    // quasigroup on Z_n (n odd) is x o y = (x + y) / 2, that is (x + y) h with h = 1 / 2 mod n.
    const int n = v / 3, h = (n + 1) / 2;
    auto point = [](int x, int i) { return 3 * x + i + 1; };
    for (int x = 0; x < n; ++x)
        triples.push_back(ticketOf({ point(x, 0), point(x, 1), point(x, 2) }));
    for (int x = 0; x < n; ++x)
        for (int y = x + 1; y < n; ++y)
            for (int i = 0; i < 3; ++i)
                triples.push_back(
                    ticketOf({ point(x, i), point(y, i), point((x + y) * h % n, (i + 1) % 3) }));
    return triples;
}

bool partsCatchEveryDraw(const ClosingProblem& problem, const std::vector<Part>& parts)
{
    int sizes = 0, shortOfAll = 0;
    for (const Part& part : parts) {
        if (part.size < 1 || part.hits < problem.G || part.hits < 1) return false;
        sizes += part.size;
        shortOfAll += std::min(part.hits - 1, part.size);
    }
    return sizes == problem.T && shortOfAll < problem.C;
}

ClosingProblem partProblem(const ClosingProblem& problem, const Part& part)
{
    return { part.size, std::min(problem.K, part.size), std::min(part.hits, part.size), problem.G };
}

std::vector<TicketMask> partitionUnion(const ClosingProblem& problem,
    const std::vector<Part>& parts, const std::vector<std::vector<TicketMask>>& partClosings)
{
    std::vector<TicketMask> tickets;
    int offset = 0;
    for (std::size_t i = 0; i < parts.size() && i < partClosings.size(); ++i) {
        for (const TicketMask& own : partClosings[i]) {
            TicketMask ticket;
            own.forEach([&](int p) {
                if (p <= parts[i].size) ticket.add(offset + p);
            });
            for (int p = 1; p <= problem.T && ticket.count() < problem.K; ++p)
                ticket.add(p);
            tickets.push_back(ticket);
        }
        offset += parts[i].size;
    }
    canonicalise(tickets);
    return tickets;
}

void canonicalise(std::vector<TicketMask>& tickets)
{
    std::vector<std::pair<std::vector<int>, TicketMask>> lines;
    lines.reserve(tickets.size());
    for (const TicketMask& t : tickets)
        lines.emplace_back(positionsOf(t), t);
    std::sort(
        lines.begin(), lines.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    lines.erase(std::unique(lines.begin(), lines.end(),
                    [](const auto& a, const auto& b) { return a.first == b.first; }),
        lines.end());
    tickets.clear();
    for (const auto& line : lines)
        tickets.push_back(line.second);
}

} // namespace ClosingConstructions
