#include "tests/jpeg/reference/rasterimage.h"

#include "bench/jpeg/syntheticphoto.h"

#include <sstream>

PaletteColour RasterImage::colourAt(int x, int y) const
{
    const std::uint8_t *pixel = row(y) + x * (bitsPerPixel / 8);
    if (bitsPerPixel == 24)
        return {pixel[2], pixel[1], pixel[0]};
    if (*pixel >= palette.size())
        return {0, 0, 0};
    return palette[*pixel];
}

RasterImage makePhotoImage(int width, int height, std::uint32_t seed)
{
    RasterImage image{width, height, 24, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3), {}};
    for (int y = 0; y < height; ++y)
        fillSyntheticPhotoRow(width, height, y, seed, image.row(y));
    return image;
}

RasterImage makeGrayImage(int width, int height, std::uint32_t seed)
{
    RasterImage image{width, height, 8, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height), {}};
    for (int level = 0; level < 256; ++level) {
        const auto value = static_cast<std::uint8_t>(level);
        image.palette.push_back({value, value, value});
    }
    for (int y = 0; y < height; ++y)
        fillSyntheticGrayRow(width, height, y, seed, image.row(y));
    return image;
}

RasterImage withoutTablePadding(RasterImage image, std::size_t colours)
{
    if (image.bitsPerPixel != 8 || image.palette.size() <= colours)
        return image;
    for (std::size_t i = colours; i < image.palette.size(); ++i) {
        if (!(image.palette[i] == PaletteColour{}))
            return image;
    }
    for (std::uint8_t index : image.pixels) {
        if (index >= colours)
            return image;
    }
    image.palette.resize(colours);
    return image;
}

namespace {

std::string describeSizes(const RasterImage &expected, const RasterImage &actual)
{
    if (expected.width == actual.width && expected.height == actual.height)
        return {};
    std::ostringstream text;
    text << "size " << actual.width << "x" << actual.height << ", expected " << expected.width << "x"
         << expected.height;
    return text.str();
}

} // namespace

std::string describeDifference(const RasterImage &expected, const RasterImage &actual)
{
    if (std::string sizes = describeSizes(expected, actual); !sizes.empty())
        return sizes;
    std::ostringstream text;
    if (expected.bitsPerPixel != actual.bitsPerPixel) {
        text << actual.bitsPerPixel << " bits per pixel, expected " << expected.bitsPerPixel;
        return text.str();
    }
    if (expected.palette.size() != actual.palette.size()) {
        text << actual.palette.size() << " palette entries, expected " << expected.palette.size();
        return text.str();
    }
    for (std::size_t i = 0; i < expected.palette.size(); ++i) {
        const PaletteColour &e = expected.palette[i];
        const PaletteColour &a = actual.palette[i];
        if (!(e == a)) {
            text << "palette entry " << i << " is (" << int(a.red) << "," << int(a.green) << "," << int(a.blue)
                 << "), expected (" << int(e.red) << "," << int(e.green) << "," << int(e.blue) << ")";
            return text.str();
        }
    }
    const int bytes = expected.bytesPerRow();
    for (int y = 0; y < expected.height; ++y) {
        for (int i = 0; i < bytes; ++i) {
            if (expected.row(y)[i] != actual.row(y)[i]) {
                text << "row " << y << " byte " << i << " is " << int(actual.row(y)[i]) << ", expected "
                     << int(expected.row(y)[i]);
                return text.str();
            }
        }
    }
    return {};
}

std::string describeColourDifference(const RasterImage &expected, const RasterImage &actual)
{
    if (std::string sizes = describeSizes(expected, actual); !sizes.empty())
        return sizes;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            const PaletteColour e = expected.colourAt(x, y);
            const PaletteColour a = actual.colourAt(x, y);
            if (!(e == a)) {
                std::ostringstream text;
                text << "pixel (" << x << "," << y << ") shows (" << int(a.red) << "," << int(a.green) << ","
                     << int(a.blue) << "), expected (" << int(e.red) << "," << int(e.green) << ","
                     << int(e.blue) << ")";
                return text.str();
            }
        }
    }
    return {};
}
