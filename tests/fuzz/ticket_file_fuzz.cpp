// Closing and draws files: any bytes read with any K (or D, which goes through the same reader).
// The streaming reader must give the lines a plain split-and-trim of the whole file gives, and
// the line check must only accept what the k-number layout allows.

#include "fuzz_support.h"

#include "engine/verify/ticket_file.h"

#include <QList>
#include <algorithm>

namespace {

// The bound the verification window reads with: no valid line is longer than 3k.
qsizetype lineBound(int k)
{
    return 3 * static_cast<qsizetype>(std::max(k, 0)) + 4;
}

// The file's lines by the plain definition: CR LF, CR or LF end a line, a line end at the very
// end of the file opens no new line, blanks and control characters are trimmed.
QList<QByteArray> plainLines(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    QByteArray current;
    bool open = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            open = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            current.push_back(c);
            open = true;
        }
    }
    if (open) lines.push_back(current);
    for (QByteArray& line : lines) {
        qsizetype begin = 0, end = line.size();
        while (begin < end && static_cast<unsigned char>(line[begin]) <= ' ')
            ++begin;
        while (end > begin && static_cast<unsigned char>(line[end - 1]) <= ' ')
            --end;
        line = line.mid(begin, end - begin);
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const int k = static_cast<std::int8_t>(data[0]);
    const QByteArray content = Fuzz::bytes(data + 1, size - 1);
    const QString path = Fuzz::writeFile(QStringLiteral("tickets.txt"), data + 1, size - 1);
    const QList<QByteArray> expected = plainLines(content);
    const qsizetype bound = lineBound(k);

    TicketFileReader reader(path, bound);
    FUZZ_REQUIRE(reader.open());
    QString line;
    bool overlong = false;
    qsizetype row = 0;
    while (reader.next(line, overlong)) {
        FUZZ_REQUIRE(row < expected.size());
        const QString whole = u' ' + QString::fromLatin1(expected[row]);
        FUZZ_REQUIRE(overlong == (expected[row].size() > bound));
        if (overlong)
            FUZZ_REQUIRE(line.size() <= bound + 1 && whole.startsWith(line));
        else
            FUZZ_REQUIRE(line == whole);
        ++row;
    }
    FUZZ_REQUIRE(row == expected.size());

    TicketFileReader checked(path, bound);
    FUZZ_REQUIRE(checked.open());
    qsizetype read = 0;
    bool sawInvalid = false;
    const bool valid
        = ReadTicketFile(checked, k, [&](QStringView text, const TicketLineCheck& check) {
              FUZZ_REQUIRE(!sawInvalid); // reading stops at the first invalid line
              sawInvalid = !check.valid();
              ++read;
              FUZZ_REQUIRE(check.numbers.high >> 36 == 0); // nothing above 100
              if (!check.valid()) return;
              FUZZ_REQUIRE(text.size() == 3 * qsizetype(k));
              FUZZ_REQUIRE(check.numbers.count() <= k);
              if (check.regular) FUZZ_REQUIRE(check.numbers.count() == k);
          });
    FUZZ_REQUIRE(valid == !sawInvalid);
    FUZZ_REQUIRE(valid ? read == expected.size() : read <= expected.size());
    return 0;
}
