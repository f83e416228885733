#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A picture as the reference tools and the tests see it: rows top-down,
// packed. 24 bits hold blue, green, red bytes (the toolkit's order); 8 bits
// hold one palette index per pixel.
struct PaletteColour {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const PaletteColour &) const = default;
};

struct RasterImage {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;
    std::vector<std::uint8_t> pixels;
    std::vector<PaletteColour> palette;

    int bytesPerRow() const { return width * (bitsPerPixel / 8); }
    const std::uint8_t *row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * bytesPerRow(); }
    std::uint8_t *row(int y) { return pixels.data() + static_cast<std::size_t>(y) * bytesPerRow(); }
    // The colour shown at (x, y), through the palette for 8 bits.
    PaletteColour colourAt(int x, int y) const;
};

// Synthetic photo, 24 bits; or gray, 8 bits with the identity gray palette.
RasterImage makePhotoImage(int width, int height, std::uint32_t seed);
RasterImage makeGrayImage(int width, int height, std::uint32_t seed);

// The reference decoder pads its BMP colour table to 256 black entries: cut
// it to `colours` when only unused padding lies past them.
RasterImage withoutTablePadding(RasterImage image, std::size_t colours);

// Where two pictures first differ, as text; empty when they agree. Exact:
// depth, palette in order and bytes; otherwise the colours shown.
std::string describeDifference(const RasterImage &expected, const RasterImage &actual, bool exact = true);

// PPM for 24 bits, PGM (levels as they are) for 8 bits.
void writePnm(const std::filesystem::path &path, const RasterImage &image);
// Uncompressed 8- or 24-bit BMP with the 40-byte header, either row order.
// Throws std::runtime_error naming the file otherwise.
RasterImage readBmp(const std::filesystem::path &path);

// Runs program with arguments (no shell); its exit status, -1 when it could
// not start or did not exit.
int runProgram(const std::string &program, const std::vector<std::string> &arguments);
// Runs the reference encoder or decoder (tool "cjpeg" or "djpeg") as TOOL
// OPTIONS -outfile OUTPUT INPUT; throws std::runtime_error with the command
// line when the tool fails.
void runReference(const std::string &tool, std::vector<std::string> options, const std::filesystem::path &input,
                  const std::filesystem::path &output);

std::vector<unsigned char> readFileBytes(const std::filesystem::path &path);
void writeFileBytes(const std::filesystem::path &path, const std::vector<unsigned char> &bytes);

// Runs action; expects a Failure whose message is exactly message.
template <class Failure, class Action>
void expectFailure(const Action &action, const std::string &message)
{
    try {
        action();
        ADD_FAILURE() << "nothing was raised; expected " << message;
    } catch (const Failure &error) {
        EXPECT_EQ(std::string(error.what()), message);
    }
}

// A temporary folder named after the running test, removed with its contents.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder &) = delete;
    TestFolder &operator=(const TestFolder &) = delete;

    const std::filesystem::path &path() const { return m_path; }
    std::filesystem::path operator/(const std::string &name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};
