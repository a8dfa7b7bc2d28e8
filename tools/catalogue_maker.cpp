// The catalogue's maker until quirva-cli takes its commands over: lists the catalogue, writes
// one entry for a bet's numbers, and builds, improves or checks entries of a catalogue folder
// through the library (RecipeRunner, CatalogueSearch, CatalogueUpdate). tools/make-catalogue
// drives it over the whole catalogue.

#include "engine/catalogue/catalogue_bounds.h"
#include "engine/catalogue/catalogue_check.h"
#include "engine/catalogue/catalogue_format.h"
#include "engine/catalogue/catalogue_search.h"
#include "engine/catalogue/catalogue_update.h"
#include "engine/catalogue/closing_catalogue.h"
#include "engine/catalogue/recipe_runner.h"
#include "engine/generate/line_format.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QStringList>
#include <QTextStream>
#include <csignal>
#include <ctime>
#include <optional>

namespace {

const char* const kUsage = R"(usage: catalogue_maker COMMAND [options]
  list                              the wheels, their tickets and lower bounds
  write T K C G NUMBER...           the entry on these numbers, in closing-file lines
  build T K C G --recipe TEXT       makes the closing the recipe gives
  improve T K C G [--seed S] (--moves M | --cpu-seconds X)
                                    optimizes the entry further from its tickets
  search T K C G --cpu-seconds X    partitions, the optimizer from the generator, and the
                                    best partition optimized, within about X seconds
  rebuild T K C G                   runs the entry's recipe, says whether it gives its tickets
  check                             every entry by the catalogue's check
  table                             the catalogue as Markdown tables for the README: per
                                    ticket size, T by G, tickets and lower bound
  leave-out T K C G --reason TEXT   names the wheel in left-out.txt with the reason
  wheels                            the wheels meant to be held: T K C G, draws, lower bound,
                                    tickets held (0 for none, -1 left out)
options: --data FOLDER (default: the catalogue compiled in; needed to write),
         --log FILE (one line per command: wheel, command, seconds, outcome),
         --checkpoint SECONDS (improve, search: offer the best so far this often; default 600)
A better closing replaces an entry only when smaller and complete by the optimizer's check.
)";

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

volatile std::sig_atomic_t interrupted = 0;

double cpuNow()
{
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

struct Options {
    QString command, data, log, recipe, reason;
    ClosingProblem problem;
    std::vector<int> numbers;
    quint64 seed = 1, moves = 0;
    double cpuSeconds = 0, checkpoint = 600;
};

std::optional<Options> parseArguments(const QStringList& args)
{
    Options o;
    if (args.size() < 2) return std::nullopt;
    o.command = args[1];
    QStringList positional;
    for (qsizetype i = 2; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        bool ok = true;
        if (a == u"--data" && hasValue)
            o.data = args[++i];
        else if (a == u"--log" && hasValue)
            o.log = args[++i];
        else if (a == u"--recipe" && hasValue)
            o.recipe = args[++i];
        else if (a == u"--reason" && hasValue)
            o.reason = args[++i];
        else if (a == u"--seed" && hasValue)
            o.seed = args[++i].toULongLong(&ok);
        else if (a == u"--moves" && hasValue)
            o.moves = args[++i].toULongLong(&ok);
        else if (a == u"--cpu-seconds" && hasValue)
            o.cpuSeconds = args[++i].toDouble(&ok);
        else if (a == u"--checkpoint" && hasValue)
            o.checkpoint = args[++i].toDouble(&ok);
        else if (a.startsWith(u"--"))
            return std::nullopt;
        else
            positional << a;
        if (!ok) return std::nullopt;
    }
    const bool needsWheel = o.command != u"list" && o.command != u"check" && o.command != u"wheels"
        && o.command != u"table";
    if (needsWheel) {
        if (positional.size() < 4) return std::nullopt;
        int v[4];
        for (int i = 0; i < 4; ++i) {
            bool ok = false;
            v[i] = positional[i].toInt(&ok);
            if (!ok) return std::nullopt;
        }
        o.problem = { v[0], v[1], v[2], v[3] };
        if (!o.problem.valid()) return std::nullopt;
        for (qsizetype i = 4; i < positional.size(); ++i) {
            bool ok = false;
            o.numbers.push_back(positional[i].toInt(&ok));
            if (!ok) return std::nullopt;
        }
    } else if (!positional.isEmpty()) {
        return std::nullopt;
    }
    return o;
}

void logLine(const Options& o, double seconds, const QString& outcome)
{
    if (o.log.isEmpty()) return;
    QFile file(o.log);
    if (!file.open(QIODevice::Append | QIODevice::Text)) return;
    QTextStream(&file) << QDateTime::currentDateTime().toString(Qt::ISODate) << '\t'
                       << o.problem.key() << '\t' << o.command << '\t'
                       << QString::number(seconds, 'f', 1) << '\t' << outcome << '\n';
}

// Offers a closing to the data folder and says what came of it.
CatalogueUpdate::Outcome offer(const Options& o, const std::vector<TicketMask>& tickets,
    const ClosingRecipe& recipe, double cpuSeconds)
{
    QString detail;
    const CatalogueUpdate::Outcome outcome = CatalogueUpdate::offer(
        o.data, CatalogueUpdate::entryOf(o.problem, tickets, recipe, cpuSeconds), &detail);
    err() << o.problem.key() << ": " << CatalogueUpdate::outcomeText(outcome) << " (" << detail
          << ")" << Qt::endl;
    return outcome;
}

int list(const ClosingCatalogue& catalogue)
{
    out() << "T\tK\tC\tG\ttickets\tcounting\tstronger\tcpu-seconds\tmade\n";
    for (const CatalogueEntry& e : catalogue.entries())
        out() << e.problem.T << '\t' << e.problem.K << '\t' << e.problem.C << '\t' << e.problem.G
              << '\t' << e.size << '\t' << e.countingBound << '\t'
              << (e.strongerBound ? e.strongerBoundName + u' ' + QString::number(e.strongerBound)
                                  : QStringLiteral("-"))
              << '\t' << QString::number(e.cpuSeconds, 'f', 1) << '\t' << e.recipe << '\n';
    for (const ClosingCatalogue::LeftOut& l : catalogue.leftOut())
        out() << l.problem.T << '\t' << l.problem.K << '\t' << l.problem.C << '\t' << l.problem.G
              << "\tleft out: " << l.reason << '\n';
    for (const QString& d : catalogue.damaged())
        err() << "damaged: " << d << '\n';
    return catalogue.damaged().isEmpty() ? 0 : 1;
}

int wheels(const ClosingCatalogue& catalogue)
{
    for (const ClosingProblem& w : ClosingCatalogue::wheels()) {
        const CatalogueEntry* e = catalogue.header(w);
        const bool leftOut = std::any_of(catalogue.leftOut().begin(), catalogue.leftOut().end(),
            [&](const ClosingCatalogue::LeftOut& l) { return l.problem == w; });
        out() << w.key() << ' ' << CatalogueBounds::binomial(w.T, w.C) << ' '
              << CatalogueBounds::strongest(w).value << ' '
              << (leftOut    ? -1
                         : e ? e->size
                             : 0)
              << '\n';
    }
    return 0;
}

int table(const ClosingCatalogue& catalogue)
{
    const std::vector<ClosingProblem> all = ClosingCatalogue::wheels();
    for (int K : { 15, 6, 5 }) {
        std::vector<int> Ts, Gs;
        for (const ClosingProblem& w : all)
            if (w.K == K) {
                if (std::find(Ts.begin(), Ts.end(), w.T) == Ts.end()) Ts.push_back(w.T);
                if (std::find(Gs.begin(), Gs.end(), w.G) == Gs.end()) Gs.push_back(w.G);
            }
        out() << "\nTickets of " << K << " (tickets / lower bound; c: by construction, "
              << "-: left out)\n\n| T |";
        for (int G : Gs)
            out() << " G = " << G << " |";
        out() << "\n|---|";
        for (std::size_t i = 0; i < Gs.size(); ++i)
            out() << "---|";
        out() << '\n';
        for (int T : Ts) {
            out() << "| " << T << " |";
            for (int G : Gs) {
                const CatalogueEntry* e = catalogue.header({ T, K, K, G });
                if (!e) {
                    out() << " - |";
                    continue;
                }
                const bool constructed = !e->recipe.contains(QStringLiteral("generator"))
                    && !e->recipe.startsWith(QStringLiteral("optimize"));
                out() << ' ' << e->size << " / " << e->lowerBound() << (constructed ? " c" : "")
                      << " |";
            }
            out() << '\n';
        }
    }
    return 0;
}

int check(const ClosingCatalogue& catalogue)
{
    int failures = 0;
    for (const CatalogueEntry& header : catalogue.entries()) {
        QString error;
        const std::optional<CatalogueEntry> e = catalogue.find(header.problem, &error);
        const std::int64_t uncovered
            = e ? CatalogueCheck::uncoveredDraws(e->problem, e->tickets) : -1;
        const bool sound = e && uncovered == 0 && CatalogueCheck::wellFormed(e->problem, e->tickets)
            && CatalogueCheck::distinct(e->tickets) && e->size >= e->lowerBound();
        failures += !sound;
        out() << header.problem.key() << '\t' << (sound ? "ok" : "FAILED") << '\t'
              << (e ? QString::number(uncovered) + QStringLiteral(" uncovered") : error) << '\n';
    }
    return failures ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::optional<Options> parsed = parseArguments(app.arguments());
    if (!parsed) {
        err() << kUsage;
        return 2;
    }
    const Options& o = *parsed;
    std::signal(SIGINT, [](int) { interrupted = 1; });
    std::signal(SIGTERM, [](int) { interrupted = 1; });
    const ClosingCatalogue catalogue(o.data.isEmpty() ? ClosingCatalogue::builtInFolder() : o.data);
    const bool writes = o.command == u"build" || o.command == u"improve" || o.command == u"search"
        || o.command == u"leave-out";
    if (writes && o.data.isEmpty()) {
        err() << "--data FOLDER is needed to write an entry\n";
        return 2;
    }
    const double began = cpuNow();

    if (o.command == u"list") return list(catalogue);
    if (o.command == u"check") return check(catalogue);
    if (o.command == u"wheels") return wheels(catalogue);
    if (o.command == u"table") return table(catalogue);
    if (o.command == u"leave-out") {
        if (o.reason.isEmpty()) {
            err() << kUsage;
            return 2;
        }
        return CatalogueUpdate::leaveOut(o.data, o.problem, o.reason) ? 0 : 1;
    }
    if (o.command == u"write") {
        QString error;
        const std::optional<CatalogueEntry> e = catalogue.find(o.problem, &error);
        const std::vector<TicketMask> tickets
            = e ? e->onNumbers(o.numbers) : std::vector<TicketMask> {};
        if (tickets.empty()) {
            err() << (e ? QStringLiteral("the bet must be %1 distinct numbers of 1..100")
                              .arg(o.problem.T)
                        : error)
                  << '\n';
            return 2;
        }
        for (const TicketMask& t : tickets)
            out() << LineFormat::trimmed(LineFormat::maskLine(t, u' ')).toString() << "\r\n";
        return 0;
    }
    if (o.command == u"build") {
        QString why;
        const std::optional<ClosingRecipe> recipe = ClosingRecipe::parse(o.recipe, &why);
        if (!recipe) {
            err() << why << '\n';
            return 2;
        }
        RecipeRunner::Control control;
        control.stop = [] { return interrupted != 0; };
        const RecipeRunner::Result r = RecipeRunner::run(o.problem, *recipe, {}, control);
        if (!r.error.isEmpty()) {
            err() << r.error << '\n';
            logLine(o, cpuNow() - began, r.error);
            return 1;
        }
        const auto outcome = offer(o, r.tickets, r.recipe, r.cpuSeconds);
        logLine(o, cpuNow() - began,
            QStringLiteral("%1 %2")
                .arg(r.tickets.size())
                .arg(CatalogueUpdate::outcomeText(outcome)));
        return outcome == CatalogueUpdate::Outcome::Written
                || outcome == CatalogueUpdate::Outcome::NotSmaller
            ? 0
            : 1;
    }
    if (o.command == u"rebuild") {
        QString error;
        const std::optional<CatalogueEntry> e = catalogue.find(o.problem, &error);
        const std::optional<ClosingRecipe> recipe
            = e ? ClosingRecipe::parse(e->recipe, &error) : std::nullopt;
        if (!recipe) {
            err() << error << '\n';
            return 2;
        }
        const RecipeRunner::Result r = RecipeRunner::run(o.problem, *recipe);
        const bool same = r.error.isEmpty() && r.tickets == e->tickets;
        out() << o.problem.key() << '\t' << (same ? "same tickets" : "DIFFERENT") << '\t'
              << r.tickets.size() << " of " << e->size << '\t'
              << QString::number(r.cpuSeconds, 'f', 1) << " s\n";
        logLine(o, cpuNow() - began, same ? QStringLiteral("same") : QStringLiteral("different"));
        return same ? 0 : 1;
    }
    if (o.command == u"improve" || o.command == u"search") {
        std::optional<CatalogueEntry> current = catalogue.find(o.problem);
        if (o.command == u"improve" && !current) {
            err() << "no entry for " << o.problem.key() << " to improve\n";
            return 2;
        }
        if ((o.command == u"improve" && !o.moves && o.cpuSeconds <= 0)
            || (o.command == u"search" && o.cpuSeconds <= 0)) {
            err() << kUsage;
            return 2;
        }
        // Smaller closings found on the way are offered now and then, so that a run cut short
        // (or killed) keeps what it found.
        double lastOffer = cpuNow();
        std::int64_t offered = current ? current->size : 0;
        std::vector<TicketMask> pending;
        ClosingRecipe pendingRecipe;
        double pendingCpu = 0;
        auto offerPending = [&] {
            if (pending.empty()
                || (offered && static_cast<std::int64_t>(pending.size()) >= offered))
                return;
            const auto outcome = offer(o, pending, pendingRecipe, pendingCpu);
            if (outcome == CatalogueUpdate::Outcome::Written)
                offered = static_cast<std::int64_t>(pending.size());
            if (outcome == CatalogueUpdate::Outcome::TooLarge && !current)
                CatalogueUpdate::leaveOut(o.data, o.problem,
                    QStringLiteral("the smallest closing found has %1 tickets")
                        .arg(pending.size()));
            lastOffer = cpuNow();
        };
        auto note
            = [&](const std::vector<TicketMask>& tickets, const ClosingRecipe& recipe, double cpu) {
                  pending = tickets;
                  pendingRecipe = recipe;
                  pendingCpu = cpu;
                  err() << o.problem.key() << ": " << tickets.size() << " tickets after "
                        << QString::number(cpuNow() - began, 'f', 0) << " s" << Qt::endl;
                  if (cpuNow() - lastOffer > o.checkpoint) offerPending();
              };
        if (o.command == u"improve") {
            std::optional<ClosingRecipe> before = ClosingRecipe::parse(current->recipe);
            if (!before) before = ClosingRecipe();
            const double deadline = o.cpuSeconds > 0 ? began + o.cpuSeconds : 0;
            RecipeRunner::Control control;
            control.stop
                = [&] { return interrupted != 0 || (deadline > 0 && cpuNow() > deadline); };
            control.improved
                = [&](const std::vector<TicketMask>& tickets, const ClosingRecipe& soFar) {
                      note(tickets, before->then(soFar), current->cpuSeconds + cpuNow() - began);
                  };
            const ClosingRecipe step(
                { ClosingRecipe::optimize(o.seed, o.moves ? o.moves : ~quint64 { 0 } >> 1) });
            const RecipeRunner::Result r
                = RecipeRunner::run(o.problem, step, current->tickets, control);
            if (!r.error.isEmpty()) {
                err() << r.error << '\n';
                return 1;
            }
            note(r.tickets, before->then(r.recipe), current->cpuSeconds + r.cpuSeconds);
        } else {
            const CatalogueSearch::Found found = CatalogueSearch::best(
                o.problem, o.cpuSeconds,
                [&](const CatalogueSearch::Found& f) { note(f.tickets, f.recipe, f.cpuSeconds); },
                [] { return interrupted != 0; });
            if (!found.tickets.empty()) note(found.tickets, found.recipe, found.cpuSeconds);
        }
        offerPending();
        logLine(o, cpuNow() - began,
            QStringLiteral("%1 tickets (entry %2)").arg(pending.size()).arg(offered));
        return 0;
    }
    err() << kUsage;
    return 2;
}
