#include "engine/catalogue/catalogue_bounds.h"
#include "engine/catalogue/catalogue_check.h"
#include "engine/catalogue/catalogue_search.h"
#include "engine/catalogue/closing_constructions.h"
#include "engine/catalogue/closing_recipe.h"
#include "engine/catalogue/recipe_runner.h"
#include "engine/generate/optimizer_check.h"

#include <QTest>
#include <numeric>
#include <random>

Q_DECLARE_METATYPE(ClosingProblem)

namespace {

ClosingProblem wheel(int T, int K, int C, int G)
{
    return { T, K, C, G };
}

// The plain count beside the catalogue's: the optimizer's independent check on a bet 1..T.
std::int64_t plainUncovered(const ClosingProblem& p, const std::vector<TicketMask>& tickets)
{
    OptimizerCheck::Bet bet;
    bet.selected.resize(static_cast<std::size_t>(p.T));
    std::iota(bet.selected.begin(), bet.selected.end(), 1);
    bet.K = p.K;
    bet.G = p.G;
    bet.C = p.C;
    return OptimizerCheck::uncoveredDraws(bet, tickets);
}

TicketMask randomTicket(std::mt19937_64& rng, int T, int K)
{
    std::vector<int> all(static_cast<std::size_t>(T));
    std::iota(all.begin(), all.end(), 1);
    std::shuffle(all.begin(), all.end(), rng);
    TicketMask t;
    for (int i = 0; i < K; ++i)
        t.add(all[static_cast<std::size_t>(i)]);
    return t;
}

// Each pair of positions 1..v counted over the triples.
std::vector<int> pairCounts(const std::vector<TicketMask>& triples, int v)
{
    std::vector<int> counts(static_cast<std::size_t>(v * v), 0);
    for (const TicketMask& t : triples)
        for (int a = 1; a <= v; ++a)
            for (int b = a + 1; b <= v; ++b)
                if (t.has(a) && t.has(b)) ++counts[static_cast<std::size_t>(a * v - v + b - 1)];
    return counts;
}

ClosingRecipe recipeOf(const char* text)
{
    const std::optional<ClosingRecipe> r = ClosingRecipe::parse(QString::fromLatin1(text));
    return r ? *r : ClosingRecipe();
}

} // namespace

class ConstructionTest : public QObject
{
    Q_OBJECT
private slots:
    void fastCheckAgreesWithPlainCount_data();
    void fastCheckAgreesWithPlainCount();
    void wellFormedRejectsTicketsOutsideTheWheel();
    void complementIdentityHoldsTicketByTicket_data();
    void complementIdentityHoldsTicketByTicket();
    void steinerSystemsHoldEveryPairOnce_data();
    void steinerSystemsHoldEveryPairOnce();
    void partsCatchEveryDrawAgreesWithEnumeration_data();
    void partsCatchEveryDrawAgreesWithEnumeration();
    void unionPadsTicketsAndDropsRepeats();
    void recipesMakeCompleteClosings_data();
    void recipesMakeCompleteClosings();
    void badRecipesAreRefused_data();
    void badRecipesAreRefused();
    void recipeTextReadsBackTheSame();
    void runCutShortEqualsRunOfItsMoves();
    void stagesFromStoredTicketsContinueTheChain();
    void improvedClosingsAreRebuiltByTheirRecipes_data();
    void improvedClosingsAreRebuiltByTheirRecipes();
    void searchStopsAtTheBound_data();
    void searchStopsAtTheBound();
    void boundsOfKnownWheels_data();
    void boundsOfKnownWheels();
    void partitionRecipesAllCloseTheWheel_data();
    void partitionRecipesAllCloseTheWheel();
};

void ConstructionTest::fastCheckAgreesWithPlainCount_data()
{
    QTest::addColumn<ClosingProblem>("problem");
    QTest::addColumn<int>("tickets");
    QTest::newRow("lotofacil-like 17, 13 points") << wheel(17, 15, 15, 13) << 2;
    QTest::newRow("megasena 12, terno") << wheel(12, 6, 6, 3) << 3;
    QTest::newRow("megasena 10, quina") << wheel(10, 6, 6, 5) << 12;
    QTest::newRow("quina 14, duque") << wheel(14, 5, 5, 2) << 3;
    QTest::newRow("draws shorter than tickets") << wheel(11, 6, 4, 3) << 6;
    QTest::newRow("tickets shorter than draws") << wheel(11, 4, 6, 3) << 9;
    QTest::newRow("no guarantee asked") << wheel(9, 3, 3, 0) << 1;
    QTest::newRow("no tickets") << wheel(9, 3, 3, 2) << 0;
}

void ConstructionTest::fastCheckAgreesWithPlainCount()
{
    QFETCH(ClosingProblem, problem);
    QFETCH(int, tickets);
    std::mt19937_64 rng(static_cast<std::uint64_t>(problem.T * 131 + problem.G));
    for (int round = 0; round < 8; ++round) {
        std::vector<TicketMask> closing;
        for (int i = 0; i < tickets + round; ++i)
            closing.push_back(randomTicket(rng, problem.T, problem.K));
        QCOMPARE(
            CatalogueCheck::uncoveredDraws(problem, closing), plainUncovered(problem, closing));
    }
    // A complete closing, and the same less its first ticket.
    const ClosingRecipe made = recipeOf("generator seed=1 draws=3000 | optimize seed=1 moves=3000");
    RecipeRunner::Result r = RecipeRunner::run(problem, made);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QCOMPARE(CatalogueCheck::uncoveredDraws(problem, r.tickets), std::int64_t { 0 });
    QCOMPARE(plainUncovered(problem, r.tickets), std::int64_t { 0 });
    r.tickets.erase(r.tickets.begin());
    QCOMPARE(
        CatalogueCheck::uncoveredDraws(problem, r.tickets), plainUncovered(problem, r.tickets));
}

void ConstructionTest::wellFormedRejectsTicketsOutsideTheWheel()
{
    const ClosingProblem p = wheel(8, 3, 3, 2);
    TicketMask inside, beyond, longer;
    for (int n : { 1, 5, 8 })
        inside.add(n);
    for (int n : { 1, 5, 9 })
        beyond.add(n);
    longer = inside;
    longer.add(2);
    QVERIFY(CatalogueCheck::wellFormed(p, { inside }));
    QVERIFY(!CatalogueCheck::wellFormed(p, { inside, beyond }));
    QVERIFY(!CatalogueCheck::wellFormed(p, { longer }));
    QVERIFY(!CatalogueCheck::distinct({ inside, longer, inside }));
    QVERIFY(CatalogueCheck::distinct({ inside, longer }));
}

void ConstructionTest::complementIdentityHoldsTicketByTicket_data()
{
    QTest::addColumn<ClosingProblem>("problem");
    QTest::newRow("lotofacil 22, 11 points") << wheel(22, 15, 15, 11);
    QTest::newRow("lotofacil 18, 14 points") << wheel(18, 15, 15, 14);
    QTest::newRow("megasena 10, quina") << wheel(10, 6, 6, 5);
    QTest::newRow("tickets and draws of different sizes") << wheel(12, 8, 7, 5);
}

void ConstructionTest::complementIdentityHoldsTicketByTicket()
{
    QFETCH(ClosingProblem, problem);
    const ClosingProblem mirrored = problem.complement();
    QCOMPARE(mirrored.complement(), problem);
    std::mt19937_64 rng(static_cast<std::uint64_t>(problem.T));
    for (int i = 0; i < 2000; ++i) {
        const TicketMask ticket = randomTicket(rng, problem.T, problem.K);
        const TicketMask draw = randomTicket(rng, problem.T, problem.C);
        const TicketMask t2 = ClosingConstructions::complement({ ticket }, problem.T).front();
        const TicketMask d2 = ClosingConstructions::complement({ draw }, problem.T).front();
        QCOMPARE(t2.count(), mirrored.K);
        QCOMPARE(common(ticket, draw) >= problem.G, common(t2, d2) >= mirrored.G);
    }
    // So a closing's complement closes the complemented wheel.
    const RecipeRunner::Result r = RecipeRunner::run(
        problem, recipeOf("generator seed=2 draws=2000 | optimize seed=2 moves=2000"));
    const std::vector<TicketMask> flipped = ClosingConstructions::complement(r.tickets, problem.T);
    QCOMPARE(CatalogueCheck::uncoveredDraws(mirrored, flipped), std::int64_t { 0 });
    QVERIFY(CatalogueCheck::wellFormed(mirrored, flipped));
}

void ConstructionTest::steinerSystemsHoldEveryPairOnce_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("triples"); // v(v-1)/6, or 0 where none is built
    QTest::newRow("Fano plane") << 7 << 7;
    QTest::newRow("9 points") << 9 << 12;
    QTest::newRow("15 points") << 15 << 35;
    QTest::newRow("21 points") << 21 << 70;
    QTest::newRow("13 points: not built") << 13 << 0;
    QTest::newRow("10 points: none exists") << 10 << 0;
}

void ConstructionTest::steinerSystemsHoldEveryPairOnce()
{
    QFETCH(int, v);
    QFETCH(int, triples);
    const std::vector<TicketMask> system = ClosingConstructions::steinerTripleSystem(v);
    QCOMPARE(static_cast<int>(system.size()), triples);
    if (!triples) return;
    QVERIFY(CatalogueCheck::wellFormed(wheel(v, 3, 2, 2), system));
    const std::vector<int> counts = pairCounts(system, v);
    for (int a = 1; a <= v; ++a)
        for (int b = a + 1; b <= v; ++b)
            QCOMPARE(counts[static_cast<std::size_t>(a * v - v + b - 1)], 1);
}

void ConstructionTest::partsCatchEveryDrawAgreesWithEnumeration_data()
{
    QTest::addColumn<ClosingProblem>("problem");
    QTest::addColumn<std::vector<int>>("sizes");
    QTest::addColumn<std::vector<int>>("hits");
    QTest::newRow("7 7 8, three hits of 7")
        << wheel(22, 7, 7, 3) << std::vector { 7, 7, 8 } << std::vector { 3, 3, 3 };
    QTest::newRow("7 7 8, four hits of 7")
        << wheel(22, 7, 7, 4) << std::vector { 7, 7, 8 } << std::vector { 4, 4, 4 };
    QTest::newRow("9 9, two hits of 3")
        << wheel(18, 3, 3, 2) << std::vector { 9, 9 } << std::vector { 2, 2 };
    QTest::newRow("four fives, two of 5")
        << wheel(20, 5, 5, 2) << std::vector { 5, 5, 5, 5 } << std::vector { 2, 2, 2, 2 };
    QTest::newRow("five fours, two of 5")
        << wheel(20, 5, 5, 2) << std::vector { 4, 4, 4, 4, 4 } << std::vector { 2, 2, 2, 2, 2 };
    QTest::newRow("slack to one group")
        << wheel(14, 6, 6, 3) << std::vector { 6, 8 } << std::vector { 3, 4 };
    QTest::newRow("too much asked")
        << wheel(14, 6, 6, 3) << std::vector { 6, 8 } << std::vector { 4, 4 };
    QTest::newRow("a group too small to matter")
        << wheel(14, 5, 5, 1) << std::vector { 5, 5, 4 } << std::vector { 1, 1, 5 };
    QTest::newRow("sizes short of T")
        << wheel(14, 6, 6, 3) << std::vector { 6, 7 } << std::vector { 3, 3 };
}

void ConstructionTest::partsCatchEveryDrawAgreesWithEnumeration()
{
    QFETCH(ClosingProblem, problem);
    QFETCH(std::vector<int>, sizes);
    QFETCH(std::vector<int>, hits);
    std::vector<ClosingConstructions::Part> parts;
    for (std::size_t i = 0; i < sizes.size(); ++i)
        parts.push_back({ sizes[i], hits[i] });
    // Every draw of C among 1..T over the groups of consecutive positions.
    bool everyDraw = std::accumulate(sizes.begin(), sizes.end(), 0) == problem.T;
    for (std::uint64_t bits = 0; everyDraw && bits < (std::uint64_t { 1 } << problem.T); ++bits) {
        if (std::popcount(bits) != problem.C) continue;
        bool caught = false;
        int offset = 0;
        for (const auto& part : parts) {
            const std::uint64_t group = ((std::uint64_t { 1 } << part.size) - 1) << offset;
            caught = caught || std::popcount(bits & group) >= part.hits;
            offset += part.size;
        }
        everyDraw = caught;
    }
    QCOMPARE(ClosingConstructions::partsCatchEveryDraw(problem, parts), everyDraw);
}

void ConstructionTest::unionPadsTicketsAndDropsRepeats()
{
    // Groups of 2, 3 and 4 positions (1-2, 3-5, 6-9) for tickets of 4: the first two groups are
    // one ticket each, padded with the lowest positions they lack; the third's closing holds the
    // same ticket twice.
    const ClosingProblem p = wheel(9, 4, 4, 2);
    const std::vector<ClosingConstructions::Part> parts { { 2, 2 }, { 3, 2 }, { 4, 2 } };
    TicketMask whole2, whole3, own4;
    for (int n : { 1, 2 })
        whole2.add(n);
    for (int n : { 1, 2, 3 })
        whole3.add(n);
    for (int n : { 1, 2, 3, 4 })
        own4.add(n);
    const std::vector<TicketMask> joined = ClosingConstructions::partitionUnion(
        p, parts, { { whole2 }, { whole3 }, { own4, own4 } });
    std::vector<std::vector<int>> lines;
    for (const TicketMask& t : joined) {
        lines.emplace_back();
        t.forEach([&](int n) { lines.back().push_back(n); });
    }
    const std::vector<std::vector<int>> expected { { 1, 2, 3, 4 }, { 1, 3, 4, 5 }, { 6, 7, 8, 9 } };
    QCOMPARE(lines, expected);
}

void ConstructionTest::recipesMakeCompleteClosings_data()
{
    QTest::addColumn<ClosingProblem>("problem");
    QTest::addColumn<QString>("recipe");
    QTest::addColumn<int>("size");
    QTest::newRow("22, 11 points from groups of 7, 7, 8")
        << wheel(22, 15, 15, 11) << "complement | partition sizes=7,7,8 | complement" << 6;
    QTest::newRow("18, 14 points from two Steiner systems")
        << wheel(18, 15, 15, 14) << "complement | partition sizes=9,9 | complement" << 24;
    QTest::newRow("20, 12 points from four groups")
        << wheel(20, 15, 15, 12) << "complement | partition sizes=5,5,5,5 | complement" << 4;
    QTest::newRow("quina 20, duque from four groups")
        << wheel(20, 5, 5, 2) << "partition sizes=5,5,5,5" << 4;
    QTest::newRow("Fano plane") << wheel(7, 3, 2, 2) << "steiner" << 7;
    QTest::newRow("slack to one group")
        << wheel(14, 6, 6, 3) << "partition sizes=6,8 hits=3,4 moves=20000" << -1;
    QTest::newRow("generator alone") << wheel(12, 6, 6, 4) << "generator seed=4 draws=20000" << -1;
    QTest::newRow("optimizer from nothing")
        << wheel(12, 6, 6, 4) << "optimize seed=4 moves=5000" << -1;
}

void ConstructionTest::recipesMakeCompleteClosings()
{
    QFETCH(ClosingProblem, problem);
    QFETCH(QString, recipe);
    QFETCH(int, size);
    QString why;
    const std::optional<ClosingRecipe> parsed = ClosingRecipe::parse(recipe, &why);
    QVERIFY2(parsed, qPrintable(why));
    const RecipeRunner::Result r = RecipeRunner::run(problem, *parsed);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QVERIFY(CatalogueCheck::wellFormed(problem, r.tickets));
    QVERIFY(CatalogueCheck::distinct(r.tickets));
    QCOMPARE(plainUncovered(problem, r.tickets), std::int64_t { 0 });
    if (size >= 0) QCOMPARE(static_cast<int>(r.tickets.size()), size);
    QVERIFY(
        static_cast<std::int64_t>(r.tickets.size()) >= CatalogueBounds::strongest(problem).value);
}

void ConstructionTest::badRecipesAreRefused_data()
{
    QTest::addColumn<ClosingProblem>("problem");
    QTest::addColumn<QString>("recipe");
    QTest::addColumn<bool>("parses");
    QTest::newRow("unknown stage") << wheel(12, 6, 6, 4) << "anneal seed=1" << false;
    QTest::newRow("unknown key") << wheel(12, 6, 6, 4) << "optimize seed=1 hours=2" << false;
    QTest::newRow("value not a number") << wheel(12, 6, 6, 4) << "optimize seed=x moves=1" << false;
    QTest::newRow("key twice") << wheel(12, 6, 6, 4) << "optimize seed=1 seed=2 moves=1" << false;
    QTest::newRow("empty stage") << wheel(12, 6, 6, 4) << "steiner | | steiner" << false;
    QTest::newRow("no moves") << wheel(12, 6, 6, 4) << "optimize seed=1" << true;
    QTest::newRow("groups that miss draws")
        << wheel(22, 7, 7, 4) << "partition sizes=7,7,8" << true;
    QTest::newRow("ends in the complement") << wheel(22, 15, 15, 11) << "complement" << true;
    QTest::newRow("no Steiner system") << wheel(12, 3, 2, 2) << "steiner" << true;
}

void ConstructionTest::badRecipesAreRefused()
{
    QFETCH(ClosingProblem, problem);
    QFETCH(QString, recipe);
    QFETCH(bool, parses);
    QString why;
    const std::optional<ClosingRecipe> parsed = ClosingRecipe::parse(recipe, &why);
    QCOMPARE(parsed.has_value(), parses);
    QCOMPARE(why.isEmpty(), parses);
    if (parsed) QVERIFY(!RecipeRunner::run(problem, *parsed).error.isEmpty());
}

void ConstructionTest::recipeTextReadsBackTheSame()
{
    const ClosingRecipe recipe({ ClosingRecipe::complement(),
        ClosingRecipe::partition({ 7, 7, 8 }, { 3, 3, 4 }), ClosingRecipe::complement(),
        ClosingRecipe::generator(5, 100000), ClosingRecipe::optimize(7, 123456789012ULL) });
    const QString text = recipe.toString();
    QCOMPARE(text,
        QStringLiteral("complement | partition sizes=7,7,8 hits=3,3,4 | complement | generator "
                       "seed=5 draws=100000 | optimize seed=7 moves=123456789012"));
    QCOMPARE(ClosingRecipe::parse(text), std::optional<ClosingRecipe>(recipe));
}

void ConstructionTest::runCutShortEqualsRunOfItsMoves()
{
    // A run stopped from outside records the moves it made; a run given those moves ends with
    // the same closing, so a stopped run's recipe rebuilds what it found.
    const ClosingProblem p = wheel(14, 6, 6, 4);
    const ClosingRecipe start = recipeOf("generator seed=3 draws=20000");
    const std::vector<TicketMask> begun = RecipeRunner::run(p, start).tickets;
    for (int asks : { 40, 200, 900 }) {
        int asked = 0;
        const RecipeRunner::Optimized cut = RecipeRunner::optimize(
            p, begun, 9, ~quint64 { 0 } >> 1, [&] { return ++asked > asks; });
        QVERIFY(cut.stopped);
        const RecipeRunner::Optimized again = RecipeRunner::optimize(p, begun, 9, cut.moves);
        QCOMPARE(again.moves, cut.moves);
        QCOMPARE(again.tickets, cut.tickets);
        QCOMPARE(plainUncovered(p, cut.tickets), std::int64_t { 0 });
    }
}

void ConstructionTest::stagesFromStoredTicketsContinueTheChain()
{
    const ClosingProblem p = wheel(13, 6, 6, 4);
    const ClosingRecipe first
        = recipeOf("generator seed=1 draws=20000 | optimize seed=1 moves=3000");
    const ClosingRecipe second = recipeOf("optimize seed=2 moves=4000");
    const RecipeRunner::Result whole = RecipeRunner::run(p, first.then(second));
    const RecipeRunner::Result stored = RecipeRunner::run(p, first);
    // The tickets as a file would hold them: shuffled, then read back into canonical order.
    std::vector<TicketMask> shuffled = stored.tickets;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937_64(5));
    const RecipeRunner::Result continued = RecipeRunner::run(p, second, shuffled);
    QCOMPARE(continued.tickets, whole.tickets);
    QCOMPARE(whole.recipe, first.then(second));
    // And the same recipe twice gives the same tickets.
    QCOMPARE(RecipeRunner::run(p, first.then(second)).tickets, whole.tickets);
}

void ConstructionTest::improvedClosingsAreRebuiltByTheirRecipes_data()
{
    QTest::addColumn<ClosingProblem>("problem");
    QTest::addColumn<QString>("recipe");
    QTest::newRow("from the generator")
        << wheel(14, 6, 6, 4) << "generator seed=2 draws=500 | optimize seed=3 moves=20000";
    QTest::newRow("in the complement") << wheel(16, 12, 12, 10)
                                       << "complement | generator seed=2 draws=300 | optimize "
                                          "seed=5 moves=20000 | complement";
}

void ConstructionTest::improvedClosingsAreRebuiltByTheirRecipes()
{
    // What a long run reports on the way (and the maker writes as an entry) is rebuilt by the
    // recipe reported with it, on the wheel the recipe was run for.
    QFETCH(ClosingProblem, problem);
    QFETCH(QString, recipe);
    std::vector<std::pair<std::vector<TicketMask>, ClosingRecipe>> reported;
    RecipeRunner::Control control;
    control.improved = [&](const std::vector<TicketMask>& tickets, const ClosingRecipe& soFar) {
        reported.emplace_back(tickets, soFar);
    };
    const RecipeRunner::Result whole
        = RecipeRunner::run(problem, *ClosingRecipe::parse(recipe), {}, control);
    QVERIFY(whole.error.isEmpty());
    QVERIFY(reported.size() >= 2);
    QCOMPARE(reported.back().first, whole.tickets);
    for (const auto& [tickets, soFar] : reported) {
        QCOMPARE(CatalogueCheck::uncoveredDraws(problem, tickets), std::int64_t { 0 });
        QCOMPARE(RecipeRunner::run(problem, soFar).tickets, tickets);
    }
}

void ConstructionTest::searchStopsAtTheBound_data()
{
    QTest::addColumn<ClosingProblem>("problem");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("recipe");
    QTest::newRow("lotofacil 18, 14 points") << wheel(
        18, 15, 15, 14) << 24 << "complement | partition sizes=9,9 moves=20000 | complement";
    QTest::newRow("quina 20, duque")
        << wheel(20, 5, 5, 2) << 4 << "partition sizes=5,15 hits=2,4 moves=20000";
    QTest::newRow("one ticket holds every draw")
        << wheel(16, 15, 15, 12) << 1 << "generator seed=1 draws=100000 | optimize seed=1 moves=0";
}

void ConstructionTest::searchStopsAtTheBound()
{
    // The budget is far beyond need: the search ends at the wheel's lower bound, with the first
    // recipe that reaches it.
    QFETCH(ClosingProblem, problem);
    QFETCH(int, size);
    QFETCH(QString, recipe);
    int heard = 0;
    const CatalogueSearch::Found found
        = CatalogueSearch::best(problem, 1e6, [&](const CatalogueSearch::Found&) { ++heard; });
    QCOMPARE(static_cast<int>(found.tickets.size()), size);
    QCOMPARE(found.recipe.toString(), recipe);
    QVERIFY(heard >= 1);
    QCOMPARE(RecipeRunner::run(problem, found.recipe).tickets, found.tickets);
}

void ConstructionTest::boundsOfKnownWheels_data()
{
    QTest::addColumn<ClosingProblem>("problem");
    QTest::addColumn<qint64>("counting");
    QTest::addColumn<qint64>("strongest");
    // C(25,15) = 3268760 draws, a ticket covers 105*45 + 15*10 + 1 = 4876 of them.
    QTest::newRow("lotofacil 25, 13 points") << wheel(25, 15, 15, 13) << qint64(671) << qint64(671);
    QTest::newRow("lotofacil 25, 14 points")
        << wheel(25, 15, 15, 14) << qint64(21648) << qint64(21648);
    // Complement: triples of 18 where every triple meets a ticket in a pair; Mantel's bound
    // (153 - 81) / 3 = 24.
    QTest::newRow("lotofacil 18, 14 points") << wheel(18, 15, 15, 14) << qint64(18) << qint64(24);
    // C(30,6) = 593775, a ticket covers 15*276 + 6*24 + 1 = 4285.
    QTest::newRow("megasena 30, quadra") << wheel(30, 6, 6, 4) << qint64(139) << qint64(139);
    // Turán graph T(20, 4) leaves 4 * C(5,2) = 40 pairs to cover, 10 a ticket.
    QTest::newRow("quina 20, duque") << wheel(20, 5, 5, 2) << qint64(3) << qint64(4);
    // Complement: tickets of 5 among 20 must leave fewer than 5 numbers out.
    QTest::newRow("lotofacil 20, 11 points") << wheel(20, 15, 15, 11) << qint64(2) << qint64(4);
    QTest::newRow("any ticket: megasena 7") << wheel(7, 6, 6, 5) << qint64(1) << qint64(1);
}

void ConstructionTest::boundsOfKnownWheels()
{
    QFETCH(ClosingProblem, problem);
    QFETCH(qint64, counting);
    QFETCH(qint64, strongest);
    QCOMPARE(CatalogueBounds::counting(problem), counting);
    QCOMPARE(CatalogueBounds::counting(problem.complement()), counting);
    QCOMPARE(CatalogueBounds::strongest(problem).value, strongest);
}

void ConstructionTest::partitionRecipesAllCloseTheWheel_data()
{
    QTest::addColumn<ClosingProblem>("problem");
    QTest::addColumn<int>("best"); // the smallest of them
    QTest::newRow("lotofacil 22, 11 points") << wheel(22, 15, 15, 11) << 6;
    QTest::newRow("lotofacil 18, 14 points") << wheel(18, 15, 15, 14) << 24;
    QTest::newRow("quina 20, duque") << wheel(20, 5, 5, 2) << 4;
}

void ConstructionTest::partitionRecipesAllCloseTheWheel()
{
    QFETCH(ClosingProblem, problem);
    QFETCH(int, best);
    // Short runs for the groups the optimizer closes: these wheels' best groups are made by
    // construction.
    const std::vector<ClosingRecipe> recipes = CatalogueSearch::partitionRecipes(problem, 500);
    QVERIFY(!recipes.empty());
    std::size_t smallest = ~std::size_t { 0 };
    for (const ClosingRecipe& recipe : recipes) {
        const RecipeRunner::Result r = RecipeRunner::run(problem, recipe);
        QVERIFY2(r.error.isEmpty(), qPrintable(recipe.toString() + ": " + r.error));
        QVERIFY2(
            CatalogueCheck::uncoveredDraws(problem, r.tickets) == 0, qPrintable(recipe.toString()));
        smallest = std::min(smallest, r.tickets.size());
    }
    QCOMPARE(static_cast<int>(smallest), best);
}

QTEST_GUILESS_MAIN(ConstructionTest)
#include "construction_test.moc"
