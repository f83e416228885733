// The picture on the application's clipboard. Needs a running application
// (the offscreen platform in tests).

#include "tests/jpeg/picturetesting.h"
#include "tests/jpeg/reference/referencecodec.h"
#include "tests/jpeg/reference/testfolder.h"
#include "tests/jpeg/referenceinputs.h"
#include "jpeg/tjpegdata.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

namespace {

class TJPEGImageClipboard : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "vorrel_tjpegimage_clipboard_tests";
        static char *argv[] = {name, nullptr};
        s_application = new QGuiApplication(argc, argv);
    }
    static void TearDownTestSuite()
    {
        delete s_application;
        s_application = nullptr;
    }

private:
    static QGuiApplication *s_application;
};

QGuiApplication *TJPEGImageClipboard::s_application = nullptr;

TEST_F(TJPEGImageClipboard, SavingDecodesAndPutsThePictureOnTheClipboard)
{
    TestFolder folder;
    const std::filesystem::path jpeg = makeReferenceJpeg(referenceInputs().at(0), folder.path());
    std::unique_ptr<TJPEGImage> picture = pictureFromFile(jpeg);
    TClipboardFormat format = 0;
    THandle data = 1;
    HPALETTE palette = nullptr;
    picture->SaveToClipboardFormat(format, data, palette);
    EXPECT_EQ(format, CF_BITMAP);
    ASSERT_NE(picture->Bitmap(), nullptr) << "Compressed became Decoded";

    TBitmap fromClipboard;
    fromClipboard.LoadFromClipboardFormat(CF_BITMAP, 0, nullptr);
    EXPECT_EQ(describeDifference(rasterFromBitmap(*picture->Bitmap()), rasterFromBitmap(fromClipboard)), "");
}

TEST_F(TJPEGImageClipboard, EmptyPictureSavesAnEmptyBitmap)
{
    TJPEGImage picture;
    TClipboardFormat format = 0;
    THandle data = 0;
    HPALETTE palette = nullptr;
    EXPECT_NO_THROW(picture.SaveToClipboardFormat(format, data, palette));
    EXPECT_EQ(format, CF_BITMAP);
    EXPECT_EQ(palette, nullptr);
    EXPECT_TRUE(picture.GetEmpty());
}

TEST_F(TJPEGImageClipboard, LoadingWithoutABitmapMakesOneAndKeepsTheBytes)
{
    TestFolder folder;
    const RasterImage photo = makePhotoImage(23, 11, 2);
    std::unique_ptr<TBitmap> source = bitmapFromRaster(photo);
    TClipboardFormat format = 0;
    THandle data = 0;
    HPALETTE palette = nullptr;
    source->SaveToClipboardFormat(format, data, palette);

    std::unique_ptr<TJPEGImage> picture = pictureFromFile(makeReferenceJpeg(referenceInputs().at(0), folder.path()));
    ASSERT_EQ(picture->Bitmap(), nullptr);
    picture->LoadFromClipboardFormat(format, data, palette);
    ASSERT_NE(picture->Bitmap(), nullptr);
    EXPECT_EQ(describeDifference(photo, rasterFromBitmap(*picture->Bitmap())), "");
    EXPECT_NE(picture->Data()->JpegStream, nullptr) << "the bytes stay";
    EXPECT_EQ(picture->GetWidth(), 23);
}

} // namespace
