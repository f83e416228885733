#include "bench/jpeg/bench_phase.h"

#include "bench/jpeg/memory_peak.h"
#include "bench/jpeg/plain_libjpeg.h"
#include "synthetic/synthetic_photo.h"


namespace {

PhaseResult floorDecode(const PhaseInput &input, int repetitions)
{
    PhaseResult result;
    for (int i = 0; i < repetitions; ++i)
        timeRun(result, [&input] { PlainPicture picture = plainDecode(input.jpeg); });
    return result;
}

PhaseResult floorEncode(const PhaseInput &input, int repetitions)
{
    PlainPicture picture{input.width, input.height, {}};
    picture.bgr.resize(static_cast<std::size_t>(input.width) * input.height * 3);
    for (int y = 0; y < input.height; ++y)
        fillSyntheticPhotoRow(input.width, input.height, y, input.seed,
                              picture.bgr.data() + static_cast<std::size_t>(y) * input.width * 3);
    PhaseResult result;
    for (int i = 0; i < repetitions; ++i)
        timeRun(result, [&picture] { std::vector<std::uint8_t> jpeg = plainEncode(picture); });
    return result;
}

} // namespace

std::vector<BenchPhase> floorPhases()
{
    return {{"floor-decode", floorDecode}, {"floor-encode", floorEncode}};
}
