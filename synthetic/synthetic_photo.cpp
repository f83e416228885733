#include "synthetic/synthetic_photo.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// One period of a sine in 1024 steps, scaled to -127..127. Integer lookups keep
// the pixels identical on every run and fast enough for 12-megapixel pictures.
const std::array<int, 1024> &sineTable()
{
    static const std::array<int, 1024> table = [] {
        std::array<int, 1024> values{};
        for (int i = 0; i < 1024; ++i)
            values[i] = static_cast<int>(std::lround(127.0 * std::sin(i * 2.0 * 3.14159265358979323846 / 1024.0)));
        return values;
    }();
    return table;
}

int sine(long phase)
{
    return sineTable()[static_cast<std::size_t>(phase & 1023)];
}

// A small integer hash: grain that looks random but depends only on the
// position and the seed.
std::uint32_t grain(std::uint32_t x, std::uint32_t y, std::uint32_t seed)
{
    std::uint32_t h = x * 0x9E3779B1u ^ (y + 0x7F4A7C15u) * 0x85EBCA77u ^ seed * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h;
}

std::uint8_t clampByte(int value)
{
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

// Colour of one pixel as red, green, blue levels before clamping.
std::array<int, 3> photoPixel(int x, int y, int width, int height, std::uint32_t seed)
{
    const long w = std::max(width, 1);
    const long h = std::max(height, 1);
    // Broad gradients: one slow wave across the whole picture per channel.
    const long u = 1024L * x / w;
    const long v = 1024L * y / h;
    int red = 128 + sine(u / 2 + v / 3 + seed) * 3 / 4;
    int green = 120 + sine(u / 3 - v / 2 + seed * 7) * 2 / 3;
    int blue = 110 + sine(v / 2 + 256 + seed * 13) * 3 / 4;

    // Soft texture in pixel units, like foliage or fabric.
    const int texture = sine(x * 23L + sine(y * 9L) / 4) / 6 + sine(y * 17L + x * 5L) / 8;
    red += texture;
    green += texture;
    blue += texture / 2;

    // Hard edges: a tilted band and a disc, both sharp-edged.
    const long band = (x + 2L * y + seed) % (w / 3 + 17);
    if (band < 9) {
        red = red / 3;
        green = green / 3 + 40;
        blue = 230 - blue / 4;
    }
    const long dx = x - w * 2 / 3;
    const long dy = y - h / 3;
    const long radius = std::min(w, h) / 4 + 2;
    if (dx * dx + dy * dy < radius * radius) {
        red = 240 - red / 5;
        green = 200 - green / 4;
        blue = 40 + blue / 6;
    }

    // Fine grain, like sensor noise.
    const std::uint32_t noise = grain(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), seed);
    red += static_cast<int>(noise & 15u) - 8;
    green += static_cast<int>((noise >> 4) & 15u) - 8;
    blue += static_cast<int>((noise >> 8) & 15u) - 8;
    return {red, green, blue};
}

} // namespace

void fillSyntheticPhotoRow(int width, int height, int y, std::uint32_t seed, std::uint8_t *bgr)
{
    for (int x = 0; x < width; ++x) {
        const auto [red, green, blue] = photoPixel(x, y, width, height, seed);
        bgr[3 * x] = clampByte(blue);
        bgr[3 * x + 1] = clampByte(green);
        bgr[3 * x + 2] = clampByte(red);
    }
}

void fillSyntheticGrayRow(int width, int height, int y, std::uint32_t seed, std::uint8_t *gray)
{
    for (int x = 0; x < width; ++x) {
        const auto [red, green, blue] = photoPixel(x, y, width, height, seed);
        gray[x] = clampByte((red * 3 + green * 5 + blue * 2) / 10);
    }
}
