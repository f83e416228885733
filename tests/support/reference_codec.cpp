#include "tests/support/reference_codec.h"

#include "synthetic/synthetic_photo.h"
#include "tests/support/program_runner.h"
#include "tests/support/test_folder.h"

#include "toolkit/core/exceptions.h"
#include "toolkit/core/file_stream.h"
#include "toolkit/graphics/bitmap.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

PaletteColour RasterImage::colourAt(int x, int y) const
{
    const std::uint8_t *pixel = row(y) + x * (bitsPerPixel / 8);
    if (bitsPerPixel == 24)
        return {pixel[2], pixel[1], pixel[0]};
    return *pixel < palette.size() ? palette[*pixel] : PaletteColour{};
}

RasterImage makePhotoImage(int width, int height, std::uint32_t seed)
{
    RasterImage image{width, height, 24, Bytes(static_cast<std::size_t>(width) * height * 3), {}};
    for (int y = 0; y < height; ++y)
        fillSyntheticPhotoRow(width, height, y, seed, image.row(y));
    return image;
}

RasterImage makeGrayImage(int width, int height, std::uint32_t seed)
{
    RasterImage image{width, height, 8, Bytes(static_cast<std::size_t>(width) * height), {}};
    for (int level = 0; level < 256; ++level)
        image.palette.push_back({std::uint8_t(level), std::uint8_t(level), std::uint8_t(level)});
    for (int y = 0; y < height; ++y)
        fillSyntheticGrayRow(width, height, y, seed, image.row(y));
    return image;
}

namespace {

// The palette without black entries past `colours` that no pixel uses.
std::vector<PaletteColour> withoutPadding(const RasterImage &image, std::size_t colours)
{
    if (image.palette.size() <= colours ||
        std::any_of(image.palette.begin() + static_cast<long>(colours), image.palette.end(),
                    [](const PaletteColour &c) { return !(c == PaletteColour{}); }) ||
        std::any_of(image.pixels.begin(), image.pixels.end(), [colours](std::uint8_t i) { return i >= colours; }))
        return image.palette;
    return {image.palette.begin(), image.palette.begin() + static_cast<long>(colours)};
}

} // namespace

std::string describeDifference(const RasterImage &expected, const RasterImage &actual, bool exact)
{
    std::ostringstream text;
    if (expected.width != actual.width || expected.height != actual.height)
        text << "size " << actual.width << "x" << actual.height << ", expected " << expected.width << "x" << expected.height;
    else if (exact && expected.bitsPerPixel != actual.bitsPerPixel)
        text << actual.bitsPerPixel << " bits per pixel, expected " << expected.bitsPerPixel;
    else if (exact && withoutPadding(expected, actual.palette.size()) != actual.palette)
        text << "palettes differ (" << actual.palette.size() << " entries, expected " << expected.palette.size() << ")";
    else if (exact && expected.pixels != actual.pixels)
        text << "pixel bytes differ from byte "
             << std::mismatch(expected.pixels.begin(), expected.pixels.end(), actual.pixels.begin(), actual.pixels.end())
                        .first -
                    expected.pixels.begin();
    for (int y = 0; !exact && text.str().empty() && y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            if (!(expected.colourAt(x, y) == actual.colourAt(x, y)))
                return "pixel (" + std::to_string(x) + "," + std::to_string(y) + ") shows another colour";
        }
    }
    return text.str();
}

void writePnm(const std::string &path, const RasterImage &image)
{
    std::ofstream out(path, std::ios::binary);
    out << (image.bitsPerPixel == 24 ? "P6" : "P5") << "\n" << image.width << " " << image.height << "\n255\n";
    Bytes pixels = image.pixels;
    for (std::size_t i = 0; image.bitsPerPixel == 24 && i < pixels.size(); i += 3)
        std::swap(pixels[i], pixels[i + 2]);
    out.write(reinterpret_cast<const char *>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

RasterImage readPicture(const std::string &path)
{
    TBitmap picture;
    try {
        TFileStream file(path, TFileMode::OpenRead);
        picture.LoadFromStream(file);
    } catch (const Exception &error) {
        throw std::runtime_error("cannot read picture " + path + ": " + error.Message());
    }
    return rasterFromBitmap(picture);
}

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

Bytes readFileBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFileBytes(const std::string &path, const Bytes &bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

void runReference(const std::string &tool, std::vector<std::string> options, const std::string &input,
                  const std::string &output)
{
    options.insert(options.end(), {"-outfile", output, input});
    if (const int status = runProgram(tool, options); status != 0) {
        std::string command = tool;
        for (const std::string &argument : options)
            command += " " + argument;
        throw std::runtime_error("reference tool failed (status " + std::to_string(status) + "): " + command);
    }
}

Bytes referenceJpeg(const RasterImage &image, const std::vector<std::string> &options)
{
    TestFolder folder;
    writePnm(folder / "picture.pnm", image);
    runReference("cjpeg", options, folder / "picture.pnm", folder / "picture.jpg");
    return readFileBytes(folder / "picture.jpg");
}

RasterImage referenceDecode(const Bytes &jpeg, const std::vector<std::string> &options)
{
    TestFolder folder;
    writeFileBytes(folder / "picture.jpg", jpeg);
    std::vector<std::string> arguments = options;
    arguments.push_back("-bmp");
    runReference("djpeg", arguments, folder / "picture.jpg", folder / "picture.bmp");
    return readPicture(folder / "picture.bmp");
}
