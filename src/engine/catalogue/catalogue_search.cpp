#include "engine/catalogue/catalogue_search.h"

#include "engine/catalogue/catalogue_bounds.h"
#include "engine/catalogue/closing_constructions.h"
#include "engine/catalogue/recipe_runner.h"

#include <algorithm>
#include <ctime>

namespace CatalogueSearch {

namespace {

constexpr int kMostGroups = 5;
constexpr quint64 kGeneratorDraws = 100000;
// A group's closing is a small wheel: a short run of the optimizer closes it well, and a search
// tries hundreds of them.
constexpr quint64 kGroupMoves = 20000;
constexpr quint64 kUnlimited = ~quint64 { 0 } >> 1;
constexpr double kStallSeconds = 15;

double cpuNow()
{
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// Every way of writing T as `groups` sizes, smallest first.
void sizings(
    int T, int groups, int least, std::vector<int>& sizes, std::vector<std::vector<int>>& out)
{
    if (groups == 1) {
        if (T >= least) {
            sizes.push_back(T);
            out.push_back(sizes);
            sizes.pop_back();
        }
        return;
    }
    for (int s = least; s * groups <= T; ++s) {
        sizes.push_back(s);
        sizings(T - s, groups - 1, s, sizes, out);
        sizes.pop_back();
    }
}

void addPartitions(const ClosingProblem& p, bool throughComplement, quint64 groupMoves,
    std::vector<ClosingRecipe>& out)
{
    if (p.G < 1 || p.K < 1 || p.C < 1) return;
    for (int groups = 2; groups <= std::min(kMostGroups, p.T); ++groups) {
        if (groups * (p.G - 1) >= p.C) break;
        std::vector<std::vector<int>> all;
        std::vector<int> sizes;
        sizings(p.T, groups, 1, sizes, all);
        std::stable_sort(
            all.begin(), all.end(), [](const std::vector<int>& a, const std::vector<int>& b) {
                return a.back() < b.back();
            });
        for (const std::vector<int>& s : all) {
            std::vector<ClosingConstructions::Part> parts;
            for (int size : s)
                parts.push_back({ size, p.G });
            if (!ClosingConstructions::partsCatchEveryDraw(p, parts)) continue;
            std::vector<std::vector<int>> hitsChoices { std::vector<int>(s.size(), p.G) };
            int slack = p.C - 1;
            for (const auto& part : parts)
                slack -= std::min(part.hits - 1, part.size);
            for (std::size_t i = 0; slack > 0 && i < s.size(); ++i) {
                std::vector<int> hits(s.size(), p.G);
                hits[i] += slack;
                hitsChoices.push_back(hits);
            }
            for (const std::vector<int>& hits : hitsChoices) {
                std::vector<ClosingRecipe::Stage> stages;
                if (throughComplement) stages.push_back(ClosingRecipe::complement());
                stages.push_back(ClosingRecipe::partition(
                    s, hits == std::vector<int>(s.size(), p.G) ? std::vector<int> {} : hits));
                if (groupMoves)
                    stages.back().setValue(QStringLiteral("moves"), QString::number(groupMoves));
                if (throughComplement) stages.push_back(ClosingRecipe::complement());
                out.emplace_back(std::move(stages));
            }
        }
    }
}

} // namespace

std::vector<ClosingRecipe> partitionRecipes(const ClosingProblem& problem, quint64 groupMoves)
{
    std::vector<ClosingRecipe> out;
    addPartitions(problem, false, groupMoves, out);
    if (problem.K + problem.C > problem.T)
        addPartitions(problem.complement(), true, groupMoves, out);
    return out;
}

Found best(const ClosingProblem& problem, double cpuSeconds,
    const std::function<void(const Found&)>& improved, const std::function<bool()>& stop)
{
    const std::int64_t bound = CatalogueBounds::strongest(problem).value;
    const double began = cpuNow();
    Found found;
    auto offer = [&](const RecipeRunner::Result& r) {
        if (!r.error.isEmpty() || r.tickets.empty()) return;
        if (!found.tickets.empty() && r.tickets.size() >= found.tickets.size()) return;
        found = { r.tickets, r.recipe, r.cpuSeconds };
        if (improved) improved(found);
    };
    auto atBound = [&] {
        return !found.tickets.empty() && static_cast<std::int64_t>(found.tickets.size()) <= bound;
    };
    auto stopAsked = [&] { return stop && stop(); };

    // The partitions get at most a third of the budget; the most even come first.
    const double partitionsEnd = cpuNow() + cpuSeconds / 3;
    for (const ClosingRecipe& recipe : partitionRecipes(problem, kGroupMoves)) {
        if (atBound() || stopAsked() || cpuNow() > partitionsEnd) break;
        offer(RecipeRunner::run(problem, recipe));
    }
    const ClosingRecipe fromPartition = found.recipe;
    const std::size_t partitionSize = found.tickets.size();
    std::vector<TicketMask> partitionTickets = found.tickets;

    auto optimizeFor = [&](double seconds, const ClosingRecipe& before,
                           const std::vector<TicketMask>& start, double cpuBefore) {
        const double started = cpuNow(), deadline = started + seconds;
        double lastRecord = started;
        RecipeRunner::Control control;
        // A small wheel is at its best within a second or two and would spend the rest of the
        // budget on nothing: a run that has waited for a record three times as long as the
        // last one took (and at least kStallSeconds) ends.
        control.stop = [&] {
            const double now = cpuNow();
            return now > deadline || stopAsked()
                || now - lastRecord > std::max(kStallSeconds, 3 * (lastRecord - started));
        };
        control.improved = [&](const std::vector<TicketMask>& tickets, const ClosingRecipe& soFar) {
            lastRecord = cpuNow();
            if (!found.tickets.empty() && tickets.size() >= found.tickets.size()) return;
            found = { tickets, before.then(soFar), cpuBefore + cpuNow() - started };
            if (improved) improved(found);
        };
        const ClosingRecipe optimizing({ ClosingRecipe::optimize(1, kUnlimited) });
        RecipeRunner::Result r = RecipeRunner::run(problem, optimizing, start, control);
        r.recipe = before.then(r.recipe);
        r.cpuSeconds += cpuBefore;
        offer(r);
    };
    if (!atBound() && !stopAsked()) {
        const ClosingRecipe generated({ ClosingRecipe::generator(1, kGeneratorDraws) });
        const RecipeRunner::Result start = RecipeRunner::run(problem, generated);
        const double left = std::max(1.0, cpuSeconds - (cpuNow() - began));
        optimizeFor(left, generated, start.tickets, start.cpuSeconds);
    }
    if (!atBound() && !stopAsked() && partitionSize > 0 && partitionSize <= found.tickets.size()
        && found.recipe == fromPartition) {
        // The construction beat the optimizer from the generator: it may be a better start.
        optimizeFor(cpuSeconds, fromPartition, partitionTickets, found.cpuSeconds);
    }
    return found;
}

} // namespace CatalogueSearch
