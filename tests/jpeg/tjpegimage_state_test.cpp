// The picture's states (Empty, Compressed, Decoded, Pixels only) and their
// events, sharing, the stored form, comparison and sizes.
#include "jpeg/ejpeg.h"
#include "jpeg/jpeg_registration.h"
#include "jpeg/jpeg_settings.h"
#include "jpeg/tjpegdata.h"
#include "tests/jpeg/picture_helpers.h"
#include "tests/support/offscreen_surface.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/display.h"
#include "toolkit/graphics/picture.h"

#include <gtest/gtest.h>


#include <algorithm>

namespace {

// The stored form: little-endian count, then the bytes.
Bytes storedForm(std::int32_t count, const Bytes &bytes)
{
    Bytes form;
    for (int i = 0; i < 4; ++i)
        form.push_back(static_cast<unsigned char>(static_cast<std::uint32_t>(count) >> (8 * i)));
    form.insert(form.end(), bytes.begin(), bytes.end());
    return form;
}

// Draws the picture on a white surface; the surface's colour (0xRRGGBB) at
// (x, y).
std::uint32_t drawnPixel(TJPEGImage &picture, int x, int y)
{
    OffscreenSurface surface(64, 32);
    TCanvas canvas(surface.Surface());
    picture.Draw(canvas, TRect{0, 0, 64, 32});
    return surface.ColourAt(x, y);
}

TEST(TJPEGImageState, EmptyPictureTakesTheDefaultsAndDrawsAndCopiesNothing)
{
    TJPEGImage before;
    DefaultSettingsScope settings(TJPEGSettings{.Quality = 42});
    TJPEGImage picture;
    EXPECT_TRUE(picture.GetEmpty());
    EXPECT_EQ(picture.GetWidth(), 0);
    EXPECT_EQ(picture.Data()->JpegStream, nullptr);
    EXPECT_EQ(picture.Settings().Quality, 42);
    EXPECT_EQ(before.Settings().Quality, 90) << "settings are copied at construction only";
    TBitmap target;
    target.SetSize(5, 5);
    picture.AssignTo(&target);
    EXPECT_TRUE(target.GetEmpty());
    EXPECT_EQ(drawnPixel(picture, 4, 4), 0xFFFFFFu);
    // Saving makes empty bytes: no longer Empty.
    EXPECT_TRUE(savedBytes(picture).empty());
    ASSERT_NE(picture.Data()->JpegStream, nullptr);
    EXPECT_FALSE(picture.GetEmpty());
}

TEST(TJPEGImageState, LoadingGivesHeaderFactsAndDrawingDecodesOnceAndTheSizeCannotBeSet)
{
    TJPEGImage picture;
    int changes = 0, starts = 0;
    picture.SetOnChange([&changes](TPersistent *) { ++changes; });
    picture.SetOnProgress([&starts](TPersistent *, TProgressStage stage, std::uint8_t, bool, const TRect &,
                                    const std::string &) { starts += stage == TProgressStage::Starting; });
    picture.LoadFromStream(*streamOf(referenceJpeg("progressive-303x93")));
    EXPECT_EQ(picture.GetWidth(), 303);
    EXPECT_EQ(picture.GetHeight(), 93);
    EXPECT_TRUE(picture.Settings().ProgressiveData);
    EXPECT_FALSE(picture.Data()->GrayscaleData);
    EXPECT_EQ(picture.Bitmap(), nullptr) << "no pixels decoded for the size";
    EXPECT_EQ(changes, 1);

    EXPECT_NE(drawnPixel(picture, 40, 10), 0xFFFFFFu) << "the picture was drawn";
    TBitmap *first = picture.Bitmap();
    ASSERT_NE(first, nullptr);
    drawnPixel(picture, 0, 0);
    EXPECT_EQ(picture.Bitmap(), first);
    EXPECT_EQ(starts, 1);

    picture.LoadFromStream(*streamOf(referenceJpeg("gray-303x93")));
    EXPECT_TRUE(picture.Data()->GrayscaleData);
    EXPECT_FALSE(picture.Settings().ProgressiveData);
    EXPECT_EQ(picture.Bitmap(), nullptr);
    // The size follows the data alone.
    for (int value : {303, 93, 0, -1, 1000})
        for (const auto &set : {&TJPEGImage::SetWidth, &TJPEGImage::SetHeight})
            expectFailure<EInvalidGraphicOperation>([&] { (picture.*set)(value); }, "Cannot change the size of a JPEG image");
    EXPECT_EQ(std::pair(picture.GetWidth(), picture.GetHeight()), std::pair(303, 93));
}

TEST(TJPEGImageState, PixelsOnlyPictureEncodesWhenItsBytesAreAsked)
{
    TJPEGImage picture;
    picture.Assign(bitmapFromRaster(makePhotoImage(31, 17, 9)).get());
    EXPECT_EQ(picture.Data()->JpegStream, nullptr);
    EXPECT_EQ(picture.GetWidth(), 31);
    TMemoryStream stored;
    picture.WriteData(stored);
    EXPECT_TRUE(streamBytes(stored) == storedForm(0, {}))
        << "WriteData does not encode";
    savedBytes(picture);
    ASSERT_NE(picture.Data()->JpegStream, nullptr);
    EXPECT_NE(picture.Bitmap(), nullptr) << "Decoded: bytes and bitmap";
    EXPECT_EQ(picture.Data()->ImageHeight, 17);
}

TEST(TJPEGImageState, StreamThatTakesTooFewBytesFailsTheSave)
{
    TJPEGImage picture;
    picture.Assign(bitmapFromRaster(makePhotoImage(40, 30, 4)).get());
    ShortWriteStream full(100);
    EXPECT_THROW(picture.SaveToStream(full), EWriteError);
    ShortWriteStream tiny(2);
    EXPECT_THROW(picture.WriteData(tiny), EWriteError);
}

TEST(TJPEGImageState, SharingKeepsOneCopyOfTheBytesAndSeparateBitmapsAndSelfAssignmentChangesNothing)
{
    std::unique_ptr<TJPEGImage> source = pictureFromBytes(referenceJpeg("baseline-303x93"));
    TJPEGImage withoutBitmap;
    withoutBitmap.Assign(source.get());
    EXPECT_EQ(withoutBitmap.Data(), source->Data());
    EXPECT_EQ(withoutBitmap.Data()->JpegStream->Memory(), source->Data()->JpegStream->Memory());
    EXPECT_EQ(withoutBitmap.Bitmap(), nullptr);

    const RasterImage expected = decodedRaster(*source);
    std::unique_ptr<TJPEGImage> withBitmap = pictureFromBytes(referenceJpeg("baseline-1x1"));
    decodedRaster(*withBitmap);
    withBitmap->Assign(source.get());
    ASSERT_NE(withBitmap->Bitmap(), nullptr);
    EXPECT_NE(withBitmap->Bitmap(), source->Bitmap());
    EXPECT_EQ(describeDifference(expected, rasterFromBitmap(*withBitmap->Bitmap())), "");
    // Assigned to itself, nothing changes; its own bitmap as source: the
    // pixels survive the change of holder.
    const TJPEGData *data = source->Data();
    TBitmap *bitmap = source->Bitmap();
    source->Assign(source.get());
    EXPECT_EQ(std::pair(source->Data(), source->Bitmap()), std::pair(data, bitmap));
    source->Assign(source->Bitmap());
    EXPECT_EQ(source->Data()->JpegStream, nullptr);
    EXPECT_EQ(describeDifference(expected, rasterFromBitmap(*source->Bitmap())), "");
    // The holder outlives the picture that made it.
    source.reset();
    EXPECT_EQ(describeDifference(expected, decodedRaster(withoutBitmap)), "");
}

TEST(TJPEGImageState, StoredFormRoundTripsAndCountZeroHoldsEmptyBytes)
{
    const Bytes jpeg = referenceJpeg("progressive-640x400");
    ASSERT_GT(jpeg.size(), 0xFFFFu) << "the count must use its third byte";
    TMemoryStream stored;
    pictureFromBytes(jpeg)->WriteData(stored);
    EXPECT_TRUE(streamBytes(stored) == storedForm(static_cast<std::int32_t>(jpeg.size()), jpeg));
    stored.SetPosition(0);
    TJPEGImage copy;
    copy.ReadData(stored);
    EXPECT_EQ(copy.GetWidth(), 640);
    EXPECT_TRUE(savedBytes(copy) == jpeg);

    TJPEGImage empty;
    empty.ReadData(*streamOf(storedForm(0, {})));
    ASSERT_NE(empty.Data()->JpegStream, nullptr);
    EXPECT_EQ(empty.Data()->JpegStream->GetSize(), 0);
    EXPECT_FALSE(empty.GetEmpty());
    TBitmap target;
    expectFailure<EJPEG>([&] { empty.AssignTo(&target); }, jpegErrorMessage(JERR_INPUT_EMPTY));
}

TEST(TJPEGImageState, BadStoredFormIsRefusedAndThePictureKeepsItsData)
{
    const Bytes jpeg = referenceJpeg("baseline-1x1");
    std::unique_ptr<TJPEGImage> picture = pictureFromBytes(referenceJpeg("baseline-303x93"));
    const TJPEGData *data = picture->Data();
    int changes = 0;
    picture->SetOnChange([&changes](TPersistent *) { ++changes; });
    // No count, three bytes of count, negative, beyond the stream, two gigabytes
    // (which must not be allocated).
    for (const Bytes &bytes :
         {Bytes{}, Bytes{0x10, 0x00, 0x00}, storedForm(-5, jpeg),
          storedForm(static_cast<std::int32_t>(jpeg.size() + 1), jpeg), storedForm(0x7FFFFFFF, jpeg)}) {
        EXPECT_THROW(picture->ReadData(*streamOf(bytes)), EReadError) << bytes.size() << " bytes";
        EXPECT_EQ(picture->Data(), data);
        EXPECT_EQ(picture->GetWidth(), 303);
    }
    EXPECT_EQ(changes, 0);
}

TEST(TJPEGImageState, EqualsComparesBytesOrElseTheHolder)
{
    const Bytes jpeg = referenceJpeg("baseline-303x93");
    std::unique_ptr<TJPEGImage> loaded = pictureFromBytes(jpeg);
    std::unique_ptr<TJPEGImage> sameBytes = pictureFromBytes(jpeg);
    std::unique_ptr<TJPEGImage> otherBytes = pictureFromBytes(referenceJpeg("baseline-1x1"));
    TJPEGImage sharing, pixelsOnly, sharingPixels, emptyOne, emptyTwo;
    sharing.Assign(loaded.get());
    pixelsOnly.Assign(bitmapFromRaster(makePhotoImage(4, 4, 1)).get());
    sharingPixels.Assign(&pixelsOnly);
    TBitmap bitmap;
    EXPECT_TRUE(loaded->Equals(sameBytes.get())) << "separate holders, equal bytes";
    EXPECT_TRUE(loaded->Equals(&sharing));
    EXPECT_FALSE(loaded->Equals(otherBytes.get()));
    EXPECT_TRUE(pixelsOnly.Equals(&sharingPixels)) << "one holder without bytes";
    EXPECT_FALSE(pixelsOnly.Equals(loaded.get())) << "bytes against none";
    EXPECT_FALSE(loaded->Equals(&pixelsOnly));
    EXPECT_FALSE(emptyOne.Equals(&emptyTwo)) << "two holders without bytes";
    EXPECT_FALSE(loaded->Equals(&bitmap));
    EXPECT_FALSE(loaded->Equals(nullptr));
}

TEST(TJPEGImageState, ReducedScaleSizesFollowTheLoadedData)
{
    for (const auto &[scale, denominator] : {std::pair{ScaleHalf, 2}, std::pair{ScaleQuarter, 4}, std::pair{ScaleEighth, 8}}) {
        SCOPED_TRACE(denominator);
        DefaultSettingsScope settings(TJPEGSettings{.DecodeScale = scale});
        TJPEGImage picture;
        EXPECT_EQ(picture.GetWidth(), 0);
        for (const auto &[name, width, height] :
             {std::tuple{"baseline-303x93", 303, 93}, std::tuple{"progressive-640x400", 640, 400}}) {
            picture.LoadFromStream(*streamOf(referenceJpeg(name)));
            EXPECT_EQ(picture.GetWidth(), (width + denominator - 1) / denominator);
            EXPECT_EQ(picture.GetHeight(), (height + denominator - 1) / denominator);
            EXPECT_EQ(picture.Bitmap(), nullptr);
        }
        EXPECT_EQ(picture.GetWidth(), decodedRaster(picture).width);
    }
}

TEST(TJPEGImageState, HugeAnnouncedSizeIsRefusedBeforeDecoding)
{
    for (const std::string name : {"baseline-1x1", "progressive-1x1"}) {
        Bytes jpeg = referenceJpeg(name);
        const unsigned char marker[] = {0xFF, static_cast<unsigned char>(name[0] == 'b' ? 0xC0 : 0xC2)};
        const auto frame = static_cast<std::size_t>(std::search(jpeg.begin(), jpeg.end(), marker, marker + 2) - jpeg.begin());
        ASSERT_LT(frame + 9, jpeg.size()) << name;
        // Frame header: marker, length (2), precision (1), height (2), width (2).
        for (std::size_t at : {frame + 5, frame + 7})
            jpeg[at] = 0xFF, jpeg[at + 1] = 0xD0;
        std::unique_ptr<TJPEGImage> picture = pictureFromBytes(jpeg);
        EXPECT_EQ(picture->GetWidth(), 65488);
        TBitmap target;
        expectFailure<EJPEG>([&] { picture->AssignTo(&target); }, jpegErrorMessage(JERR_IMAGE_TOO_BIG));
    }
}

} // namespace

TEST(JPEGSupport, StartUpAdaptsTheDepthAndRegistersBothExtensionsUntilShutdown)
{
    const DefaultSettingsScope stored(DefaultJPEGSettings); // start-up adapts the defaults
    for (const auto &[bits, depth] : {std::pair{8, Depth8}, std::pair{4, Depth8}, std::pair{16, Depth24}, std::pair{32, Depth24}}) {
        const DisplayDepthOverride display(bits);
        const JPEGSupportScope support;
        EXPECT_EQ(DefaultJPEGSettings.OutputDepth, depth) << bits << " bits per pixel";
        EXPECT_EQ(TJPEGImage().Settings().OutputDepth, depth) << "a new picture copies the defaults";
        for (const char *extension : {"jpeg", "jpg", "JPG"}) {
            EXPECT_EQ(TPicture::FindGraphicClassByExtension(extension), graphicClassOf<TJPEGImage>()) << extension;
            EXPECT_EQ(TPicture::FileFormatDescription(extension), "JPEG Image File");
        }
        EXPECT_EQ(TPicture::FindGraphicClassByName("TJPEGImage"), graphicClassOf<TJPEGImage>());
    }
    EXPECT_EQ(TPicture::FindGraphicClassByExtension("jpg"), nullptr);
    EXPECT_EQ(TPicture::FindGraphicClassByName("TJPEGImage"), nullptr);
}
