#pragma once

#include "engine/catalogue/catalogue_entry.h"
#include "engine/catalogue/closing_problem.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The catalogue of ready-made closings: one entry file per wheel ("25-15-15-13.txt", in
// CatalogueFormat) in a folder, and "left-out.txt" naming the wheels it does not hold and why.
// The program reads the copy compiled in as a resource; the maker reads and improves the
// folder in the sources. Only headers are read up front; an entry's tickets when asked for.
class ClosingCatalogue
{
public:
    // A wheel whose smallest closing known is larger is left out.
    static constexpr int kMostTickets = 20000;

    // The catalogue compiled into the program (":/catalogue"), read once.
    static const ClosingCatalogue& builtIn();
    static QString builtInFolder() { return QStringLiteral(":/catalogue"); }

    explicit ClosingCatalogue(const QString& folder);

    // Every entry's header (no tickets), ordered by K, then T, then G.
    const std::vector<CatalogueEntry>& entries() const { return entries_; }
    const CatalogueEntry* header(const ClosingProblem& problem) const;
    // The wheels held for tickets of K numbers (what to offer when a bet matches none).
    std::vector<ClosingProblem> wheelsFor(int K) const;
    // The whole entry of a wheel; nullopt when the catalogue lacks it or its file is damaged
    // (the reason in `error`).
    std::optional<CatalogueEntry> find(
        const ClosingProblem& problem, QString* error = nullptr) const;

    struct LeftOut {
        ClosingProblem problem;
        QString reason;
    };
    const std::vector<LeftOut>& leftOut() const { return leftOut_; }
    // Files of the folder that are not entries, each with the reason.
    const QStringList& damaged() const { return damaged_; }

    // The wheels the catalogue is meant to hold, K = C, ordered like entries(): Lotofácil
    // tickets of 15 for T = 16..25, G = 11..14; Mega-Sena and Dupla-Sena tickets of 6 for
    // T = 7..30, G = 3..5; Quina tickets of 5 for T = 6..30, G = 2..4.
    static std::vector<ClosingProblem> wheels();
    static QString fileName(const ClosingProblem& problem);
    QString path(const ClosingProblem& problem) const { return folder_ + u'/' + fileName(problem); }
    const QString& folder() const { return folder_; }

private:
    QString folder_;
    std::vector<CatalogueEntry> entries_;
    std::vector<LeftOut> leftOut_;
    QStringList damaged_;
};
