#include "engine/catalogue/recipe_runner.h"

#include "engine/base/random_source.h"
#include "engine/catalogue/catalogue_bounds.h"
#include "engine/catalogue/closing_constructions.h"
#include "engine/generate/covering_generator.h"
#include "engine/generate/line_format.h"
#include "engine/generate/line_store.h"
#include "engine/generate/optimizer_search.h"

#include <ctime>
#include <map>
#include <mutex>
#include <numeric>
#include <tuple>

namespace {

std::vector<int> positions(int T)
{
    std::vector<int> all(static_cast<std::size_t>(T));
    std::iota(all.begin(), all.end(), 1);
    return all;
}

double cpuNow()
{
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

bool toNumber(const QString& text, quint64& value)
{
    bool ok = false;
    value = text.toULongLong(&ok);
    return ok;
}

std::vector<int> toNumbers(const QString& text, bool& ok)
{
    std::vector<int> numbers;
    ok = !text.isEmpty();
    for (const QString& word : text.split(u',')) {
        bool wordOk = false;
        numbers.push_back(word.toInt(&wordOk));
        ok = ok && wordOk;
    }
    return numbers;
}

QString refusalText(ClosingOptimizer::Refusal refusal)
{
    switch (refusal) {
    case ClosingOptimizer::Refusal::None:
        return {};
    case ClosingOptimizer::Refusal::TooManyDraws:
        return QStringLiteral("too many draws for the optimizer");
    case ClosingOptimizer::Refusal::TicketTooSmall:
        return QStringLiteral("tickets too small for the guarantee");
    case ClosingOptimizer::Refusal::BetTooSmall:
        return QStringLiteral("bet too small for the draws");
    case ClosingOptimizer::Refusal::NotEnoughMemory:
        return QStringLiteral("not enough memory for the optimizer");
    case ClosingOptimizer::Refusal::OnlyFullEnumeration:
        return QStringLiteral("only the full enumeration closes it");
    }
    return {};
}

// Every K-subset of positions 1..T: the one closing when K = C = G.
std::vector<TicketMask> everyTicket(int T, int K)
{
    std::vector<TicketMask> all;
    std::vector<int> pick(static_cast<std::size_t>(K));
    std::iota(pick.begin(), pick.end(), 1);
    for (;;) {
        TicketMask t;
        for (int p : pick)
            t.add(p);
        all.push_back(t);
        int j = K - 1;
        while (j >= 0 && pick[static_cast<std::size_t>(j)] == T - K + j + 1)
            --j;
        if (j < 0) break;
        ++pick[static_cast<std::size_t>(j)];
        for (int l = j + 1; l < K; ++l)
            pick[static_cast<std::size_t>(l)] = pick[static_cast<std::size_t>(l - 1)] + 1;
    }
    return all;
}

// One group's own closing for the partition stage.
std::vector<TicketMask> partClosing(
    const ClosingProblem& part, quint64 seed, quint64 moves, QString& error)
{
    if (part.T <= part.K) {
        TicketMask whole;
        for (int p = 1; p <= part.T; ++p)
            whole.add(p);
        return { whole };
    }
    if (part.K == 3 && part.G == 2 && part.C == 2) {
        std::vector<TicketMask> steiner = ClosingConstructions::steinerTripleSystem(part.T);
        if (!steiner.empty()) return steiner;
    }
    if (part.K == part.C && part.C == part.G) return everyTicket(part.T, part.K);
    // The same group closing comes up in many partitions a search tries; a run is a function of
    // its wheel, seed and moves, so it is made once.
    using Key = std::tuple<int, int, int, int, quint64, quint64>;
    static std::map<Key, std::vector<TicketMask>> made;
    static std::mutex guard;
    const Key key { part.T, part.K, part.C, part.G, seed, moves };
    {
        const std::lock_guard lock(guard);
        if (const auto at = made.find(key); at != made.end()) return at->second;
    }
    RecipeRunner::Optimized run = RecipeRunner::optimize(part, {}, seed, moves);
    if (!run.refusal.isEmpty()) {
        error = QStringLiteral("group %1: %2").arg(part.key(), run.refusal);
        return {};
    }
    const std::lock_guard lock(guard);
    made.emplace(key, run.tickets);
    return run.tickets;
}

// The union over a partition stage's groups; the groups' own runs are short and never
// stopped, so the stage always ends with the same tickets.
std::vector<TicketMask> partitionStage(
    const ClosingProblem& problem, const ClosingRecipe::Stage& stage, QString& error)
{
    bool sizesOk = false, hitsOk = true;
    const std::vector<int> sizes = toNumbers(stage.value(QStringLiteral("sizes")), sizesOk);
    std::vector<int> hits(sizes.size(), problem.G);
    if (!stage.value(QStringLiteral("hits")).isEmpty())
        hits = toNumbers(stage.value(QStringLiteral("hits")), hitsOk);
    std::vector<ClosingConstructions::Part> parts;
    for (std::size_t i = 0; i < sizes.size() && i < hits.size(); ++i)
        parts.push_back({ sizes[i], hits[i] });
    quint64 seed = 1, moves = 200000;
    if (!sizesOk || !hitsOk || hits.size() != sizes.size()
        || !toNumber(stage.value(QStringLiteral("seed"), QStringLiteral("1")), seed)
        || !toNumber(stage.value(QStringLiteral("moves"), QStringLiteral("200000")), moves)
        || !ClosingConstructions::partsCatchEveryDraw(problem, parts)) {
        error = QStringLiteral("partition %1 does not close %2")
                    .arg(stage.value(QStringLiteral("sizes")), problem.key());
        return {};
    }
    std::vector<std::vector<TicketMask>> closings;
    for (const ClosingConstructions::Part& part : parts)
        closings.push_back(part.hits > part.size
                ? std::vector<TicketMask> {}
                : partClosing(
                    ClosingConstructions::partProblem(problem, part), seed, moves, error));
    if (!error.isEmpty()) return {};
    return ClosingConstructions::partitionUnion(problem, parts, closings);
}

} // namespace

std::vector<TicketMask> RecipeRunner::generate(const ClosingProblem& problem,
    const std::vector<TicketMask>& start, quint64 seed, quint64 draws)
{
    CoveringGenerator::Setup setup;
    setup.K = problem.K;
    setup.G = problem.G;
    setup.C = problem.C;
    setup.selected = positions(problem.T);
    LineStore closing;
    for (const TicketMask& t : start)
        closing.appendBuilt(LineFormat::maskLine(t, u' '), t);
    RandomSource random;
    random.fixSeed(seed);
    CoveringGenerator generator(setup, closing, random);
    for (quint64 i = 0; i < draws; ++i)
        generator.step(u' ');
    std::vector<TicketMask> tickets;
    tickets.reserve(static_cast<std::size_t>(closing.size()));
    for (qsizetype i = 0; i < closing.size(); ++i)
        tickets.push_back(closing.mask(i));
    ClosingConstructions::canonicalise(tickets);
    return tickets;
}

RecipeRunner::Optimized RecipeRunner::optimize(const ClosingProblem& problem,
    const std::vector<TicketMask>& start, quint64 seed, quint64 moves,
    const std::function<bool()>& stop,
    const std::function<void(const std::vector<TicketMask>&, quint64)>& improved)
{
    ClosingOptimizer::Setup setup;
    setup.K = problem.K;
    setup.G = problem.G;
    setup.C = problem.C;
    setup.selected = positions(problem.T);
    setup.seed = seed;
    Optimized out;
    out.refusal = refusalText(ClosingOptimizer::check(setup));
    if (!out.refusal.isEmpty()) return out;
    const std::int64_t bound = CatalogueBounds::strongest(problem).value;
    ClosingOptimizer optimizer(setup, start);
    // A record is made in a step after the move that completed it, and more steps may follow
    // at the same move count (a dropped ticket that leaves the closing complete, a way back to
    // the record): the budget ends at the first step of move `moves + 1`, which changes no
    // record, so a run cut at m moves and one given m moves end with the same closing.
    quint64 budget = moves;
    quint64 lastMoves = 0;
    int reported = 0;
    for (std::uint64_t steps = 0;
         optimizer.phase() != ClosingOptimizer::Phase::Finished && optimizer.moves() <= budget;
         ++steps) {
        optimizer.step();
        if (optimizer.hasComplete() && optimizer.bestSize() <= bound) break;
        if (optimizer.moves() != lastMoves) {
            lastMoves = optimizer.moves();
            if (improved && optimizer.hasComplete()
                && (reported == 0 || optimizer.bestSize() < reported)) {
                reported = optimizer.bestSize();
                std::vector<TicketMask> best = optimizer.bestPositions();
                ClosingConstructions::canonicalise(best);
                improved(best, lastMoves - 1);
            }
        }
        if (stop && steps % 256 == 0 && budget > optimizer.moves() && stop()) {
            budget = optimizer.moves();
            out.stopped = true;
        }
    }
    out.moves = std::min<quint64>(optimizer.moves(), budget);
    out.tickets = optimizer.bestPositions();
    ClosingConstructions::canonicalise(out.tickets);
    return out;
}

RecipeRunner::Result RecipeRunner::run(const ClosingProblem& original, const ClosingRecipe& recipe,
    std::vector<TicketMask> start, const Control& control)
{
    Result result;
    ClosingProblem problem = original;
    bool complemented = false;
    std::vector<TicketMask> tickets = std::move(start);
    ClosingConstructions::canonicalise(tickets);
    auto stopAsked = [&] { return control.stop && control.stop(); };
    for (const ClosingRecipe::Stage& stage : recipe.stages()) {
        const double began = cpuNow();
        ClosingRecipe::Stage ran = stage;
        quint64 seed = 1, amount = 0;
        const bool seedOk
            = toNumber(stage.value(QStringLiteral("seed"), QStringLiteral("1")), seed);
        if (stage.name == u"generator") {
            if (!seedOk || !toNumber(stage.value(QStringLiteral("draws")), amount)) {
                result.error = QStringLiteral("generator needs seed and draws");
                break;
            }
            tickets = generate(problem, tickets, seed, amount);
        } else if (stage.name == u"optimize") {
            if (!seedOk || !toNumber(stage.value(QStringLiteral("moves")), amount)) {
                result.error = QStringLiteral("optimize needs seed and moves");
                break;
            }
            auto improved = [&](const std::vector<TicketMask>& best, quint64 moves) {
                if (!control.improved) return;
                ClosingRecipe soFar = result.recipe;
                ClosingRecipe::Stage cut = stage;
                cut.setValue(QStringLiteral("moves"), QString::number(moves));
                soFar.stages().push_back(cut);
                if (complemented) soFar.stages().push_back(ClosingRecipe::complement());
                std::vector<TicketMask> own = best;
                if (complemented) {
                    own = ClosingConstructions::complement(best, problem.T);
                    ClosingConstructions::canonicalise(own);
                }
                control.improved(own, soFar);
            };
            Optimized made = optimize(problem, tickets, seed, amount, stopAsked, improved);
            if (!made.refusal.isEmpty()) {
                result.error = made.refusal;
                break;
            }
            tickets = std::move(made.tickets);
            ran.setValue(QStringLiteral("moves"), QString::number(made.moves));
            result.stopped = made.stopped;
        } else if (stage.name == u"complement") {
            problem = problem.complement();
            complemented = !complemented;
            if (problem.K < 1 || problem.C < 0) {
                result.error
                    = QStringLiteral("the complement of %1 has no tickets").arg(original.key());
                break;
            }
            tickets = ClosingConstructions::complement(tickets, problem.T);
            ClosingConstructions::canonicalise(tickets);
        } else if (stage.name == u"partition") {
            std::vector<TicketMask> joined = partitionStage(problem, stage, result.error);
            if (!result.error.isEmpty()) break;
            tickets.insert(tickets.end(), joined.begin(), joined.end());
            ClosingConstructions::canonicalise(tickets);
        } else if (stage.name == u"steiner") {
            std::vector<TicketMask> steiner = problem.K == 3 && problem.G == 2
                ? ClosingConstructions::steinerTripleSystem(problem.T)
                : std::vector<TicketMask> {};
            if (steiner.empty()) {
                result.error = QStringLiteral("no Steiner triple system for %1").arg(problem.key());
                break;
            }
            tickets.insert(tickets.end(), steiner.begin(), steiner.end());
            ClosingConstructions::canonicalise(tickets);
        } else {
            result.error = QStringLiteral("unknown stage %1").arg(stage.name);
            break;
        }
        result.cpuSeconds += cpuNow() - began;
        result.recipe.stages().push_back(ran);
        if (result.stopped) break;
    }
    if (result.error.isEmpty() && complemented)
        result.error = QStringLiteral("the recipe ends on the complemented wheel");
    result.tickets = std::move(tickets);
    return result;
}
