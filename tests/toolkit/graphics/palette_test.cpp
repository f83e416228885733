#include "toolkit/graphics/display.h"
#include "toolkit/graphics/palette.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace {

LOGPALETTE threeColours()
{
    LOGPALETTE description;
    description.palNumEntries = 3;
    description.palPalEntry[0] = {255, 0, 0, 0};
    description.palPalEntry[1] = {0, 255, 0, 0};
    description.palPalEntry[2] = {0, 0, 255, 0};
    return description;
}

TEST(Palette, EntriesComeBackAsCreated)
{
    const int before = livePaletteCount();
    const LOGPALETTE description = threeColours();
    UniquePalette palette(CreatePalette(&description));
    ASSERT_TRUE(palette);
    EXPECT_EQ(livePaletteCount(), before + 1);
    EXPECT_EQ(GetPaletteEntries(palette.get(), 0, 0, nullptr), 3u);

    PALETTEENTRY entries[4]{};
    EXPECT_EQ(GetPaletteEntries(palette.get(), 1, 4, entries), 2u);
    EXPECT_EQ(entries[0], (PALETTEENTRY{0, 255, 0, 0}));
    EXPECT_EQ(entries[1], (PALETTEENTRY{0, 0, 255, 0}));
    EXPECT_EQ(GetPaletteEntries(palette.get(), 3, 4, entries), 0u);
    palette.reset();
    EXPECT_EQ(livePaletteCount(), before);
}

TEST(Palette, CopyIsIndependentAndDeletedHandlesAreRefused)
{
    const int before = livePaletteCount();
    const LOGPALETTE description = threeColours();
    HPALETTE original = CreatePalette(&description);
    HPALETTE copy = CopyPalette(original);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, original);
    EXPECT_TRUE(DeleteObject(original));
    EXPECT_FALSE(DeleteObject(original)) << "a palette was deleted twice";
    PALETTEENTRY entry{};
    EXPECT_EQ(GetPaletteEntries(original, 0, 1, &entry), 0u);
    EXPECT_EQ(CopyPalette(original), nullptr);
    ASSERT_EQ(GetPaletteEntries(copy, 2, 1, &entry), 1u);
    EXPECT_EQ(entry, (PALETTEENTRY{0, 0, 255, 0}));
    EXPECT_TRUE(DeleteObject(copy));
    EXPECT_EQ(livePaletteCount(), before);
}

TEST(Palette, HalftoneHas256DistinctColoursFromBlackToWhite)
{
    UniquePalette halftone(CreateHalftonePalette(GetDC(nullptr)));
    PALETTEENTRY entries[256]{};
    ASSERT_EQ(GetPaletteEntries(halftone.get(), 0, 256, entries), 256u);
    std::set<std::tuple<int, int, int>> colours;
    for (const PALETTEENTRY &entry : entries)
        colours.insert({entry.peRed, entry.peGreen, entry.peBlue});
    EXPECT_EQ(colours.size(), 256u);
    EXPECT_TRUE(colours.count({0, 0, 0}));
    EXPECT_TRUE(colours.count({255, 255, 255}));
    EXPECT_TRUE(colours.count({255, 0, 0}));
    EXPECT_TRUE(colours.count({0, 0, 255}));
}

TEST(Display, DepthCanBeOverriddenAndPlanesAreOne)
{
    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    const int depth = GetDeviceCaps(screen, BITSPIXEL);
    EXPECT_GT(depth, 0);
    {
        DisplayDepthOverride eightBits(8);
        EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 8);
        {
            DisplayDepthOverride deeper(32);
            EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
        }
        EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 8);
    }
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), depth);
    EXPECT_EQ(GetDeviceCaps(screen, PLANES), 1);
    EXPECT_EQ(GetDeviceCaps(nullptr, BITSPIXEL), 0);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
}

} // namespace
