#include "tests/jpeg/reference/imagefiles.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

std::uint32_t readLe(const std::vector<std::uint8_t> &bytes, std::size_t offset, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | bytes.at(offset + static_cast<std::size_t>(i));
    return value;
}

void appendLe(std::vector<std::uint8_t> &bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::vector<std::uint8_t> readWholeFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int paddedRowBytes(int width, int bitsPerPixel)
{
    return (width * bitsPerPixel / 8 + 3) & ~3;
}

} // namespace

void writePnm(const std::filesystem::path &path, const RasterImage &image)
{
    std::ofstream out(path, std::ios::binary);
    out << (image.bitsPerPixel == 24 ? "P6" : "P5") << "\n" << image.width << " " << image.height << "\n255\n";
    std::vector<char> row(static_cast<std::size_t>(image.bytesPerRow()));
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t *source = image.row(y);
        if (image.bitsPerPixel == 24) {
            for (int x = 0; x < image.width; ++x) {
                row[3 * x] = static_cast<char>(source[3 * x + 2]);
                row[3 * x + 1] = static_cast<char>(source[3 * x + 1]);
                row[3 * x + 2] = static_cast<char>(source[3 * x]);
            }
        } else {
            std::memcpy(row.data(), source, row.size());
        }
        out.write(row.data(), static_cast<std::streamsize>(row.size()));
    }
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

RasterImage readBmp(const std::filesystem::path &path)
{
    const std::vector<std::uint8_t> bytes = readWholeFile(path);
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M' || readLe(bytes, 14, 4) < 40)
        throw std::runtime_error(path.string() + " is not a BMP file with an information header");
    const std::uint32_t pixelOffset = readLe(bytes, 10, 4);
    const std::uint32_t headerSize = readLe(bytes, 14, 4);
    const auto width = static_cast<std::int32_t>(readLe(bytes, 18, 4));
    const auto signedHeight = static_cast<std::int32_t>(readLe(bytes, 22, 4));
    const int bitsPerPixel = static_cast<int>(readLe(bytes, 28, 2));
    const std::uint32_t compression = readLe(bytes, 30, 4);
    if ((bitsPerPixel != 8 && bitsPerPixel != 24) || compression != 0 || width <= 0 || signedHeight == 0)
        throw std::runtime_error(path.string() + " is not an uncompressed 8- or 24-bit BMP");

    RasterImage image;
    image.width = width;
    image.height = signedHeight < 0 ? -signedHeight : signedHeight;
    image.bitsPerPixel = bitsPerPixel;
    if (bitsPerPixel == 8) {
        std::uint32_t colours = readLe(bytes, 46, 4);
        if (colours == 0)
            colours = 256;
        const std::size_t table = 14 + headerSize;
        for (std::uint32_t i = 0; i < colours; ++i) {
            const std::size_t entry = table + 4 * i;
            image.palette.push_back({bytes.at(entry + 2), bytes.at(entry + 1), bytes.at(entry)});
        }
    }
    const int stride = paddedRowBytes(width, bitsPerPixel);
    if (pixelOffset + static_cast<std::size_t>(stride) * image.height > bytes.size())
        throw std::runtime_error(path.string() + " is shorter than its rows");
    image.pixels.resize(static_cast<std::size_t>(image.bytesPerRow()) * image.height);
    for (int y = 0; y < image.height; ++y) {
        const int storedRow = signedHeight < 0 ? y : image.height - 1 - y;
        std::memcpy(image.row(y), bytes.data() + pixelOffset + static_cast<std::size_t>(storedRow) * stride,
                    static_cast<std::size_t>(image.bytesPerRow()));
    }
    return image;
}

void writeBmp(const std::filesystem::path &path, const RasterImage &image)
{
    const int stride = paddedRowBytes(image.width, image.bitsPerPixel);
    const std::uint32_t tableSize = image.bitsPerPixel == 8 ? 4 * static_cast<std::uint32_t>(image.palette.size()) : 0;
    const std::uint32_t pixelOffset = 54 + tableSize;
    const std::uint32_t fileSize = pixelOffset + static_cast<std::uint32_t>(stride) * image.height;

    std::vector<std::uint8_t> bytes{'B', 'M'};
    appendLe(bytes, fileSize, 4);
    appendLe(bytes, 0, 4);
    appendLe(bytes, pixelOffset, 4);
    appendLe(bytes, 40, 4);
    appendLe(bytes, static_cast<std::uint32_t>(image.width), 4);
    appendLe(bytes, static_cast<std::uint32_t>(image.height), 4);
    appendLe(bytes, 1, 2);
    appendLe(bytes, static_cast<std::uint32_t>(image.bitsPerPixel), 2);
    appendLe(bytes, 0, 4);
    appendLe(bytes, static_cast<std::uint32_t>(stride) * image.height, 4);
    appendLe(bytes, 2835, 4);
    appendLe(bytes, 2835, 4);
    appendLe(bytes, image.bitsPerPixel == 8 ? static_cast<std::uint32_t>(image.palette.size()) : 0, 4);
    appendLe(bytes, 0, 4);
    if (image.bitsPerPixel == 8) {
        for (const PaletteColour &colour : image.palette) {
            bytes.push_back(colour.blue);
            bytes.push_back(colour.green);
            bytes.push_back(colour.red);
            bytes.push_back(0);
        }
    }
    for (int y = image.height - 1; y >= 0; --y) {
        bytes.insert(bytes.end(), image.row(y), image.row(y) + image.bytesPerRow());
        bytes.resize(bytes.size() + static_cast<std::size_t>(stride - image.bytesPerRow()), 0);
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}
