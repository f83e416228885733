// Palettes of the picture: GetPalette on each display, SetPalette's cases,
// and that no palette leaks or gets two owners.
#include "tests/jpeg/picture_helpers.h"
#include "toolkit/graphics/display.h"

#include <gtest/gtest.h>

namespace {

// Red, green, blue, white.
HPALETTE fourColourPalette()
{
    LOGPALETTE description{0x300, 4, {{255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}, {255, 255, 255, 0}}};
    return CreatePalette(&description);
}

std::vector<PALETTEENTRY> entriesOf(HPALETTE palette)
{
    std::vector<PALETTEENTRY> entries(maxPaletteEntries);
    entries.resize(GetPaletteEntries(palette, 0, maxPaletteEntries, entries.data()));
    return entries;
}

const TJPEGSettings depth8{.OutputDepth = Depth8};

TEST(TJPEGImagePalette, GetPaletteIsAHalftoneOnlyFor24BitsOnAPalettedDisplay)
{
    struct Case { int displayBits; TJPEGPixelFormat depth; bool halftone; };
    for (const Case &c : {Case{24, Depth24, false}, Case{8, Depth24, true}, Case{4, Depth24, true}, Case{8, Depth8, false}}) {
        SCOPED_TRACE(std::to_string(c.displayBits) + " bits, depth " + std::to_string(c.depth));
        const int livePalettes = livePaletteCount();
        {
            DisplayDepthOverride display(c.displayBits);
            DefaultSettingsScope settings(TJPEGSettings{.OutputDepth = c.depth});
            TJPEGImage picture;
            HPALETTE first = picture.GetPalette();
            EXPECT_EQ(first != nullptr, c.halftone);
            EXPECT_EQ(picture.GetPalette(), first) << "made once, then the same handle";
            if (c.halftone) {
                EXPECT_EQ(entriesOf(first).size(), 256u);
            }
        }
        EXPECT_EQ(livePaletteCount(), livePalettes);
    }
}

// SetPalette where the bitmap must stay: without a bitmap the palette is only
// stored; with that palette already held nothing happens; pixels that came
// from elsewhere stay, as nothing could decode them again.
TEST(TJPEGImagePalette, SetPaletteKeepsTheBitmapUnlessItCanBeDecodedAgain)
{
    const RasterImage photo = makePhotoImage(19, 7, 3);
    enum State { Compressed, DecodedWithThePalette, PixelsOnly };
    for (const State state : {Compressed, DecodedWithThePalette, PixelsOnly}) {
        SCOPED_TRACE(state);
        DefaultSettingsScope settings(depth8);
        TJPEGImage picture;
        if (state == PixelsOnly)
            picture.Assign(bitmapFromRaster(photo).get());
        else
            picture.LoadFromStream(*streamOf(referenceJpeg("baseline-303x93")));
        HPALETTE palette = fourColourPalette();
        if (state == DecodedWithThePalette) {
            picture.SetPalette(palette);
            decodedRaster(picture);
        }
        TBitmap *bitmap = picture.Bitmap();
        EXPECT_EQ(bitmap != nullptr, state != Compressed);
        int changes = 0;
        picture.SetOnChange([&changes](TPersistent *) { ++changes; });
        picture.SetPaletteDirty(false);
        picture.SetPalette(palette);
        EXPECT_EQ(picture.Bitmap(), bitmap);
        EXPECT_TRUE(state != Compressed || picture.GetPalette() == palette) << "only stored";
        EXPECT_FALSE(picture.GetPaletteDirty());
        EXPECT_EQ(changes, 0);
        if (state == PixelsOnly) {
            EXPECT_EQ(describeDifference(photo, decodedRaster(picture)), "");
        }
    }
}

// A held palette that the decode cannot map through changes no pixel: a
// 24-bit decode discards it, gray output keeps its gray levels.
TEST(TJPEGImagePalette, HeldPaletteThatTheDecodeCannotUseChangesNoPixelAndTheBitmapsOwnIsCopied)
{
    for (const auto &[name, depth] : {std::pair{"baseline-303x93", Depth24}, {"gray-303x93", Depth8}}) {
        SCOPED_TRACE(name);
        const int livePalettes = livePaletteCount();
        {
            DefaultSettingsScope settings(TJPEGSettings{.OutputDepth = depth});
            const Bytes jpeg = referenceJpeg(name);
            std::unique_ptr<TJPEGImage> picture = pictureFromBytes(jpeg);
            picture->SetPalette(fourColourPalette());
            EXPECT_EQ(livePaletteCount(), livePalettes + 1);
            EXPECT_EQ(describeDifference(decodedRaster(*pictureFromBytes(jpeg)), decodedRaster(*picture)), "");
            EXPECT_TRUE(depth != Depth24 || (livePaletteCount() == livePalettes && picture->GetPalette() == nullptr))
                << "discarded by the decode";
        }
        EXPECT_EQ(livePaletteCount(), livePalettes);
    }
    // The bitmap's own palette set on the picture is copied, not shared.
    DefaultSettingsScope settings(depth8);
    const int livePalettes = livePaletteCount();
    {
        std::unique_ptr<TJPEGImage> picture = pictureFromBytes(referenceJpeg("baseline-303x93"));
        decodedRaster(*picture);
        HPALETTE bitmapsOwn = picture->GetPalette();
        const std::vector<PALETTEENTRY> colours = entriesOf(bitmapsOwn);
        ASSERT_EQ(colours.size(), 236u);
        picture->SetPalette(bitmapsOwn);
        ASSERT_NE(picture->Bitmap(), nullptr);
        // New data drops the bitmap with its palette; the picture's copy lives on.
        picture->LoadFromStream(*streamOf(referenceJpeg("baseline-1x1")));
        ASSERT_EQ(picture->Bitmap(), nullptr);
        EXPECT_TRUE(entriesOf(picture->GetPalette()) == colours);
    }
    EXPECT_EQ(livePaletteCount(), livePalettes);
}

} // namespace
