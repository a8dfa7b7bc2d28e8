#pragma once

#include "engine/catalogue/catalogue_entry.h"
#include "engine/catalogue/closing_recipe.h"

#include <QString>
#include <vector>

// Puts a better closing into a catalogue folder. A closing replaces an entry only when it is
// smaller and the optimizer's independent check (OptimizerCheck: every draw walked, every
// ticket asked) finds it complete and well formed; the search's own counts are never trusted.
namespace CatalogueUpdate {

enum class Outcome { Written, NotSmaller, TooLarge, Incomplete, Malformed, WriteFailed };

// The entry of a closing: canonical tickets, the bounds of its wheel, its recipe and time.
CatalogueEntry entryOf(const ClosingProblem& problem, std::vector<TicketMask> tickets,
    const ClosingRecipe& recipe, double cpuSeconds);

// Checks the closing and writes it over the folder's entry for the wheel (or as a new one)
// when it is smaller and within ClosingCatalogue::kMostTickets; `detail` says what was found.
Outcome offer(const QString& folder, const CatalogueEntry& entry, QString* detail = nullptr);

QString outcomeText(Outcome outcome);

// Names the wheel in the folder's left-out.txt with the reason (replacing an earlier line of
// it), unless the folder holds an entry for it. False when the file cannot be written.
bool leaveOut(const QString& folder, const ClosingProblem& problem, const QString& reason);

} // namespace CatalogueUpdate
