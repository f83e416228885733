#pragma once

#include <cstdint>
#include <utility>

// Colour palettes as handles: a handle names a palette object owned by
// whoever created it (or took it over) until DeleteObject ends it. Every
// function checks its handle, so a stale or foreign handle is refused rather
// than followed.

struct PALETTEENTRY {
    std::uint8_t peRed = 0;
    std::uint8_t peGreen = 0;
    std::uint8_t peBlue = 0;
    std::uint8_t peFlags = 0;
    bool operator==(const PALETTEENTRY &) const = default;
};

inline constexpr int maxPaletteEntries = 256;

// The description of a palette to create: palNumEntries entries of
// palPalEntry are used. palVersion is 0x300 by convention and not checked.
struct LOGPALETTE {
    std::uint16_t palVersion = 0x300;
    std::uint16_t palNumEntries = 0;
    PALETTEENTRY palPalEntry[maxPaletteEntries]{};
};

struct PaletteObject;
using HPALETTE = PaletteObject *;

struct DeviceContext;
using HDC = DeviceContext *;

// A new palette with the described entries; nullptr when the description is
// missing or asks for no entry or more than 256.
HPALETTE CreatePalette(const LOGPALETTE *description);
// A new 256-colour palette that covers the colour space evenly: a 6 x 6 x 6
// colour cube and 40 further gray levels. The device context is not used.
HPALETTE CreateHalftonePalette(HDC deviceContext);
// Copies up to count entries from index start into entries and returns how
// many were copied; 0 for an unknown handle or a start beyond the palette.
// With entries null, returns the palette's number of entries.
unsigned GetPaletteEntries(HPALETTE palette, unsigned start, unsigned count, PALETTEENTRY *entries);
// A new palette with the same entries; nullptr for an unknown handle.
HPALETTE CopyPalette(HPALETTE palette);
// Ends a palette; false (and nothing happens) for an unknown handle.
bool DeleteObject(HPALETTE palette);
// How many palettes exist at the moment, so that tests can prove none leaks.
int livePaletteCount();

// Sole owner of a palette handle: deletes it on destruction and on reset.
class UniquePalette {
public:
    UniquePalette() = default;
    explicit UniquePalette(HPALETTE palette) : m_palette(palette) {}
    UniquePalette(UniquePalette &&other) noexcept : m_palette(other.release()) {}
    UniquePalette &operator=(UniquePalette &&other) noexcept
    {
        reset(other.release());
        return *this;
    }
    UniquePalette(const UniquePalette &) = delete;
    UniquePalette &operator=(const UniquePalette &) = delete;
    ~UniquePalette() { reset(); }

    HPALETTE get() const { return m_palette; }
    HPALETTE release() { return std::exchange(m_palette, nullptr); }
    // Deletes the held palette unless it is the one being set.
    void reset(HPALETTE palette = nullptr)
    {
        HPALETTE old = std::exchange(m_palette, palette);
        if (old != nullptr && old != palette)
            DeleteObject(old);
    }
    explicit operator bool() const { return m_palette != nullptr; }

private:
    HPALETTE m_palette = nullptr;
};
