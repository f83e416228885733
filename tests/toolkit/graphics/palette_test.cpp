#include "toolkit/graphics/display.h"
#include "toolkit/graphics/palette.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <vector>

namespace {

TEST(Palette, CreateGetAndCopyKeepTheEntriesAndDeletedHandlesAreRefused)
{
    const int before = livePaletteCount();
    LOGPALETTE description;
    description.palNumEntries = 3;
    description.palPalEntry[1] = {0, 255, 0, 0};
    description.palPalEntry[2] = {0, 0, 255, 0};
    HPALETTE original = CreatePalette(&description);
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(GetPaletteEntries(original, 0, 0, nullptr), 3u);
    PALETTEENTRY entries[4]{};
    EXPECT_EQ(GetPaletteEntries(original, 1, 4, entries), 2u);
    EXPECT_EQ(std::vector(entries, entries + 2), (std::vector<PALETTEENTRY>{{0, 255, 0, 0}, {0, 0, 255, 0}}));
    EXPECT_EQ(GetPaletteEntries(original, 3, 4, entries), 0u);

    HPALETTE copy = CopyPalette(original);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, original);
    EXPECT_EQ(livePaletteCount(), before + 2);
    EXPECT_TRUE(DeleteObject(original));
    EXPECT_FALSE(DeleteObject(original)) << "a palette was deleted twice";
    EXPECT_EQ(GetPaletteEntries(original, 0, 1, entries), 0u);
    EXPECT_EQ(CopyPalette(original), nullptr);
    ASSERT_EQ(GetPaletteEntries(copy, 2, 1, entries), 1u);
    EXPECT_EQ(entries[0], (PALETTEENTRY{0, 0, 255, 0}));
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
    for (const auto &colour : {std::tuple{0, 0, 0}, std::tuple{255, 255, 255}, std::tuple{255, 0, 0}, std::tuple{0, 0, 255}})
        EXPECT_TRUE(colours.count(colour));
}

} // namespace
