// The official results service's answers (JSON) for every modality: any bytes. What the
// download accepts must be one draw of the modality (two for Dupla-Sena), every number once
// and within the modality's range.

#include "fuzz_support.h"

#include "engine/generate/line_format.h"
#include "engine/net/official_results.h"
#include "engine/net/result_files.h"

// Input: one byte for the modality, two for the contest asked for (low byte first), the body.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3) return 0;
    const Modality m = static_cast<Modality>(data[0] % 6);
    const int contest = data[1] | (data[2] << 8);
    const QByteArray body = Fuzz::bytes(data + 3, size - 3);

    const OfficialResults::Latest latest = OfficialResults::readLatest(body);
    FUZZ_REQUIRE(latest.ok() == (latest.contest > 0));

    const OfficialResults::Contest read = OfficialResults::readContest(body, m, contest, u' ');
    if (!read.ok()) {
        FUZZ_REQUIRE(read.draws.isEmpty());
        return 0;
    }
    FUZZ_REQUIRE(m != Modality::Outros);
    FUZZ_REQUIRE(read.draws.size() == (m == Modality::DuplaSena ? 2 : 1));
    const int d = modalityDefaults(m).D;
    for (const QString& draw : read.draws) {
        FUZZ_REQUIRE(ResultFiles::isDrawLine(draw, m));
        const LineFormat::LineInfo info = LineFormat::analyse(draw);
        FUZZ_REQUIRE(info.regular && info.mask.count() == d);
    }
    return 0;
}
