#include "tests/jpeg/picture_helpers.h"

#include <cstring>
#include <map>
#include <stdexcept>

std::unique_ptr<TBitmap> bitmapFromRaster(const RasterImage &image, bool bottomUp)
{
    auto bitmap = std::make_unique<TBitmap>();
    if (image.bitsPerPixel == 8) {
        LOGPALETTE description;
        description.palNumEntries = static_cast<std::uint16_t>(image.palette.size());
        for (std::size_t i = 0; i < image.palette.size(); ++i)
            description.palPalEntry[i] = {image.palette[i].red, image.palette[i].green, image.palette[i].blue, 0};
        bitmap->SetPalette(CreatePalette(&description));
        bitmap->SetPixelFormat(TPixelFormat::pf8bit);
    }
    bitmap->SetBottomUp(bottomUp);
    bitmap->SetSize(image.width, image.height);
    for (int y = 0; y < image.height; ++y)
        std::memcpy(bitmap->GetScanline(y), image.row(y), static_cast<std::size_t>(image.bytesPerRow()));
    return bitmap;
}

std::unique_ptr<TJPEGImage> pictureFromBytes(const Bytes &jpeg)
{
    auto picture = std::make_unique<TJPEGImage>();
    picture->LoadFromStream(*streamOf(jpeg));
    return picture;
}

RasterImage decodedRaster(TJPEGImage &picture)
{
    TBitmap bitmap;
    picture.AssignTo(&bitmap);
    return rasterFromBitmap(bitmap);
}

Bytes savedBytes(TJPEGImage &picture)
{
    TMemoryStream stream;
    picture.SaveToStream(stream);
    return streamBytes(stream);
}

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

Bytes referenceJpeg(const ReferenceInput &input)
{
    // The reference encoder runs once per input and test program.
    static std::map<std::string, Bytes> made;
    auto found = made.find(input.name);
    if (found == made.end()) {
        const auto seed = static_cast<std::uint32_t>(input.width * 31 + input.height);
        found = made.emplace(input.name, referenceJpeg(input.gray ? makeGrayImage(input.width, input.height, seed)
                                                                  : makePhotoImage(input.width, input.height, seed),
                                                       input.encoderOptions))
                    .first;
    }
    return found->second;
}

Bytes referenceJpeg(const std::string &name)
{
    for (const ReferenceInput &input : referenceInputs())
        if (input.name == name)
            return referenceJpeg(input);
    throw std::runtime_error("no reference input " + name);
}
