// The fast paths against the literal definitions. The bytes are a closing file with K numbers
// and a draws file with D numbers; for every accepted line the hit count through the ticket
// masks must equal CountCommon on the texts wherever both lines are regular, and SortLine must
// render the numbers as the mask does.

#include "fuzz_support.h"

#include "engine/generate/line_format.h"
#include "engine/generate/line_store.h"
#include "engine/verify/ticket_file.h"

#include <algorithm>
#include <vector>

namespace {

struct ReadLine {
    QString text;
    TicketLineCheck check;
};

// At most `limit` accepted lines, so one input stays far below the time-out.
std::vector<ReadLine> acceptedLines(const QString& path, int k, std::size_t limit)
{
    std::vector<ReadLine> lines;
    TicketFileReader reader(path, 3 * qsizetype(std::max(k, 0)) + 4);
    FUZZ_REQUIRE(reader.open());
    ReadTicketFile(reader, k, [&](QStringView text, const TicketLineCheck& check) {
        if (check.valid() && lines.size() < limit) lines.push_back({ text.toString(), check });
    });
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // K, D, the separator setting, where the closing ends and the draws begin, the files.
    if (size < 4) return 0;
    const int k = data[0] % 101, d = data[1] % 101;
    const QChar separator = LineFormat::effectiveSeparator(QString(QChar(data[2])));
    const std::uint8_t* files = data + 4;
    const std::size_t filesSize = size - 4, closingSize = filesSize * data[3] / 256;
    const std::vector<ReadLine> tickets
        = acceptedLines(Fuzz::writeFile(QStringLiteral("closing.txt"), files, closingSize), k, 64);
    const std::vector<ReadLine> draws = acceptedLines(
        Fuzz::writeFile(QStringLiteral("draws.txt"), files + closingSize, filesSize - closingSize),
        d, 64);

    // The closing as the verification window stores it.
    LineStore closing;
    for (const ReadLine& t : tickets) {
        const LineFormat::LineInfo info = LineFormat::analyse(t.text);
        FUZZ_REQUIRE(info.regular == t.check.regular);
        if (t.check.regular) {
            FUZZ_REQUIRE(info.mask == t.check.numbers);
            closing.appendBuilt(t.text, t.check.numbers);
        } else {
            closing.append(t.text);
        }
        FUZZ_REQUIRE(LineFormat::SortLine(t.text, separator)
            == LineFormat::maskLine(t.check.numbers, separator));
    }

    for (const ReadLine& draw : draws) {
        if (!draw.check.regular) continue;
        for (qsizetype row = 0; row < closing.size(); ++row) {
            const QString& ticket = tickets[std::size_t(row)].text;
            const int literal = LineFormat::CountCommon(ticket, draw.text);
            FUZZ_REQUIRE(closing.hits(row, draw.check.numbers, draw.text) == literal);
            if (closing.regular(row))
                FUZZ_REQUIRE(common(closing.mask(row), draw.check.numbers) == literal);
        }
    }
    return 0;
}
