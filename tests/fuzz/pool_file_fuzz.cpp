// Loteca (55 columns) and Lotogol (19 columns) closing files: any bytes. Opening and saving
// again must give back the same lines, and the lines must read into the pools' line types
// without losing what the hit counts compare.

#include "fuzz_support.h"

#include "engine/pools/loteca_line.h"
#include "engine/pools/lotogol_line.h"
#include "engine/pools/pool_file.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = Fuzz::writeFile(QStringLiteral("pool.txt"), data, size);
    const QStringList lines = PoolFile::readLines(path);

    const QString saved = Fuzz::scratch().filePath(QStringLiteral("saved.txt"));
    FUZZ_REQUIRE(PoolFile::writeLines(saved, lines));
    FUZZ_REQUIRE(PoolFile::readLines(saved) == lines);

    for (const QString& line : lines) {
        const LotecaLine loteca = LotecaLine::fromText(line);
        FUZZ_REQUIRE(hits(loteca, loteca) == int(line.left(LotecaLine::length).count(u'X')));
        const QString canonical = loteca.text();
        FUZZ_REQUIRE(canonical.size() == LotecaLine::length);
        FUZZ_REQUIRE(
            LotecaLine::fromText(canonical).bits == (loteca.bits & LotecaLine::outcomeBits));

        const LotogolLine lotogol = LotogolLine::fromText(line);
        FUZZ_REQUIRE(hits(lotogol, lotogol) == LotogolLine::matches);
        // Two lines hit a match exactly when the texts of its group are equal.
        const LotogolLine first = LotogolLine::fromText(lines.front());
        for (int g = 0; g < LotogolLine::matches; ++g) {
            const bool same = line.mid(4 * g, 3) == lines.front().mid(4 * g, 3);
            FUZZ_REQUIRE(same == (lotogol.groups[std::size_t(g)] == first.groups[std::size_t(g)]));
        }
    }
    return 0;
}
