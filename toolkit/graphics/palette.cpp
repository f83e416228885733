#include "toolkit/graphics/palette.h"

#include <memory>
#include <set>
#include <vector>

struct PaletteObject {
    std::vector<PALETTEENTRY> entries;
};

namespace {

// Every palette that exists. Handles are checked against it so that a deleted
// or invented handle is refused instead of being dereferenced.
std::set<PaletteObject *> &livePalettes()
{
    static std::set<PaletteObject *> palettes;
    return palettes;
}

bool isLive(HPALETTE palette)
{
    return palette != nullptr && livePalettes().count(palette) != 0;
}

HPALETTE adopt(std::vector<PALETTEENTRY> entries)
{
    auto object = std::make_unique<PaletteObject>();
    object->entries = std::move(entries);
    livePalettes().insert(object.get());
    return object.release();
}

} // namespace

HPALETTE CreatePalette(const LOGPALETTE *description)
{
    if (description == nullptr || description->palNumEntries == 0 || description->palNumEntries > maxPaletteEntries)
        return nullptr;
    return adopt({description->palPalEntry, description->palPalEntry + description->palNumEntries});
}

HPALETTE CreateHalftonePalette(HDC)
{
    std::vector<PALETTEENTRY> entries;
    entries.reserve(maxPaletteEntries);
    constexpr int cubeStep = 51; // six levels: 0, 51, ..., 255
    for (int red = 0; red < 6; ++red)
        for (int green = 0; green < 6; ++green)
            for (int blue = 0; blue < 6; ++blue)
                entries.push_back({static_cast<std::uint8_t>(red * cubeStep), static_cast<std::uint8_t>(green * cubeStep),
                                   static_cast<std::uint8_t>(blue * cubeStep), 0});
    // Eight grays inside each of the five gaps between the cube's gray levels.
    for (int gap = 0; gap < 5; ++gap) {
        for (int step = 1; step <= 8; ++step) {
            const auto level = static_cast<std::uint8_t>(gap * cubeStep + (step * cubeStep) / 9);
            entries.push_back({level, level, level, 0});
        }
    }
    return adopt(std::move(entries));
}

unsigned GetPaletteEntries(HPALETTE palette, unsigned start, unsigned count, PALETTEENTRY *entries)
{
    if (!isLive(palette))
        return 0;
    const auto size = static_cast<unsigned>(palette->entries.size());
    if (entries == nullptr)
        return size;
    if (start >= size)
        return 0;
    const unsigned copied = count < size - start ? count : size - start;
    for (unsigned i = 0; i < copied; ++i)
        entries[i] = palette->entries[start + i];
    return copied;
}

HPALETTE CopyPalette(HPALETTE palette)
{
    if (!isLive(palette))
        return nullptr;
    return adopt(palette->entries);
}

bool DeleteObject(HPALETTE palette)
{
    if (!isLive(palette))
        return false;
    livePalettes().erase(palette);
    std::unique_ptr<PaletteObject> ended(palette);
    return true;
}

int livePaletteCount()
{
    return static_cast<int>(livePalettes().size());
}
