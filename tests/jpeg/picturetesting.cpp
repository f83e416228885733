#include "tests/jpeg/picturetesting.h"

#include <cstring>
#include <stdexcept>

RasterImage rasterFromBitmap(TBitmap &bitmap)
{
    RasterImage image;
    image.width = bitmap.GetWidth();
    image.height = bitmap.GetHeight();
    image.bitsPerPixel = bitmap.GetPixelFormat() == TPixelFormat::pf8bit ? 8 : 24;
    image.pixels.resize(static_cast<std::size_t>(image.bytesPerRow()) * image.height);
    for (int y = 0; y < image.height; ++y)
        std::memcpy(image.row(y), bitmap.GetScanline(y), static_cast<std::size_t>(image.bytesPerRow()));
    if (HPALETTE palette = bitmap.GetPalette()) {
        PALETTEENTRY entries[maxPaletteEntries];
        const unsigned count = GetPaletteEntries(palette, 0, maxPaletteEntries, entries);
        for (unsigned i = 0; i < count; ++i)
            image.palette.push_back({entries[i].peRed, entries[i].peGreen, entries[i].peBlue});
    }
    return image;
}

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

std::unique_ptr<TMemoryStream> streamOf(const std::vector<unsigned char> &bytes)
{
    auto stream = std::make_unique<TMemoryStream>();
    stream->WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    stream->SetPosition(0);
    return stream;
}

std::unique_ptr<TJPEGImage> pictureFromBytes(const std::vector<unsigned char> &jpeg)
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

std::vector<unsigned char> savedBytes(TJPEGImage &picture)
{
    TMemoryStream stream;
    picture.SaveToStream(stream);
    const auto *bytes = stream.Memory();
    return bytes == nullptr ? std::vector<unsigned char>{} : std::vector<unsigned char>(bytes, bytes + stream.GetSize());
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

std::filesystem::path makeReferenceJpeg(const ReferenceInput &input, const std::filesystem::path &folder)
{
    const std::filesystem::path source = folder / (input.name + (input.gray ? ".pgm" : ".ppm"));
    const std::filesystem::path jpeg = folder / (input.name + ".jpg");
    const auto seed = static_cast<std::uint32_t>(input.width * 31 + input.height);
    writePnm(source, input.gray ? makeGrayImage(input.width, input.height, seed)
                                : makePhotoImage(input.width, input.height, seed));
    runReference("cjpeg", input.encoderOptions, source, jpeg);
    return jpeg;
}

std::vector<unsigned char> referenceJpeg(const std::string &name)
{
    TestFolder folder;
    for (const ReferenceInput &input : referenceInputs())
        if (input.name == name)
            return readFileBytes(makeReferenceJpeg(input, folder.path()));
    throw std::runtime_error("no reference input " + name);
}
