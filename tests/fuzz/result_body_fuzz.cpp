// The results site's response bodies (one draw as a line of text) for every modality: any
// bytes. What the download accepts must be a draw of the modality, and the local cache must
// give back exactly what was accepted.

#include "fuzz_support.h"

#include "engine/generate/line_format.h"
#include "engine/net/result_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const Modality m = static_cast<Modality>(data[0] % 6);
    const QByteArray body = Fuzz::bytes(data + 1, size - 1);
    const std::optional<QString> draw = ResultFiles::drawFromBody(body, m);
    if (!draw) return 0;

    FUZZ_REQUIRE(m != Modality::Outros);
    const int d = modalityDefaults(m).D;
    FUZZ_REQUIRE(ResultFiles::isDrawLine(*draw, m));
    FUZZ_REQUIRE(draw->size() == 3 * d);
    const LineFormat::LineInfo info = LineFormat::analyse(*draw);
    FUZZ_REQUIRE(info.regular && info.mask.count() == d);

    // The body as the site sent it, read back as a cache file, and the cache as written.
    const QString asSent = Fuzz::writeFile(QStringLiteral("sent.txt"), data + 1, size - 1);
    FUZZ_REQUIRE(ResultFiles::readCached(asSent, m) == draw);
    const QString cached = Fuzz::scratch().filePath(QStringLiteral("cached.txt"));
    FUZZ_REQUIRE(ResultFiles::writeCached(cached, *draw));
    FUZZ_REQUIRE(ResultFiles::readCached(cached, m) == draw);
    return 0;
}
