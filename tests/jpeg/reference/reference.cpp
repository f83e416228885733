#include "tests/jpeg/reference/reference.h"

#include "bench/jpeg/syntheticphoto.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

extern char **environ;

PaletteColour RasterImage::colourAt(int x, int y) const
{
    const std::uint8_t *pixel = row(y) + x * (bitsPerPixel / 8);
    if (bitsPerPixel == 24)
        return {pixel[2], pixel[1], pixel[0]};
    return *pixel < palette.size() ? palette[*pixel] : PaletteColour{};
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
    for (int level = 0; level < 256; ++level)
        image.palette.push_back({std::uint8_t(level), std::uint8_t(level), std::uint8_t(level)});
    for (int y = 0; y < height; ++y)
        fillSyntheticGrayRow(width, height, y, seed, image.row(y));
    return image;
}

RasterImage withoutTablePadding(RasterImage image, std::size_t colours)
{
    if (image.bitsPerPixel != 8 || image.palette.size() <= colours ||
        std::any_of(image.palette.begin() + static_cast<long>(colours), image.palette.end(),
                    [](const PaletteColour &c) { return !(c == PaletteColour{}); }) ||
        std::any_of(image.pixels.begin(), image.pixels.end(), [colours](std::uint8_t i) { return i >= colours; }))
        return image;
    image.palette.resize(colours);
    return image;
}

std::string describeDifference(const RasterImage &expected, const RasterImage &actual, bool exact)
{
    std::ostringstream text;
    if (expected.width != actual.width || expected.height != actual.height)
        text << "size " << actual.width << "x" << actual.height << ", expected " << expected.width << "x" << expected.height;
    else if (exact && expected.bitsPerPixel != actual.bitsPerPixel)
        text << actual.bitsPerPixel << " bits per pixel, expected " << expected.bitsPerPixel;
    else if (exact && expected.palette != actual.palette)
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

namespace {

std::uint32_t readLe(const std::vector<unsigned char> &bytes, std::size_t offset, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | bytes.at(offset + static_cast<std::size_t>(i));
    return value;
}

int paddedRowBytes(const RasterImage &image)
{
    return (image.bytesPerRow() + 3) & ~3;
}

} // namespace

void writePnm(const std::filesystem::path &path, const RasterImage &image)
{
    std::ofstream out(path, std::ios::binary);
    out << (image.bitsPerPixel == 24 ? "P6" : "P5") << "\n" << image.width << " " << image.height << "\n255\n";
    std::vector<std::uint8_t> pixels = image.pixels;
    for (std::size_t i = 0; image.bitsPerPixel == 24 && i < pixels.size(); i += 3)
        std::swap(pixels[i], pixels[i + 2]);
    out.write(reinterpret_cast<const char *>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

RasterImage readBmp(const std::filesystem::path &path)
{
    const std::vector<unsigned char> bytes = readFileBytes(path);
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M' || readLe(bytes, 14, 4) < 40)
        throw std::runtime_error(path.string() + " is not a BMP file with an information header");
    const auto signedHeight = static_cast<std::int32_t>(readLe(bytes, 22, 4));
    RasterImage image;
    image.width = static_cast<std::int32_t>(readLe(bytes, 18, 4));
    image.height = std::abs(signedHeight);
    image.bitsPerPixel = static_cast<int>(readLe(bytes, 28, 2));
    if ((image.bitsPerPixel != 8 && image.bitsPerPixel != 24) || readLe(bytes, 30, 4) != 0 || image.width <= 0 ||
        image.height == 0)
        throw std::runtime_error(path.string() + " is not an uncompressed 8- or 24-bit BMP");
    const std::uint32_t colours = image.bitsPerPixel == 8 ? (readLe(bytes, 46, 4) ? readLe(bytes, 46, 4) : 256) : 0;
    for (std::size_t i = 0, table = 14 + readLe(bytes, 14, 4); i < colours; ++i)
        image.palette.push_back({bytes.at(table + 4 * i + 2), bytes.at(table + 4 * i + 1), bytes.at(table + 4 * i)});
    const std::uint32_t pixelOffset = readLe(bytes, 10, 4);
    const int stride = paddedRowBytes(image);
    if (pixelOffset + static_cast<std::size_t>(stride) * image.height > bytes.size())
        throw std::runtime_error(path.string() + " is shorter than its rows");
    image.pixels.resize(static_cast<std::size_t>(image.bytesPerRow()) * image.height);
    for (int y = 0; y < image.height; ++y) {
        const int stored = signedHeight < 0 ? y : image.height - 1 - y;
        std::memcpy(image.row(y), bytes.data() + pixelOffset + static_cast<std::size_t>(stored) * stride,
                    static_cast<std::size_t>(image.bytesPerRow()));
    }
    return image;
}

int runProgram(const std::string &program, const std::vector<std::string> &arguments)
{
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void runReference(const std::string &tool, std::vector<std::string> options, const std::filesystem::path &input,
                  const std::filesystem::path &output)
{
    options.insert(options.end(), {"-outfile", output.string(), input.string()});
    if (runProgram(tool, options) != 0) {
        std::string command = tool;
        for (const std::string &argument : options)
            command += " " + argument;
        throw std::runtime_error("reference tool failed: " + command);
    }
}


std::vector<unsigned char> readFileBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFileBytes(const std::filesystem::path &path, const std::vector<unsigned char> &bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

TestFolder::TestFolder()
{
    std::string name = "vorrel";
    if (const testing::TestInfo *test = testing::UnitTest::GetInstance()->current_test_info())
        name += std::string("-") + test->test_suite_name() + "-" + test->name();
    std::replace(name.begin(), name.end(), '/', '_'); // parameterised names
    std::string pattern = (std::filesystem::temp_directory_path() / (name + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make temporary folder " + pattern);
    m_path = pattern;
}

TestFolder::~TestFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}
