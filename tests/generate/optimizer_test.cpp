#include "engine/generate/optimizer_draw_space.h"
#include "engine/generate/optimizer_search.h"
#include "engine/generate/parallel_optimizer.h"
#include "support/app_fixture.h"
#include "support/ui_driver.h"
#include "support/ui_find.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <numeric>
#include <set>

namespace {

// Brute force: every (C - F)-subset of the selected numbers, with the fixed ones, must meet
// some ticket in G numbers. Written with plain bit loops, apart from the code under test.
int uncovered(const std::vector<int>& selected, const std::vector<int>& fixed, int C, int G,
    const std::vector<TicketMask>& tickets)
{
    const int n = static_cast<int>(selected.size());
    const int m = C - static_cast<int>(fixed.size());
    int missing = 0;
    for (unsigned bits = 0; bits < (1U << n); ++bits) {
        if (std::popcount(bits) != m) continue;
        TicketMask draw;
        for (int f : fixed)
            draw.add(f);
        for (int p = 0; p < n; ++p)
            if (bits >> p & 1U) draw.add(selected[static_cast<std::size_t>(p)]);
        bool hit = false;
        for (const TicketMask& t : tickets)
            hit = hit || common(t, draw) >= G;
        missing += !hit;
    }
    return missing;
}

// What the optimizer keeps up to date move by move, recounted from its tickets: cover count
// per draw, draws each ticket alone covers, draws left uncovered. Empty when all agree.
QString recountMismatch(const ClosingOptimizer& optimizer, int least)
{
    const OptimizerDrawSpace& space = optimizer.space();
    const std::vector<TicketMask>& tickets = optimizer.tickets();
    std::vector<std::uint32_t> sole(tickets.size(), 0);
    std::size_t uncoveredDraws = 0;
    for (std::uint32_t r = 0; r < space.size(); ++r) {
        const TicketMask draw = space.unrank(r);
        std::uint32_t count = 0;
        std::size_t owner = 0;
        for (std::size_t i = 0; i < tickets.size(); ++i)
            if (common(tickets[i], draw) >= least) {
                ++count;
                owner = i;
            }
        if (optimizer.coverCount(r) != count) return QString("count of draw %1").arg(r);
        if (count == 1) ++sole[owner];
        uncoveredDraws += count == 0;
    }
    if (optimizer.soleCounts() != sole) return "draws covered by one ticket only";
    if (optimizer.phase() == ClosingOptimizer::Phase::Searching
        && optimizer.uncoveredCount() != uncoveredDraws)
        return "uncovered draws";
    return {};
}

TicketMask ticketOf(std::initializer_list<int> numbers)
{
    TicketMask t;
    for (int n : numbers)
        t.add(n);
    return t;
}

// A bet of `count` consecutive numbers from `first`, no fixed ones.
ClosingOptimizer::Setup setupOf(int K, int G, int C, int first, int count, std::uint64_t seed)
{
    ClosingOptimizer::Setup setup;
    setup.K = K;
    setup.G = G;
    setup.C = C;
    setup.selected.resize(static_cast<std::size_t>(count));
    std::iota(setup.selected.begin(), setup.selected.end(), first);
    setup.seed = seed;
    return setup;
}

} // namespace

class OptimizerTest : public QObject
{
    Q_OBJECT
private slots:
    void ranksAreABijection_data();
    void ranksAreABijection();
    void optimizedClosingIsCompleteAndNoLarger_data();
    void optimizedClosingIsCompleteAndNoLarger();
    void everyRecordedClosingIsComplete();
    void searchStuckInAValleyGoesBackToTheRecord();
    void incrementalCountsAgreeWithRecount_data();
    void incrementalCountsAgreeWithRecount();
    void threadedSearchLeavesCompleteClosingOnStop_data();
    void threadedSearchLeavesCompleteClosingOnStop();
    void refusesWhatCannotBeEnumerated();
    void buttonLeavesSmallerCompleteClosing();
    void pararDuringCompletionKeepsTheClosing();
    void buttonRefusals_data();
    void buttonRefusals();
};

void OptimizerTest::ranksAreABijection_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("m");
    QTest::newRow("12 choose 6") << 12 << 6;
    QTest::newRow("10 choose 1") << 10 << 1;
    QTest::newRow("9 choose 9") << 9 << 9;
    QTest::newRow("17 choose 4, three bytes") << 17 << 4;
}

void OptimizerTest::ranksAreABijection()
{
    QFETCH(int, n);
    QFETCH(int, m);
    const OptimizerDrawSpace space(n, m);
    std::set<std::uint32_t> seen;
    for (unsigned bits = 0; bits < (1U << n); ++bits) {
        if (std::popcount(bits) != m) continue;
        TicketMask draw;
        for (int p = 0; p < n; ++p)
            if (bits >> p & 1U) draw.add(p + 1);
        const std::uint32_t r = space.rank(draw);
        QVERIFY(r < space.size());
        QVERIFY(space.unrank(r) == draw);
        seen.insert(r);
    }
    QCOMPARE(seen.size(), static_cast<std::size_t>(space.size()));
}

void OptimizerTest::optimizedClosingIsCompleteAndNoLarger_data()
{
    QTest::addColumn<int>("T");
    QTest::addColumn<int>("K");
    QTest::addColumn<int>("F");
    QTest::addColumn<int>("G");
    QTest::addColumn<int>("C");
    QTest::addColumn<bool>("startFromAll"); // else one ticket, far from complete
    QTest::addColumn<int>("atMost"); // a size the search must reach on such a small case
    QTest::newRow("megasena 12, every ticket") << 12 << 6 << 0 << 3 << 6 << true << 2;
    QTest::newRow("8 numbers, G 5, one ticket") << 8 << 6 << 0 << 5 << 6 << false << 4;
    QTest::newRow("two fixed") << 10 << 5 << 2 << 4 << 5 << false << 28;
    QTest::newRow("tickets shorter than draws") << 9 << 4 << 0 << 3 << 6 << false << 84;
    QTest::newRow("fixed numbers give the guarantee") << 9 << 5 << 2 << 2 << 4 << true << 1;
}

void OptimizerTest::optimizedClosingIsCompleteAndNoLarger()
{
    QFETCH(int, T);
    QFETCH(int, K);
    QFETCH(int, F);
    QFETCH(int, G);
    QFETCH(int, C);
    QFETCH(bool, startFromAll);
    QFETCH(int, atMost);
    // The bet: odd numbers, fixed ones 50, 51, ...
    ClosingOptimizer::Setup setup;
    setup.K = K;
    setup.F = F;
    setup.G = G;
    setup.C = C;
    for (int i = 0; i < T - F; ++i)
        setup.selected.push_back(2 * i + 1);
    for (int i = 0; i < F; ++i)
        setup.fixed.push_back(50 + i);
    setup.seed = 7;
    std::vector<TicketMask> start;
    if (startFromAll) {
        const OptimizerDrawSpace tickets(T - F, K - F);
        for (std::uint32_t r = 0; r < tickets.size(); ++r) {
            TicketMask t;
            for (int f : setup.fixed)
                t.add(f);
            tickets.unrank(r).forEach(
                [&](int p) { t.add(setup.selected[static_cast<std::size_t>(p - 1)]); });
            start.push_back(t);
        }
    } else {
        TicketMask t;
        for (int f : setup.fixed)
            t.add(f);
        for (int i = 0; i < K - F; ++i)
            t.add(setup.selected[static_cast<std::size_t>(i)]);
        start.push_back(t);
    }
    QCOMPARE(ClosingOptimizer::check(setup), ClosingOptimizer::Refusal::None);
    ClosingOptimizer optimizer(setup, start);
    for (int i = 0; i < 20000 && optimizer.phase() != ClosingOptimizer::Phase::Finished; ++i)
        optimizer.step();
    QVERIFY(optimizer.hasComplete());
    const std::vector<TicketMask> best = optimizer.bestClosing();
    QCOMPARE(static_cast<int>(best.size()), optimizer.bestSize());
    QCOMPARE(uncovered(setup.selected, setup.fixed, C, G, best), 0);
    QVERIFY(optimizer.bestSize() <= optimizer.firstCompleteSize());
    if (startFromAll) QVERIFY(optimizer.firstCompleteSize() <= static_cast<int>(start.size()));
    QVERIFY2(optimizer.bestSize() <= atMost, qPrintable(QString::number(optimizer.bestSize())));
    for (const TicketMask& t : best) {
        QCOMPARE(t.count(), K);
        for (int f : setup.fixed)
            QVERIFY(t.has(f));
        t.forEach([&](int n) { QVERIFY(n % 2 == 1 || n >= 50); });
    }
}

void OptimizerTest::everyRecordedClosingIsComplete()
{
    const ClosingOptimizer::Setup setup = setupOf(5, 3, 5, 20, 11, 3);
    ClosingOptimizer optimizer(setup, { ticketOf({ 20, 21, 22, 23, 24 }) });
    int checked = 0, lastSize = 0;
    for (int i = 0; i < 30000 && optimizer.phase() != ClosingOptimizer::Phase::Finished; ++i) {
        optimizer.step();
        if (optimizer.hasComplete() && optimizer.bestSize() != lastSize) {
            lastSize = optimizer.bestSize();
            QCOMPARE(uncovered(setup.selected, {}, 5, 3, optimizer.bestClosing()), 0);
            ++checked;
        }
    }
    QVERIFY(checked >= 2); // the first complete closing and at least one improvement
}

void OptimizerTest::searchStuckInAValleyGoesBackToTheRecord()
{
    // On this seed the search, kept cold, sticks at 88 tickets for millions of moves; going
    // back to the record gets it to 87 in a few hundred thousand.
    const ClosingOptimizer::Setup setup = setupOf(6, 4, 6, 1, 20, 15);
    ClosingOptimizer optimizer(setup, {});
    while (optimizer.phase() != ClosingOptimizer::Phase::Finished && optimizer.moves() < 1500000
        && !(optimizer.hasComplete() && optimizer.bestSize() <= 87))
        optimizer.step();
    QVERIFY2(optimizer.bestSize() <= 87, qPrintable(QString::number(optimizer.bestSize())));
    QVERIFY(optimizer.restarts() > 0);
    QCOMPARE(uncovered(setup.selected, {}, 6, 4, optimizer.bestClosing()), 0);
}

void OptimizerTest::incrementalCountsAgreeWithRecount_data()
{
    QTest::addColumn<int>("T");
    QTest::addColumn<int>("K");
    QTest::addColumn<int>("F");
    QTest::addColumn<int>("G");
    QTest::addColumn<int>("C");
    QTest::newRow("12 numbers, quadra") << 12 << 6 << 0 << 4 << 6;
    QTest::newRow("one fixed, tickets shorter than draws") << 11 << 5 << 1 << 4 << 6;
    QTest::newRow("tickets longer than draws") << 13 << 7 << 0 << 3 << 5;
}

void OptimizerTest::incrementalCountsAgreeWithRecount()
{
    QFETCH(int, T);
    QFETCH(int, K);
    QFETCH(int, F);
    QFETCH(int, G);
    QFETCH(int, C);
    ClosingOptimizer::Setup setup;
    setup.K = K;
    setup.F = F;
    setup.G = G;
    setup.C = C;
    for (int i = 0; i < T - F; ++i)
        setup.selected.push_back(i + 1);
    for (int i = 0; i < F; ++i)
        setup.fixed.push_back(60 + i);
    setup.seed = 11;
    // Short hot cycles of the cooling schedule, so that reheats and returns to the record
    // come often.
    setup.acceptanceTarget = 0;
    setup.startTemperature = 3;
    setup.cooling = 0.5;
    setup.minMovesPerRound = 50;
    // A mirror follows the journal and judges every other move, as the threads do; a twin
    // searches alone. Skipping what the mirror refused must not change the path.
    struct MirrorOracle : ClosingOptimizer::Oracle {
        ClosingOptimizer mirror;
        std::vector<ClosingOptimizer::Change> journal;
        explicit MirrorOracle(const ClosingOptimizer::Setup& setup)
            : mirror(setup, {})
        {
        }
        void follow()
        {
            for (const ClosingOptimizer::Change& change : journal)
                mirror.replay(change);
            journal.clear();
        }
        Verdict verdict(std::uint64_t index, std::uint64_t version, double heat, bool) override
        {
            follow();
            if (index % 2 == 0 || mirror.version() != version) return Verdict::Unknown;
            madeAt = mirror.prepareMove(index, heat, made) ? index : ~std::uint64_t { 0 };
            return madeAt == index ? Verdict::Accepted : Verdict::Refused;
        }
        // The moves the mirror finds are made from its change, as the threads do.
        const ClosingOptimizer::Change* prepared(
            std::uint64_t index, std::uint64_t, double) override
        {
            return index == madeAt ? &made : nullptr;
        }
        ClosingOptimizer::Change made;
        std::uint64_t madeAt = ~std::uint64_t { 0 };
        std::uint64_t nextOwn(std::uint64_t index) override { return index / 2 * 2 + 2; }
    } oracle(setup);
    ClosingOptimizer optimizer(setup, {}), twin(setup, {});
    optimizer.journalTo(&oracle.journal);
    optimizer.consult(&oracle);
    for (int checkpoint = 0; checkpoint < 12; ++checkpoint) {
        for (int i = 0; i < 2500 && optimizer.phase() != ClosingOptimizer::Phase::Finished; ++i) {
            optimizer.step();
            twin.step();
        }
        const QString mismatch = recountMismatch(optimizer, G - F);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        oracle.follow();
        const ClosingOptimizer& mirror = oracle.mirror;
        QVERIFY(mirror.tickets() == optimizer.tickets());
        QVERIFY(twin.tickets() == optimizer.tickets());
        QVERIFY(mirror.soleCounts() == optimizer.soleCounts());
        for (std::uint32_t r = 0; r < optimizer.space().size(); r += 7)
            QCOMPARE(mirror.coverCount(r), optimizer.coverCount(r));
    }
    QVERIFY(optimizer.movesSkipped() > 0);
    QVERIFY(optimizer.restarts() > 0);
    QCOMPARE(uncovered(setup.selected, setup.fixed, C, G, optimizer.bestClosing()), 0);
}

void OptimizerTest::threadedSearchLeavesCompleteClosingOnStop_data()
{
    using Mode = ParallelOptimizer::Mode;
    QTest::addColumn<int>("threads");
    QTest::addColumn<int>("movesBeforeStop");
    QTest::addColumn<Mode>("mode");
    QTest::newRow("Parar at once, one thread") << 1 << 0 << Mode::Auto;
    QTest::newRow("Parar at once, three racing") << 3 << 0 << Mode::Race;
    QTest::newRow("Parar while racing, three") << 3 << 30000 << Mode::Race;
    QTest::newRow("Parar at once, three mirrored") << 3 << 0 << Mode::Mirror;
    QTest::newRow("Parar while mirrored, three") << 3 << 30000 << Mode::Mirror;
}

void OptimizerTest::threadedSearchLeavesCompleteClosingOnStop()
{
    QFETCH(int, threads);
    QFETCH(int, movesBeforeStop);
    QFETCH(ParallelOptimizer::Mode, mode);
    ClosingOptimizer::Setup setup;
    setup.K = 6;
    setup.G = 4;
    setup.C = 6;
    for (int i = 0; i < 14; ++i)
        setup.selected.push_back(2 * i + 1);
    setup.seed = 5;
    ParallelOptimizer optimizer(setup, { ticketOf({ 1, 3, 5, 7, 9, 11 }) }, threads, mode);
    QCOMPARE(optimizer.threads(), threads);
    // A space this small is raced over.
    QCOMPARE(optimizer.mode(),
        mode == ParallelOptimizer::Mode::Auto ? ParallelOptimizer::Mode::Race : mode);
    while (!optimizer.finished() && optimizer.moves() < static_cast<std::uint64_t>(movesBeforeStop))
        optimizer.waitFor(5);
    optimizer.stop();
    optimizer.wait();
    QVERIFY(optimizer.finished());
    // Stopped before its closing was complete, a search leaves none at all.
    if (movesBeforeStop == 0 && !optimizer.hasComplete()) {
        QVERIFY(optimizer.bestClosing().empty());
        return;
    }
    QVERIFY(optimizer.hasComplete());
    const std::vector<TicketMask> best = optimizer.bestClosing();
    QCOMPARE(static_cast<int>(best.size()), optimizer.bestSize());
    QVERIFY(optimizer.bestSize() <= optimizer.firstCompleteSize());
    QCOMPARE(uncovered(setup.selected, {}, 6, 4, best), 0);
    for (const TicketMask& t : best) {
        QCOMPARE(t.count(), 6);
        t.forEach([&](int n) { QVERIFY(n % 2 == 1 && n < 28); });
    }
}

void OptimizerTest::refusesWhatCannotBeEnumerated()
{
    ClosingOptimizer::Setup setup;
    setup.K = 15;
    setup.G = 11;
    setup.C = 15;
    setup.selected.resize(25);
    QCOMPARE(ClosingOptimizer::check(setup), ClosingOptimizer::Refusal::None); // C(25,15)
    QCOMPARE(ClosingOptimizer::check(setup, std::uint64_t { 30 } << 20),
        ClosingOptimizer::Refusal::NotEnoughMemory);
    setup.selected.resize(30); // C(30,15) = 155117520
    QCOMPARE(ClosingOptimizer::check(setup), ClosingOptimizer::Refusal::TooManyDraws);
    setup.F = 5; // T = 30 with 5 fixed: C(25,10) = 3268760
    setup.selected.resize(25);
    QCOMPARE(ClosingOptimizer::check(setup), ClosingOptimizer::Refusal::None);
    setup.K = 10;
    setup.G = 12;
    QCOMPARE(ClosingOptimizer::check(setup), ClosingOptimizer::Refusal::TicketTooSmall);
}

namespace {

// Mega-Sena, twelve numbers bet with one fixed, and a closing from the random generator.
void generatedMegaSena(MainWindowFixture& f)
{
    f.start();
    TForm1& w = *f.form;
    Ui::click(&w, "RadioButton3");
    Ui::type(&w, "Edit10", "1");
    Ui::click(&w, "Button8");
    Ui::later(150, [&w] { Ui::click(&w, "Button5"); });
    Ui::click(&w, "Button1");
}

std::vector<TicketMask> closingOf(TForm1& w)
{
    std::vector<TicketMask> out;
    for (qsizetype i = 0; i < Ui::closing(&w).size(); ++i)
        out.push_back(LineFormat::analyse(Ui::closing(&w).line(i)).mask);
    return out;
}

} // namespace

void OptimizerTest::buttonLeavesSmallerCompleteClosing()
{
    MainWindowFixture f;
    generatedMegaSena(f);
    TForm1& w = *f.form;
    Ui::find<QComboBox>(&w, "ComboBox1")->setCurrentText(";");
    const qsizetype before = Ui::closing(&w).size();
    QVERIFY(before > 0);
    bool lockedDuringRun = false;
    // Parar once the search shows three tickets or fewer, however long that takes here.
    const auto smallEnough = [&] {
        const QString status = Ui::find<QLabel>(&w, "Label15")->text();
        return status.startsWith("Otimizando: melhor ") && status.section(' ', 2, 2).toInt() <= 3;
    };
    Ui::later(400, smallEnough, [&] {
        lockedDuringRun = Ui::find<QLineEdit>(&w, "Edit1")->isReadOnly()
            && !Ui::find<QPushButton>(&w, "Button1")->isEnabled()
            && Ui::find<QPushButton>(&w, "Button5")->isEnabled()
            && !Ui::find<QPushButton>(&w, "Button7")->isEnabled()
            && !Ui::find<QPushButton>(&w, "ButtonOptimize")->isEnabled() && !w.stopFlag
            && Ui::find<QLabel>(&w, "Label15")->text().startsWith("Otimizando: melhor ");
        Ui::click(&w, "Button5");
    });
    Ui::click(&w, "ButtonOptimize");
    QVERIFY(lockedDuringRun);
    const std::vector<TicketMask> closing = closingOf(w);
    const std::vector<int> fixed = w.board.fixedNumbers();
    QCOMPARE(uncovered(w.board.selectedNumbers(), fixed, 6, 3, closing), 0);
    for (qsizetype i = 0; i < Ui::closing(&w).size(); ++i) {
        QCOMPARE(Ui::closing(&w).mask(i).count(), 6);
        QVERIFY(Ui::closing(&w).mask(i).has(fixed.front()));
        QCOMPARE(Ui::closing(&w).line(i).count(';'), 5);
    }
    QVERIFY(closing.size() <= 3); // 2 tickets suffice; a fixed number makes it easier still
    QCOMPARE(Ui::find<QLabel>(&w, "Label2")->text(),
        QString("%1 bilhetes (antes %2). Sendo 0 não fechados em 462 sorteios não repetidos.")
            .arg(closing.size())
            .arg(before));
    QVERIFY(w.stopFlag);
    QVERIFY(Ui::find<QPushButton>(&w, "Button1")->isEnabled());
    QVERIFY(!Ui::find<QPushButton>(&w, "Button5")->isEnabled());
    QVERIFY(!Ui::find<QLineEdit>(&w, "Edit1")->isReadOnly());
    QVERIFY(Ui::find<QPushButton>(&w, "ButtonOptimize")->isEnabled());
    QCOMPARE(Ui::find<QLabel>(&w, "Label15")->text(), QString("."));
}

void OptimizerTest::pararDuringCompletionKeepsTheClosing()
{
    MainWindowFixture f;
    f.start();
    TForm1& w = *f.form;
    Ui::click(&w, "RadioButton5"); // Quina, 60 numbers, quadra: 5,461,512 draws to complete
    Ui::type(&w, "Edit1", "60");
    Ui::type(&w, "Edit5", "4");
    Ui::click(&w, "Button8");
    const QString ticket = Ui::text(&w, "Edit9").left(15);
    Ui::closing(&w).append(ticket); // far from complete
    Ui::later(0, [&] { Ui::click(&w, "Button5"); });
    Ui::click(&w, "ButtonOptimize");
    QVERIFY(w.stopFlag);
    QCOMPARE(Ui::find<QLabel>(&w, "Label15")->text(), QString("."));
    if (Ui::closing(&w).size() != 1) {
        // Only a machine that completes millions of draws within the first time slice gets
        // here; what it leaves must then be complete.
        QCOMPARE(uncovered(w.board.selectedNumbers(), {}, 5, 4, closingOf(w)), 0);
        return;
    }
    QCOMPARE(Ui::closing(&w).line(0), ticket);
    QVERIFY2(f.dialogs->lastMessage().contains("interrompida antes de completar"),
        qPrintable(f.dialogs->lastMessage()));
}

void OptimizerTest::buttonRefusals_data()
{
    QTest::addColumn<QString>("modality");
    QTest::addColumn<bool>("withClosing");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("guarantee");
    QTest::newRow("lotomania is too large")
        << "RadioButton1" << true << "limite de 20000000" << QString();
    QTest::newRow("empty closing")
        << "RadioButton3" << false << "Gere antes algum fechamento" << QString();
    QTest::newRow("only every combination closes")
        << "RadioButton3" << true << "não existe fechamento menor"
        << "6";
}

void OptimizerTest::buttonRefusals()
{
    QFETCH(QString, modality);
    QFETCH(bool, withClosing);
    QFETCH(QString, message);
    QFETCH(QString, guarantee);
    MainWindowFixture f;
    f.start();
    TForm1& w = *f.form;
    if (modality != "RadioButton1") Ui::click(&w, modality);
    if (!guarantee.isEmpty()) Ui::type(&w, "Edit5", guarantee);
    Ui::click(&w, "Button8");
    if (withClosing) Ui::closing(&w).append(u" 01 02 03");
    Ui::click(&w, "ButtonOptimize");
    QVERIFY2(f.dialogs->lastMessage().contains(message), qPrintable(f.dialogs->lastMessage()));
    QCOMPARE(Ui::closing(&w).size(), qsizetype(withClosing ? 1 : 0));
    QVERIFY(w.stopFlag);
    QVERIFY(!Ui::find<QLineEdit>(&w, "Edit1")->isReadOnly());
    QVERIFY(Ui::find<QPushButton>(&w, "Button7")->isEnabled());
}

QTEST_MAIN(OptimizerTest)
#include "optimizer_test.moc"
