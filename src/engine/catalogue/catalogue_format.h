#pragma once

#include "engine/catalogue/catalogue_entry.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// The text of one catalogue entry: a header of "key value" lines, a blank line, then one
// ticket a line, its positions ascending as two digits joined by blanks ("01 02 05"), so that
// a better closing shows in a diff as the lines it changes:
//   closing 25 15 15 13            T K C G
//   tickets 3150
//   lower-bound counting 671       and "lower-bound turan 24" when stronger
//   made generator seed=1 ... | optimize seed=1 moves=...   (a ClosingRecipe)
//   cpu-seconds 1234.5
// Lines starting with "#" in the header are comments.
namespace CatalogueFormat {

QByteArray write(const CatalogueEntry& entry);

// The entry a text holds; with withTickets false only its header (the tickets stay empty,
// `size` is the count the header states). nullopt with the reason when the text is not an entry: a
// key missing, twice or unknown, a value that is not a number, a ticket line that is not K distinct
// numbers of 1..T, or a count that disagrees.
std::optional<CatalogueEntry> parse(
    QByteArrayView text, bool withTickets = true, QString* error = nullptr);

} // namespace CatalogueFormat
