#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Pictures as the reference encoder and decoder (cjpeg and djpeg, run as
// programs) and the tests see them, and the one wrapper around those tools.

// Rows top-down, packed. 24 bits hold blue, green, red bytes (the toolkit's
// order); 8 bits hold one palette index per pixel.
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

using Bytes = std::vector<std::uint8_t>;

// Synthetic photo, 24 bits; or gray, 8 bits with the identity gray palette.
RasterImage makePhotoImage(int width, int height, std::uint32_t seed);
RasterImage makeGrayImage(int width, int height, std::uint32_t seed);

// Where two pictures first differ, as text; empty when they agree. Exact:
// depth, palette in order and bytes; otherwise the colours shown. The
// reference decoder pads an 8-bit BMP's colour table with black entries:
// padding that no pixel uses is not a difference.
std::string describeDifference(const RasterImage &expected, const RasterImage &actual, bool exact = true);

// PPM for 24 bits, PGM (levels as they are) for 8 bits.
void writePnm(const std::string &path, const RasterImage &image);
// A BMP file (8 bits with a colour table, or 24 bits, uncompressed, as the
// reference decoder writes them) read by the toolkit's bitmap: 8 bits with
// the file's colour table, else 24 bits. Throws std::runtime_error naming the
// file.
RasterImage readPicture(const std::string &path);
class TBitmap;
// The bitmap's rows top-down with its palette.
RasterImage rasterFromBitmap(TBitmap &bitmap);

Bytes readFileBytes(const std::string &path);
void writeFileBytes(const std::string &path, const Bytes &bytes);

// Runs the reference encoder or decoder (tool "cjpeg" or "djpeg") as TOOL
// OPTIONS -outfile OUTPUT INPUT; throws std::runtime_error with the command
// line when the tool fails.
void runReference(const std::string &tool, std::vector<std::string> options, const std::string &input,
                  const std::string &output);
// cjpeg's JPEG of image; djpeg's picture of jpeg (as a BMP file).
Bytes referenceJpeg(const RasterImage &image, const std::vector<std::string> &options = {});
RasterImage referenceDecode(const Bytes &jpeg, const std::vector<std::string> &options = {});
