#pragma once

#include "engine/generate/line_store.h"
#include "engine/generate/ticket_mask.h"

#include <QString>

class Console;

// Closing and draws files as the window reads and writes them: k numbers a line, each line
// checked by ReadTicketFile (the first wrong line makes the whole file invalid); written with
// CR LF line ends, the old file replaced only once the new one is complete.
namespace CommandFiles {

// The numbers per line that the file's first line holds; 0 when the file is empty, cannot be
// read or its first line has no length of whole numbers.
int numbersPerLine(const QString& path);

// Reads the lines into `lines` and the union of their numbers into `numbers`. False, with
// `error` set to the window's message, when the file cannot be opened or is invalid.
bool read(const QString& path, int k, LineStore& lines, TicketMask& numbers, QString& error);

// Writes the lines and says so as "Salvar Fechamento" does; false when the file could not be
// written (any old file is then left as it was).
bool write(const QString& path, const LineStore& lines, Console& console);

} // namespace CommandFiles
