// Palettes of the picture: what GetPalette answers on each display, how
// SetPalette steers the next decode, and that no palette leaks or gets two
// owners.

#include "tests/jpeg/picturetesting.h"
#include "tests/jpeg/reference/referencecodec.h"
#include "tests/jpeg/reference/testfolder.h"
#include "tests/jpeg/referenceinputs.h"
#include "toolkit/core/memorystream.h"
#include "toolkit/graphics/display.h"

#include <gtest/gtest.h>

namespace {

std::vector<unsigned char> referenceJpeg(const TestFolder &folder, std::size_t index)
{
    return readFileBytes(makeReferenceJpeg(referenceInputs().at(index), folder.path()));
}

// Four colours: red, green, blue, white.
HPALETTE fourColourPalette()
{
    LOGPALETTE description;
    description.palNumEntries = 4;
    description.palPalEntry[0] = {255, 0, 0, 0};
    description.palPalEntry[1] = {0, 255, 0, 0};
    description.palPalEntry[2] = {0, 0, 255, 0};
    description.palPalEntry[3] = {255, 255, 255, 0};
    return CreatePalette(&description);
}

std::vector<PALETTEENTRY> entriesOf(HPALETTE palette)
{
    std::vector<PALETTEENTRY> entries(maxPaletteEntries);
    entries.resize(GetPaletteEntries(palette, 0, maxPaletteEntries, entries.data()));
    return entries;
}

TEST(TJPEGImagePalette, GetPaletteDependsOnDepthAndDisplay)
{
    struct Case {
        int displayBits;
        TJPEGPixelFormat depth;
        bool halftone;
    };
    for (const Case &c : {Case{24, Depth24, false}, Case{32, Depth24, false}, Case{8, Depth24, true},
                          Case{4, Depth24, true}, Case{8, Depth8, false}, Case{24, Depth8, false}}) {
        SCOPED_TRACE(std::to_string(c.displayBits) + " bits, depth " + std::to_string(c.depth));
        const int livePalettes = livePaletteCount();
        {
            DisplayDepthOverride display(c.displayBits);
            TJPEGSettings chosen;
            chosen.OutputDepth = c.depth;
            DefaultSettingsScope settings(chosen);
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

TEST(TJPEGImagePalette, DefaultsAdaptToTheDisplayDepth)
{
    const TJPEGSettings saved = DefaultJPEGSettings;
    for (const auto &[bits, depth] : {std::pair{1, Depth8}, std::pair{8, Depth8}, std::pair{15, Depth24},
                                      std::pair{24, Depth24}, std::pair{32, Depth24}}) {
        DisplayDepthOverride display(bits);
        DefaultJPEGSettings.OutputDepth = depth == Depth8 ? Depth24 : Depth8;
        AdaptDefaultsToDisplay();
        EXPECT_EQ(DefaultJPEGSettings.OutputDepth, depth) << bits << " bits per pixel";
    }
    DefaultJPEGSettings = saved;
}

TEST(TJPEGImagePalette, SetPaletteWithThePaletteHeldDoesNothing)
{
    TestFolder folder;
    TJPEGSettings chosen;
    chosen.OutputDepth = Depth8;
    DefaultSettingsScope settings(chosen);
    std::unique_ptr<TJPEGImage> picture = pictureFromBytes(referenceJpeg(folder, 0));
    HPALETTE palette = fourColourPalette();
    picture->SetPalette(palette);
    decodedRaster(*picture);
    TBitmap *bitmap = picture->Bitmap();
    int changes = 0;
    picture->SetOnChange([&changes](TPersistent *) { ++changes; });
    picture->SetPalette(palette);
    EXPECT_EQ(picture->Bitmap(), bitmap);
    EXPECT_EQ(changes, 0);
}

TEST(TJPEGImagePalette, AnotherPaletteDropsTheBitmapAndSteersTheNextDecode)
{
    TestFolder folder;
    TJPEGSettings chosen;
    chosen.OutputDepth = Depth8;
    DefaultSettingsScope settings(chosen);
    std::unique_ptr<TJPEGImage> picture = pictureFromBytes(referenceJpeg(folder, 0));
    const RasterImage ownColours = decodedRaster(*picture);
    EXPECT_EQ(ownColours.palette.size(), 236u);

    int changes = 0;
    picture->SetOnChange([&changes](TPersistent *) { ++changes; });
    picture->SetPaletteDirty(false);
    picture->SetPalette(fourColourPalette());
    EXPECT_EQ(picture->Bitmap(), nullptr) << "Decoded became Compressed";
    EXPECT_TRUE(picture->GetPaletteDirty());
    EXPECT_EQ(changes, 1);

    const RasterImage mapped = decodedRaster(*picture);
    ASSERT_EQ(mapped.palette.size(), 4u);
    EXPECT_EQ(mapped.palette[0], (PaletteColour{255, 0, 0}));
    EXPECT_EQ(mapped.palette[3], (PaletteColour{255, 255, 255}));
    for (std::uint8_t index : mapped.pixels)
        ASSERT_LT(index, 4);
}

TEST(TJPEGImagePalette, PaletteWithoutBitmapIsOnlyStored)
{
    TestFolder folder;
    std::unique_ptr<TJPEGImage> picture = pictureFromBytes(referenceJpeg(folder, 0));
    int changes = 0;
    picture->SetOnChange([&changes](TPersistent *) { ++changes; });
    picture->SetPaletteDirty(false);
    HPALETTE palette = fourColourPalette();
    picture->SetPalette(palette);
    EXPECT_EQ(picture->GetPalette(), palette);
    EXPECT_FALSE(picture->GetPaletteDirty());
    EXPECT_EQ(changes, 0);
}

TEST(TJPEGImagePalette, PixelsOnlyPictureKeepsItsPixelsUnderAnotherPalette)
{
    const RasterImage photo = makePhotoImage(19, 7, 3);
    TJPEGImage picture;
    picture.Assign(bitmapFromRaster(photo).get());
    HPALETTE palette = fourColourPalette();
    picture.SetPalette(palette);
    ASSERT_NE(picture.Bitmap(), nullptr) << "nothing to decode the pixels from again";
    EXPECT_FALSE(picture.GetEmpty());
    EXPECT_EQ(describeDifference(photo, decodedRaster(picture)), "");
}

TEST(TJPEGImagePalette, TwentyFourBitDecodeDiscardsTheHeldPalette)
{
    TestFolder folder;
    const int livePalettes = livePaletteCount();
    {
        std::unique_ptr<TJPEGImage> picture = pictureFromBytes(referenceJpeg(folder, 0));
        picture->SetPalette(fourColourPalette());
        EXPECT_EQ(livePaletteCount(), livePalettes + 1);
        const RasterImage decoded = decodedRaster(*picture);
        EXPECT_EQ(decoded.bitsPerPixel, 24);
        EXPECT_EQ(livePaletteCount(), livePalettes);
        EXPECT_EQ(picture->GetPalette(), nullptr);
    }
    EXPECT_EQ(livePaletteCount(), livePalettes);
}

TEST(TJPEGImagePalette, GrayOutputKeepsItsGrayLevelsUnderAHeldPalette)
{
    TestFolder folder;
    const std::filesystem::path jpeg = makeReferenceJpeg(referenceInputs().at(6), folder.path());
    ASSERT_TRUE(referenceInputs().at(6).gray);
    TJPEGSettings chosen;
    chosen.OutputDepth = Depth8;
    DefaultSettingsScope settings(chosen);
    std::unique_ptr<TJPEGImage> plain = pictureFromFile(jpeg);
    std::unique_ptr<TJPEGImage> withPalette = pictureFromFile(jpeg);
    withPalette->SetPalette(fourColourPalette());
    EXPECT_EQ(describeDifference(decodedRaster(*plain), decodedRaster(*withPalette)), "");
}

TEST(TJPEGImagePalette, TheBitmapsOwnPaletteIsCopiedNotShared)
{
    TestFolder folder;
    TJPEGSettings chosen;
    chosen.OutputDepth = Depth8;
    DefaultSettingsScope settings(chosen);
    const int livePalettes = livePaletteCount();
    {
        std::unique_ptr<TJPEGImage> picture = pictureFromBytes(referenceJpeg(folder, 0));
        decodedRaster(*picture);
        HPALETTE bitmapsOwn = picture->GetPalette();
        const std::vector<PALETTEENTRY> colours = entriesOf(bitmapsOwn);
        ASSERT_EQ(colours.size(), 236u);
        picture->SetPalette(bitmapsOwn);
        ASSERT_NE(picture->Bitmap(), nullptr);

        // New data drops the bitmap with its palette; the picture's own copy
        // must still be a live palette with the same colours.
        TMemoryStream stream;
        const std::vector<unsigned char> other = referenceJpeg(folder, 4);
        stream.WriteBuffer(other.data(), static_cast<std::int64_t>(other.size()));
        stream.SetPosition(0);
        picture->LoadFromStream(stream);
        ASSERT_EQ(picture->Bitmap(), nullptr);
        EXPECT_TRUE(entriesOf(picture->GetPalette()) == colours);
    }
    EXPECT_EQ(livePaletteCount(), livePalettes);
}

TEST(TJPEGImagePalette, DecodingAndDestroyingLeavesNoPalette)
{
    TestFolder folder;
    const int livePalettes = livePaletteCount();
    for (const ReferenceInput &input : referenceInputs()) {
        for (bool progressiveView : {false, true}) {
            TJPEGSettings chosen;
            chosen.OutputDepth = Depth8;
            chosen.ProgressiveView = progressiveView;
            DefaultSettingsScope settings(chosen);
            std::unique_ptr<TJPEGImage> picture = pictureFromFile(makeReferenceJpeg(input, folder.path()));
            decodedRaster(*picture);
        }
    }
    EXPECT_EQ(livePaletteCount(), livePalettes);
}

} // namespace
