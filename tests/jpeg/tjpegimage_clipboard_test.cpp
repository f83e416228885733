// The picture on the clipboard: the application's (the offscreen platform
// in tests) or the system's.
#include "jpeg/tjpegdata.h"
#include "tests/jpeg/picture_helpers.h"
#include "tests/support/offscreen_surface.h"

#include <gtest/gtest.h>


namespace {

class TJPEGImageClipboard : public testing::Test {
protected:
    TJPEGImageClipboard() { prepareClipboard(); }
};

// An empty picture hands out an empty bitmap; loading into a picture
// without a bitmap makes one and keeps the bytes.
TEST_F(TJPEGImageClipboard, EmptyPictureSavesAnEmptyBitmapAndLoadingKeepsTheBytes)
{
    TClipboardFormat format = 0;
    THandle data = 0;
    HPALETTE palette = nullptr;
    TJPEGImage empty;
    empty.SaveToClipboardFormat(format, data, palette);
    EXPECT_EQ(format, CF_BITMAP);
    EXPECT_EQ(palette, nullptr);
    EXPECT_TRUE(empty.GetEmpty());

    const RasterImage photo = makePhotoImage(23, 11, 2);
    bitmapFromRaster(photo)->SaveToClipboardFormat(format, data, palette);
    std::unique_ptr<TJPEGImage> picture = pictureFromBytes(referenceJpeg("baseline-303x93"));
    ASSERT_EQ(picture->Bitmap(), nullptr);
    picture->LoadFromClipboardFormat(format, data, palette);
    ASSERT_NE(picture->Bitmap(), nullptr);
    EXPECT_EQ(describeDifference(photo, rasterFromBitmap(*picture->Bitmap())), "");
    EXPECT_NE(picture->Data()->JpegStream, nullptr) << "the bytes stay";
    EXPECT_EQ(picture->GetWidth(), 23);
    // The clipboard's pixels cannot be decoded again: another palette keeps them.
    picture->SetPalette(CreateHalftonePalette(nullptr));
    ASSERT_NE(picture->Bitmap(), nullptr);
    EXPECT_EQ(describeDifference(photo, rasterFromBitmap(*picture->Bitmap())), "");
}

} // namespace
