#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A picture as the reference tools and the tests see it: plain rows, top-down,
// packed without padding. 24 bits per pixel holds blue, green, red bytes (the
// toolkit's bitmap order); 8 bits per pixel holds one palette index per pixel.
struct PaletteColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
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
    // The colour a viewer shows at (x, y), through the palette for 8 bits.
    PaletteColour colourAt(int x, int y) const;
};

// Colour picture from the synthetic photo generator, 24 bits per pixel.
RasterImage makePhotoImage(int width, int height, std::uint32_t seed);
// Gray picture from the same generator: 8 bits per pixel with an identity
// gray palette (index = level).
RasterImage makeGrayImage(int width, int height, std::uint32_t seed);

// The reference decoder pads its BMP colour table to 256 entries with black.
// Returns the image with the table cut to `colours` entries when everything
// past them is such padding and no pixel uses it; otherwise unchanged, so that
// a comparison still sees the difference.
RasterImage withoutTablePadding(RasterImage image, std::size_t colours);

// Where two pictures of the same size first differ, as text for a failure
// message; empty when size, depth, palette and pixels all agree.
std::string describeDifference(const RasterImage &expected, const RasterImage &actual);
// Same, comparing shown colours rather than indices (palettes may be ordered
// differently).
std::string describeColourDifference(const RasterImage &expected, const RasterImage &actual);
