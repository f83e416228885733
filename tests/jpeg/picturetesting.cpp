#include "tests/jpeg/picturetesting.h"

#include "tests/jpeg/reference/referencecodec.h"
#include "toolkit/core/memorystream.h"

#include <cstring>

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

std::unique_ptr<TJPEGImage> pictureFromBytes(const std::vector<unsigned char> &jpeg)
{
    TMemoryStream stream;
    stream.WriteBuffer(jpeg.data(), static_cast<std::int64_t>(jpeg.size()));
    stream.SetPosition(0);
    auto picture = std::make_unique<TJPEGImage>();
    picture->LoadFromStream(stream);
    return picture;
}

std::unique_ptr<TJPEGImage> pictureFromFile(const std::filesystem::path &path)
{
    return pictureFromBytes(readFileBytes(path));
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
    return bytes == nullptr ? std::vector<unsigned char>{}
                            : std::vector<unsigned char>(bytes, bytes + stream.GetSize());
}
