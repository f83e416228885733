#include "tests/jpeg/referenceinputs.h"

#include "tests/jpeg/reference/imagefiles.h"
#include "tests/jpeg/reference/referencecodec.h"

const std::vector<ReferenceInput> &referenceInputs()
{
    static const std::vector<ReferenceInput> inputs = {
        {"baseline-303x93", 303, 93, false, {"-quality", "85"}},
        {"progressive-303x93", 303, 93, false, {"-progressive"}},
        {"restart-303x93", 303, 93, false, {"-restart", "1"}},
        {"progressive-restart-97x61-444", 97, 61, false, {"-progressive", "-restart", "2", "-sample", "1x1"}},
        {"baseline-1x1", 1, 1, false, {}},
        {"progressive-1x1", 1, 1, false, {"-progressive"}},
        {"gray-303x93", 303, 93, true, {}},
        {"gray-progressive-45x17", 45, 17, true, {"-progressive"}},
        {"progressive-640x400", 640, 400, false, {"-progressive", "-quality", "92"}},
    };
    return inputs;
}

RasterImage referencePicture(const ReferenceInput &input)
{
    const auto seed = static_cast<std::uint32_t>(input.width * 31 + input.height);
    return input.gray ? makeGrayImage(input.width, input.height, seed)
                      : makePhotoImage(input.width, input.height, seed);
}

std::filesystem::path makeReferenceJpeg(const ReferenceInput &input, const std::filesystem::path &folder)
{
    const std::filesystem::path source = folder / (input.name + (input.gray ? ".pgm" : ".ppm"));
    const std::filesystem::path jpeg = folder / (input.name + ".jpg");
    writePnm(source, referencePicture(input));
    encodeWithReference(input.encoderOptions, source, jpeg);
    return jpeg;
}
