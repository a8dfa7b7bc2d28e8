#pragma once

#include "engine/bet/parameters.h"
#include "engine/generate/line_store.h"
#include "engine/generate/ticket_mask.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringView>
#include <algorithm>
#include <functional>
#include <string>

// Reads the lines of a closing or draws file one at a time, trimmed, with a blank put in front.
// A line never holds more than a bound of characters in memory, whatever the file holds
// (binary data, one line of a hundred megabytes): the rest of an overlong line is skipped.
class TicketFileReader
{
public:
    // maxLineChars: the longest trimmed line that is kept whole.
    TicketFileReader(const QString& path, qsizetype maxLineChars);
    // The bound for lines of k numbers: longer lines are refused without being held (no valid
    // line is longer than 300 characters).
    static qsizetype lineBound(int k) { return 3 * static_cast<qsizetype>(std::max(k, 0)) + 4; }

    // False when the file cannot be opened for reading; errorString() then says why.
    bool open();
    QString errorString() const { return file_.errorString(); }

    // The next normalised line; false at the end of the file. `overlong` tells that the trimmed
    // line was longer than the bound, and `line` then holds only its beginning.
    bool next(QString& line, bool& overlong);

private:
    bool fill();

    QFile file_;
    qsizetype maxLineChars_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    bool atEnd_ = false;
    bool skipLineFeed_ = false; // a CR ended the last line; a LF right after it belongs to it
    std::string content_, pendingBlanks_;
};

// The verdict on one normalised line that must hold k numbers.
struct TicketLineCheck {
    enum class Verdict { Valid, WrongLength, BadField };
    Verdict verdict = Verdict::Valid;
    TicketMask numbers; // the numbers read before the verdict was reached
    // A valid line whose mask gives the same hit counts as its text (LineFormat::analyse).
    bool regular = false;
    bool valid() const { return verdict == Verdict::Valid; }
};
// The line must be exactly 3k characters, and each two-character field at 3i-1, 3i must be a
// number from 0 to 99 ("00" stands for 100).
TicketLineCheck checkTicketLine(QStringView line, int k);

// ReadTicketFile: reads until the end of the file or the first invalid line (which is handed
// to onLine too, and is the last one read). True when every line was valid. The reader must be
// open.
bool ReadTicketFile(TicketFileReader& reader, int k,
    const std::function<void(QStringView line, const TicketLineCheck& check)>& onLine);

namespace TicketFile {

// The name a closing of these parameters is saved under by default:
// "Quirva_LM_60dz_50m_20s_17gr_se20.txt".
QString defaultName(Modality modality, const ParameterFields& fields);

// The message shown for a file that cannot be opened for reading.
QString openFailureMessage(const QString& path);

// The message shown for a file that is not in the k-number layout.
QString invalidFileMessage(int k);

// Writes the lines trimmed, each followed by CR LF, as single-byte text. The file is replaced
// only once everything was written, so a failed write leaves any old file as it was. False on
// failure.
bool save(const QString& path, const LineStore& lines);

// The closing sorted by plain character codes, equal lines kept once.
void sortUnique(LineStore& lines);

} // namespace TicketFile
