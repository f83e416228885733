// The picture object's states, sharing, stored form, sizes, palettes,
// comparison and registration.

#include "jpeg/ejpeg.h"
#include "jpeg/jpegregistration.h"
#include "jpeg/tjpegdata.h"
#include "tests/jpeg/picturetesting.h"
#include "tests/jpeg/reference/referencecodec.h"
#include "tests/jpeg/reference/testfolder.h"
#include "tests/jpeg/referenceinputs.h"
#include "toolkit/core/memorystream.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/display.h"
#include "toolkit/graphics/picture.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <algorithm>

namespace {

// A JPEG file of the named reference input, made in the test's own folder.
std::vector<unsigned char> referenceJpeg(const TestFolder &folder, const std::string &name)
{
    for (const ReferenceInput &input : referenceInputs()) {
        if (input.name == name)
            return readFileBytes(makeReferenceJpeg(input, folder.path()));
    }
    throw std::runtime_error("no reference input " + name);
}

std::unique_ptr<TMemoryStream> streamOf(const std::vector<unsigned char> &bytes)
{
    auto stream = std::make_unique<TMemoryStream>();
    stream->WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    stream->SetPosition(0);
    return stream;
}

// The stored form: little-endian count, then the bytes.
std::vector<unsigned char> storedForm(std::int32_t count, const std::vector<unsigned char> &bytes)
{
    const auto value = static_cast<std::uint32_t>(count);
    std::vector<unsigned char> form{static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                                    static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    form.insert(form.end(), bytes.begin(), bytes.end());
    return form;
}

int countChanges(TJPEGImage &picture, int &changes)
{
    picture.SetOnChange([&changes](TPersistent *) { ++changes; });
    return changes;
}

TEST(TJPEGImageState, NewPictureIsEmptyAndTakesTheDefaultSettings)
{
    TJPEGSettings chosen;
    chosen.Quality = 42;
    chosen.DecodeScale = ScaleQuarter;
    chosen.BlockSmoothing = false;
    TJPEGImage before;
    DefaultSettingsScope settings(chosen);
    TJPEGImage picture;

    EXPECT_TRUE(picture.GetEmpty());
    EXPECT_EQ(picture.GetWidth(), 0);
    EXPECT_EQ(picture.GetHeight(), 0);
    EXPECT_EQ(picture.Data()->JpegStream, nullptr);
    EXPECT_EQ(picture.Bitmap(), nullptr);
    EXPECT_EQ(picture.Settings().Quality, 42);
    EXPECT_EQ(picture.Settings().DecodeScale, ScaleQuarter);
    EXPECT_FALSE(picture.Settings().BlockSmoothing);
    EXPECT_EQ(before.Settings().Quality, 90) << "settings are copied at construction only";
}

TEST(TJPEGImageState, LoadingGivesHeaderFactsWithoutDecoding)
{
    TestFolder folder;
    auto stream = streamOf(referenceJpeg(folder, "progressive-303x93"));
    TJPEGImage picture;
    int changes = 0;
    countChanges(picture, changes);
    picture.LoadFromStream(*stream);

    EXPECT_FALSE(picture.GetEmpty());
    EXPECT_EQ(picture.GetWidth(), 303);
    EXPECT_EQ(picture.GetHeight(), 93);
    EXPECT_TRUE(picture.Settings().ProgressiveData);
    EXPECT_FALSE(picture.Data()->GrayscaleData);
    EXPECT_EQ(picture.Bitmap(), nullptr) << "no pixels decoded for the size";
    EXPECT_TRUE(picture.GetPaletteDirty());
    EXPECT_EQ(changes, 1);

    auto gray = streamOf(referenceJpeg(folder, "gray-303x93"));
    picture.LoadFromStream(*gray);
    EXPECT_TRUE(picture.Data()->GrayscaleData);
    EXPECT_FALSE(picture.Settings().ProgressiveData);
}

TEST(TJPEGImageState, FirstDrawDecodesAndLaterDrawsReuseTheBitmap)
{
    TestFolder folder;
    std::unique_ptr<TJPEGImage> picture = pictureFromBytes(referenceJpeg(folder, "baseline-303x93"));
    int starts = 0;
    picture->SetOnProgress([&starts](TPersistent *, TProgressStage stage, std::uint8_t, bool, const TRect &,
                                     const std::string &) { starts += stage == TProgressStage::Starting; });
    QImage surface(64, 32, QImage::Format_RGB32);
    surface.fill(Qt::black);
    {
        QPainter painter(&surface);
        TCanvas canvas(painter);
        picture->Draw(canvas, TRect{0, 0, 64, 32});
        TBitmap *first = picture->Bitmap();
        ASSERT_NE(first, nullptr);
        picture->Draw(canvas, TRect{0, 0, 64, 32});
        EXPECT_EQ(picture->Bitmap(), first);
    }
    EXPECT_EQ(starts, 1);
    EXPECT_NE(surface.pixel(40, 10), qRgb(0, 0, 0)) << "the picture was drawn";
}

TEST(TJPEGImageState, PixelsOnlyPictureEncodesWhenItsBytesAreAsked)
{
    TJPEGImage picture;
    picture.Assign(bitmapFromRaster(makePhotoImage(31, 17, 9)).get());
    EXPECT_EQ(picture.Data()->JpegStream, nullptr);
    EXPECT_EQ(picture.GetWidth(), 31);
    EXPECT_FALSE(picture.GetEmpty());

    TMemoryStream stored;
    picture.WriteData(stored);
    EXPECT_EQ(stored.GetSize(), 4) << "WriteData does not encode";
    EXPECT_EQ(stored.Memory()[0] | stored.Memory()[1] | stored.Memory()[2] | stored.Memory()[3], 0);

    const std::vector<unsigned char> jpeg = savedBytes(picture);
    ASSERT_GT(jpeg.size(), 2u);
    EXPECT_EQ(jpeg[0], 0xFF);
    EXPECT_EQ(jpeg[1], 0xD8);
    ASSERT_NE(picture.Data()->JpegStream, nullptr);
    EXPECT_NE(picture.Bitmap(), nullptr) << "Decoded: bytes and bitmap";
    EXPECT_EQ(picture.Data()->ImageWidth, 31);
    EXPECT_EQ(picture.Data()->ImageHeight, 17);
    EXPECT_EQ(pictureFromBytes(jpeg)->GetWidth(), 31);
}

// Takes at most `room` bytes, like a full disk.
class FullStream : public TMemoryStream {
public:
    explicit FullStream(std::int64_t room) : m_room(room) {}
    std::int64_t Write(const void *buffer, std::int64_t count) override
    {
        const std::int64_t taken = std::min(count, m_room - GetSize());
        return taken > 0 ? TMemoryStream::Write(buffer, taken) : 0;
    }

private:
    std::int64_t m_room;
};

TEST(TJPEGImageState, StreamThatTakesTooFewBytesFailsTheSave)
{
    TJPEGImage picture;
    picture.Assign(bitmapFromRaster(makePhotoImage(40, 30, 4)).get());
    FullStream full(100);
    EXPECT_THROW(picture.SaveToStream(full), EWriteError);
    FullStream tiny(2);
    EXPECT_THROW(picture.WriteData(tiny), EWriteError);
}

TEST(TJPEGImageState, SavingAnEmptyPictureLeavesEmptyBytes)
{
    TJPEGImage picture;
    EXPECT_TRUE(savedBytes(picture).empty());
    ASSERT_NE(picture.Data()->JpegStream, nullptr);
    EXPECT_EQ(picture.Data()->JpegStream->GetSize(), 0);
    EXPECT_FALSE(picture.GetEmpty());
}

TEST(TJPEGImageState, EmptyPictureDrawsAndCopiesNothing)
{
    TJPEGImage picture;
    TBitmap target;
    target.SetSize(5, 5);
    EXPECT_NO_THROW(picture.AssignTo(&target));
    EXPECT_TRUE(target.GetEmpty());
    QImage surface(8, 8, QImage::Format_RGB32);
    surface.fill(Qt::white);
    {
        QPainter painter(&surface);
        TCanvas canvas(painter);
        EXPECT_NO_THROW(picture.Draw(canvas, TRect{0, 0, 8, 8}));
    }
    EXPECT_EQ(surface.pixel(4, 4), qRgb(255, 255, 255));
    EXPECT_TRUE(picture.GetEmpty());
}

TEST(TJPEGImageState, SharingKeepsOneCopyOfTheBytesAndSeparateBitmaps)
{
    TestFolder folder;
    std::unique_ptr<TJPEGImage> source = pictureFromBytes(referenceJpeg(folder, "baseline-303x93"));
    TJPEGImage withoutBitmap;
    withoutBitmap.Assign(source.get());
    EXPECT_EQ(withoutBitmap.Data(), source->Data());
    EXPECT_EQ(withoutBitmap.Data()->JpegStream->Memory(), source->Data()->JpegStream->Memory());
    EXPECT_EQ(withoutBitmap.Bitmap(), nullptr);

    source->AssignTo(std::make_unique<TBitmap>().get());
    TJPEGImage withBitmap;
    withBitmap.Assign(source.get());
    ASSERT_NE(withBitmap.Bitmap(), nullptr);
    EXPECT_NE(withBitmap.Bitmap(), source->Bitmap());
    EXPECT_EQ(describeDifference(rasterFromBitmap(*source->Bitmap()), rasterFromBitmap(*withBitmap.Bitmap())), "");

    // The holder outlives the picture that made it.
    const RasterImage expected = decodedRaster(*source);
    source.reset();
    EXPECT_EQ(describeDifference(expected, decodedRaster(withoutBitmap)), "");
}

TEST(TJPEGImageState, AssignedPictureDrawsTheSourceNotItsEarlierPicture)
{
    TestFolder folder;
    std::unique_ptr<TJPEGImage> first = pictureFromBytes(referenceJpeg(folder, "baseline-303x93"));
    std::unique_ptr<TJPEGImage> second = pictureFromBytes(referenceJpeg(folder, "progressive-640x400"));
    decodedRaster(*first);
    first->Assign(second.get());
    EXPECT_EQ(first->GetWidth(), 640);
    EXPECT_EQ(describeDifference(decodedRaster(*second), decodedRaster(*first)), "");
}

TEST(TJPEGImageState, AssigningAPictureToItselfChangesNothing)
{
    TestFolder folder;
    std::unique_ptr<TJPEGImage> picture = pictureFromBytes(referenceJpeg(folder, "baseline-303x93"));
    const RasterImage before = decodedRaster(*picture);
    const TJPEGData *data = picture->Data();
    TBitmap *bitmap = picture->Bitmap();
    picture->Assign(picture.get());
    EXPECT_EQ(picture->Data(), data);
    EXPECT_EQ(picture->Bitmap(), bitmap);
    EXPECT_EQ(describeDifference(before, decodedRaster(*picture)), "");

    // Its own bitmap as source: the pixels survive the change of holder.
    picture->Assign(picture->Bitmap());
    EXPECT_EQ(picture->Data()->JpegStream, nullptr);
    EXPECT_EQ(describeDifference(before, rasterFromBitmap(*picture->Bitmap())), "");
}

TEST(TJPEGImageState, AssignRefusesOtherClassesBothWays)
{
    TJPEGImage picture;
    TJPEGImage other;
    EXPECT_THROW(picture.Assign(nullptr), Exception);
    struct Foreign : TPersistent {
        std::string ClassName() const override { return "Foreign"; }
    } foreign;
    EXPECT_THROW(picture.Assign(&foreign), Exception);
    EXPECT_THROW(picture.AssignTo(&foreign), Exception);
    // Copying into another picture is Assign's work, not AssignTo's.
    EXPECT_THROW(other.AssignTo(&picture), Exception);
}

TEST(TJPEGImageState, StoredFormRoundTrips)
{
    TestFolder folder;
    const std::vector<unsigned char> jpeg = referenceJpeg(folder, "progressive-303x93");
    std::unique_ptr<TJPEGImage> picture = pictureFromBytes(jpeg);
    TMemoryStream stored;
    picture->WriteData(stored);
    ASSERT_EQ(stored.GetSize(), static_cast<std::int64_t>(jpeg.size() + 4));
    const std::vector<unsigned char> expected = storedForm(static_cast<std::int32_t>(jpeg.size()), jpeg);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), stored.Memory()));

    stored.SetPosition(0);
    TJPEGImage copy;
    copy.ReadData(stored);
    EXPECT_EQ(copy.GetWidth(), 303);
    EXPECT_TRUE(copy.Equals(picture.get()));
}

TEST(TJPEGImageState, StoredFormWithCountZeroHoldsEmptyBytes)
{
    auto stored = streamOf(storedForm(0, {}));
    TJPEGImage picture;
    picture.ReadData(*stored);
    ASSERT_NE(picture.Data()->JpegStream, nullptr);
    EXPECT_EQ(picture.Data()->JpegStream->GetSize(), 0);
    EXPECT_FALSE(picture.GetEmpty());
    EXPECT_EQ(picture.GetWidth(), 0);
    TBitmap target;
    try {
        picture.AssignTo(&target);
        ADD_FAILURE() << "decoding no bytes succeeded";
    } catch (const EJPEG &error) {
        EXPECT_EQ(std::string(error.what()), jpegErrorMessage(JERR_INPUT_EMPTY));
    }
}

TEST(TJPEGImageState, BadStoredFormIsRefusedAndThePictureKeepsItsData)
{
    TestFolder folder;
    const std::vector<unsigned char> jpeg = referenceJpeg(folder, "baseline-1x1");
    const std::vector<std::pair<std::string, std::vector<unsigned char>>> cases = {
        {"no bytes at all", {}},
        {"three bytes of count", {0x10, 0x00, 0x00}},
        {"negative count", storedForm(-5, jpeg)},
        {"count beyond the stream", storedForm(static_cast<std::int32_t>(jpeg.size() + 1), jpeg)},
        {"count of two gigabytes", storedForm(0x7FFFFFFF, jpeg)},
    };
    std::unique_ptr<TJPEGImage> picture = pictureFromBytes(referenceJpeg(folder, "baseline-303x93"));
    const TJPEGData *data = picture->Data();
    int changes = 0;
    countChanges(*picture, changes);
    for (const auto &[name, bytes] : cases) {
        SCOPED_TRACE(name);
        auto stored = streamOf(bytes);
        EXPECT_THROW(picture->ReadData(*stored), EReadError);
        EXPECT_EQ(picture->Data(), data);
        EXPECT_EQ(picture->GetWidth(), 303);
    }
    EXPECT_EQ(changes, 0);
}

TEST(TJPEGImageState, LoadingTakesOnlyTheRestOfTheStream)
{
    TestFolder folder;
    const std::vector<unsigned char> jpeg = referenceJpeg(folder, "baseline-303x93");
    std::vector<unsigned char> prefixed{'x', 'y', 'z'};
    prefixed.insert(prefixed.end(), jpeg.begin(), jpeg.end());
    auto stream = streamOf(prefixed);
    stream->SetPosition(3);
    TJPEGImage picture;
    picture.LoadFromStream(*stream);
    EXPECT_EQ(picture.Data()->JpegStream->GetSize(), static_cast<std::int64_t>(jpeg.size()));
    EXPECT_EQ(picture.GetWidth(), 303);
    EXPECT_TRUE(savedBytes(picture) == jpeg);
}

TEST(TJPEGImageState, EqualsComparesBytesOrElseTheHolder)
{
    TestFolder folder;
    const std::vector<unsigned char> jpeg = referenceJpeg(folder, "baseline-303x93");
    std::unique_ptr<TJPEGImage> loaded = pictureFromBytes(jpeg);
    std::unique_ptr<TJPEGImage> sameBytes = pictureFromBytes(jpeg);
    std::unique_ptr<TJPEGImage> otherBytes = pictureFromBytes(referenceJpeg(folder, "baseline-1x1"));
    TJPEGImage sharing;
    sharing.Assign(loaded.get());
    TJPEGImage pixelsOnly;
    pixelsOnly.Assign(bitmapFromRaster(makePhotoImage(4, 4, 1)).get());
    TJPEGImage sharingPixels;
    sharingPixels.Assign(&pixelsOnly);
    TJPEGImage emptyOne;
    TJPEGImage emptyTwo;
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

TEST(TJPEGImageState, SizeCannotBeChanged)
{
    TestFolder folder;
    std::unique_ptr<TJPEGImage> picture = pictureFromBytes(referenceJpeg(folder, "baseline-303x93"));
    for (int value : {303, 93, 0, -1, 1000}) {
        try {
            picture->SetWidth(value);
            ADD_FAILURE() << "SetWidth accepted " << value;
        } catch (const EInvalidGraphicOperation &error) {
            EXPECT_STREQ(error.what(), "Cannot change the size of a JPEG image");
        }
        EXPECT_THROW(picture->SetHeight(value), EInvalidGraphicOperation);
    }
    EXPECT_EQ(picture->GetWidth(), 303);
    EXPECT_EQ(picture->GetHeight(), 93);
}

TEST(TJPEGImageState, ReducedScaleSizesFollowTheLoadedData)
{
    TestFolder folder;
    const std::vector<std::pair<TJPEGScale, int>> scales = {{ScaleHalf, 2}, {ScaleQuarter, 4}, {ScaleEighth, 8}};
    for (const auto &[scale, denominator] : scales) {
        SCOPED_TRACE(denominator);
        TJPEGSettings chosen;
        chosen.DecodeScale = scale;
        DefaultSettingsScope settings(chosen);
        TJPEGImage picture;
        EXPECT_EQ(picture.GetWidth(), 0);
        for (const auto &[name, width, height] : {std::tuple{"baseline-303x93", 303, 93},
                                                  std::tuple{"progressive-640x400", 640, 400}}) {
            auto stream = streamOf(referenceJpeg(folder, name));
            picture.LoadFromStream(*stream);
            EXPECT_EQ(picture.GetWidth(), (width + denominator - 1) / denominator);
            EXPECT_EQ(picture.GetHeight(), (height + denominator - 1) / denominator);
            EXPECT_EQ(picture.Bitmap(), nullptr);
        }
        EXPECT_EQ(picture.GetWidth(), decodedRaster(picture).width);
    }
}

TEST(TJPEGImageState, RegistrationCoversBothExtensionsUntilRemoved)
{
    RegisterJPEGImage();
    for (const char *extension : {"jpg", "jpeg", "JPG"}) {
        EXPECT_EQ(TPicture::FindGraphicClassByExtension(extension), graphicClassOf<TJPEGImage>()) << extension;
        EXPECT_EQ(TPicture::FileFormatDescription(extension), "JPEG Image File");
    }
    EXPECT_EQ(TPicture::FindGraphicClassByName("TJPEGImage"), graphicClassOf<TJPEGImage>());
    UnregisterJPEGImage();
    EXPECT_EQ(TPicture::FindGraphicClassByExtension("jpg"), nullptr);
    EXPECT_EQ(TPicture::FindGraphicClassByName("TJPEGImage"), nullptr);
}

TEST(TJPEGImageState, StoredPictureOfAnImageControlReadsThroughTheContainer)
{
    TestFolder folder;
    const std::vector<unsigned char> jpeg = referenceJpeg(folder, "progressive-303x93");
    std::vector<unsigned char> property{10};
    for (char c : std::string("TJPEGImage"))
        property.push_back(static_cast<unsigned char>(c));
    const std::vector<unsigned char> form = storedForm(static_cast<std::int32_t>(jpeg.size()), jpeg);
    property.insert(property.end(), form.begin(), form.end());

    JPEGSupportScope support;
    auto stream = streamOf(property);
    TPicture container;
    container.ReadData(*stream);
    auto *picture = dynamic_cast<TJPEGImage *>(container.Graphic());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->GetWidth(), 303);
    EXPECT_EQ(picture->GetHeight(), 93);
    EXPECT_TRUE(picture->Settings().ProgressiveData);
    EXPECT_FALSE(picture->GetEmpty());
    EXPECT_EQ(picture->Bitmap(), nullptr);

    TMemoryStream written;
    container.WriteData(written);
    EXPECT_EQ(written.GetSize(), static_cast<std::int64_t>(property.size()));
    EXPECT_TRUE(std::equal(property.begin(), property.end(), written.Memory()));
}

} // namespace
