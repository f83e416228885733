// Progress notifications of decoding and encoding, cancellation by EAbort,
// failures raised by handlers, and what a handler may do meanwhile.

#include "jpeg/ejpeg.h"
#include "jpeg/tjpegdata.h"
#include "tests/jpeg/picturetesting.h"
#include "tests/jpeg/reference/imagefiles.h"
#include "tests/jpeg/reference/referencecodec.h"
#include "tests/jpeg/reference/testfolder.h"
#include "tests/jpeg/referenceinputs.h"
#include "toolkit/core/clock.h"
#include "toolkit/core/memorystream.h"

#include <gtest/gtest.h>

namespace {

struct ProgressEvent {
    TProgressStage stage;
    int percent;
    bool redrawNow;
    TRect rect;
};

// Records every notification; optionally acts on the n-th Running one.
class ProgressRecorder {
public:
    explicit ProgressRecorder(TJPEGImage &picture)
    {
        picture.SetOnProgress([this](TPersistent *, TProgressStage stage, std::uint8_t percent, bool redrawNow,
                                     const TRect &rect, const std::string &) {
            events.push_back({stage, percent, redrawNow, rect});
            if (stage == TProgressStage::Running && onRunning && ++m_running == actAt)
                onRunning();
        });
    }

    int count(TProgressStage stage) const
    {
        return static_cast<int>(std::count_if(events.begin(), events.end(),
                                              [stage](const ProgressEvent &e) { return e.stage == stage; }));
    }

    std::vector<ProgressEvent> events;
    std::function<void()> onRunning;
    int actAt = 1;

private:
    int m_running = 0;
};

// A clock that moves 1 s per reading, so that no notification is throttled.
class FastClock {
public:
    FastClock() : m_override([this] { return m_ticks += 1000; }) {}

private:
    std::uint32_t m_ticks = 0;
    TickCountOverride m_override;
};

// The 640 x 400 progressive reference input: large enough for many notifications.
std::filesystem::path largeJpeg(const TestFolder &folder)
{
    return makeReferenceJpeg(referenceInputs().back(), folder.path());
}

// A baseline file of the same size: its rows are decoded after the first
// notifications (a progressive file is taken in whole before any row).
std::filesystem::path largeBaselineJpeg(const TestFolder &folder)
{
    writePnm(folder / "large.ppm", makePhotoImage(640, 400, 11));
    encodeWithReference({}, folder / "large.ppm", folder / "large.jpg");
    return folder / "large.jpg";
}

// A pixels-only picture whose encode reports progress: the encoder notifies
// during its passes over the whole picture, which progressive data needs
// (baseline rows go to the codec in a single call).
std::unique_ptr<TJPEGImage> progressivePixelsOnly(const RasterImage &photo)
{
    TJPEGSettings chosen;
    chosen.ProgressiveData = true;
    DefaultSettingsScope settings(chosen);
    auto picture = std::make_unique<TJPEGImage>();
    picture->Assign(bitmapFromRaster(photo).get());
    return picture;
}

TEST(TJPEGImageProgress, DecodeReportsStartingRunningAndEnding)
{
    TestFolder folder;
    FastClock clock;
    std::unique_ptr<TJPEGImage> picture = pictureFromFile(largeJpeg(folder));
    ProgressRecorder recorder(*picture);
    int changes = 0;
    picture->SetOnChange([&changes](TPersistent *) { ++changes; });
    decodedRaster(*picture);

    ASSERT_GE(recorder.events.size(), 3u);
    EXPECT_EQ(recorder.events.front().stage, TProgressStage::Starting);
    EXPECT_EQ(recorder.events.front().percent, 0);
    EXPECT_EQ(recorder.events.back().stage, TProgressStage::Ending);
    EXPECT_EQ(recorder.events.back().percent, 100);
    EXPECT_EQ(recorder.events.back().redrawNow, picture->GetPaletteDirty());
    EXPECT_GE(recorder.count(TProgressStage::Running), 1);
    for (const ProgressEvent &event : recorder.events) {
        if (event.stage != TProgressStage::Running)
            continue;
        EXPECT_EQ(event.rect.Left, 0);
        EXPECT_EQ(event.rect.Right, 640);
        EXPECT_LE(event.rect.Bottom, 400);
        EXPECT_LE(event.percent, 100);
    }
    EXPECT_EQ(changes, 1) << "Changed after a decode while the palette is dirty";
}

TEST(TJPEGImageProgress, CancelledDecodeKeepsThePartlyDecodedBitmap)
{
    TestFolder folder;
    FastClock clock;
    std::unique_ptr<TJPEGImage> picture = pictureFromFile(largeBaselineJpeg(folder));
    ProgressRecorder recorder(*picture);
    recorder.onRunning = [] { throw EAbort(); };
    TBitmap target;
    EXPECT_NO_THROW(picture->AssignTo(&target));
    EXPECT_EQ(target.GetWidth(), 640);
    EXPECT_EQ(recorder.events.back().stage, TProgressStage::Ending);
    EXPECT_EQ(recorder.events.back().percent, 0);

    const std::size_t before = recorder.events.size();
    TBitmap again;
    picture->AssignTo(&again);
    EXPECT_EQ(recorder.events.size(), before) << "the kept bitmap is not decoded again";
}

TEST(TJPEGImageProgress, FailingHandlerEndsTheDecodeAtZeroPercent)
{
    TestFolder folder;
    FastClock clock;
    std::unique_ptr<TJPEGImage> picture = pictureFromFile(largeBaselineJpeg(folder));
    ProgressRecorder recorder(*picture);
    recorder.onRunning = [] { throw std::runtime_error("handler failed"); };
    TBitmap target;
    EXPECT_THROW(picture->AssignTo(&target), std::runtime_error);
    EXPECT_EQ(recorder.events.back().stage, TProgressStage::Ending);
    EXPECT_EQ(recorder.events.back().percent, 0);
    ASSERT_NE(picture->Bitmap(), nullptr);
    EXPECT_EQ(picture->Bitmap()->GetWidth(), 640);
    recorder.onRunning = nullptr;
    EXPECT_NO_THROW(picture->AssignTo(&target));
    EXPECT_EQ(recorder.count(TProgressStage::Starting), 1);
}

TEST(TJPEGImageProgress, BadHeaderFailsBeforeAnyNotification)
{
    TMemoryStream empty;
    TJPEGImage picture;
    picture.LoadFromStream(empty);
    ProgressRecorder recorder(picture);
    TBitmap target;
    EXPECT_THROW(picture.AssignTo(&target), EJPEG);
    EXPECT_TRUE(recorder.events.empty());
    ASSERT_NE(picture.Bitmap(), nullptr);
    EXPECT_TRUE(picture.Bitmap()->GetEmpty());
    EXPECT_NO_THROW(picture.AssignTo(&target)) << "the empty bitmap stays; no second attempt";
}

TEST(TJPEGImageProgress, EncodeReportsProgressWithoutRectangles)
{
    FastClock clock;
    std::unique_ptr<TJPEGImage> encoded = progressivePixelsOnly(makePhotoImage(640, 400, 5));
    TJPEGImage &picture = *encoded;
    ProgressRecorder recorder(picture);
    EXPECT_FALSE(savedBytes(picture).empty());
    ASSERT_GE(recorder.events.size(), 3u);
    EXPECT_EQ(recorder.events.front().stage, TProgressStage::Starting);
    EXPECT_EQ(recorder.events.back().stage, TProgressStage::Ending);
    EXPECT_EQ(recorder.events.back().percent, 100);
    EXPECT_GE(recorder.count(TProgressStage::Running), 1);
    for (const ProgressEvent &event : recorder.events) {
        EXPECT_EQ(event.rect, TRect{});
        EXPECT_FALSE(event.redrawNow);
    }
}

TEST(TJPEGImageProgress, CancelledEncodeAbandonsTheBytesAndKeepsThePixels)
{
    FastClock clock;
    const RasterImage photo = makePhotoImage(640, 400, 6);
    std::unique_ptr<TJPEGImage> encoded = progressivePixelsOnly(photo);
    TJPEGImage &picture = *encoded;
    const TJPEGData *before = picture.Data();
    TBitmap *bitmap = picture.Bitmap();
    ProgressRecorder recorder(picture);
    recorder.onRunning = [] { throw EAbort(); };

    TMemoryStream target;
    EXPECT_THROW(picture.SaveToStream(target), EAbort);
    EXPECT_EQ(target.GetSize(), 0);
    EXPECT_EQ(recorder.events.back().stage, TProgressStage::Ending);
    EXPECT_EQ(recorder.events.back().percent, 0);
    EXPECT_NE(picture.Data(), before) << "a fresh holder";
    EXPECT_EQ(picture.Data()->JpegStream, nullptr);
    EXPECT_EQ(picture.Data()->ImageWidth, 0);
    EXPECT_EQ(picture.Bitmap(), bitmap);

    recorder.onRunning = nullptr;
    const std::vector<unsigned char> jpeg = savedBytes(picture);
    EXPECT_TRUE(jpeg == savedBytes(*progressivePixelsOnly(photo)));
}

TEST(TJPEGImageProgress, FailedEncodeLeavesNoPartialFileBehind)
{
    FastClock clock;
    const RasterImage photo = makePhotoImage(640, 400, 7);
    std::unique_ptr<TJPEGImage> encoded = progressivePixelsOnly(photo);
    TJPEGImage &picture = *encoded;
    ProgressRecorder recorder(picture);
    recorder.onRunning = [] { throw std::runtime_error("handler failed"); };
    TMemoryStream target;
    EXPECT_THROW(picture.SaveToStream(target), std::runtime_error);
    EXPECT_EQ(recorder.events.back().percent, 0);
    EXPECT_EQ(picture.Data()->JpegStream, nullptr);

    recorder.onRunning = nullptr;
    EXPECT_TRUE(savedBytes(picture) == savedBytes(*progressivePixelsOnly(photo)));
}

TEST(TJPEGImageProgress, HandlerMayDrawButNotReplaceThePictureWhileItDecodes)
{
    TestFolder folder;
    FastClock clock;
    const std::filesystem::path jpeg = largeBaselineJpeg(folder);
    std::unique_ptr<TJPEGImage> picture = pictureFromFile(jpeg);
    std::unique_ptr<TJPEGImage> other = pictureFromFile(jpeg);
    ProgressRecorder recorder(*picture);
    recorder.actAt = 2;
    bool acted = false;
    recorder.onRunning = [&] {
        acted = true;
        TMemoryStream stream;
        EXPECT_THROW(picture->LoadFromStream(stream), EInvalidGraphicOperation);
        EXPECT_THROW(picture->Assign(other.get()), EInvalidGraphicOperation);
        UniquePalette palette(CreateHalftonePalette(nullptr));
        EXPECT_THROW(picture->SetPalette(palette.get()), EInvalidGraphicOperation);
        TBitmap partial;
        EXPECT_NO_THROW(picture->AssignTo(&partial));
        EXPECT_EQ(partial.GetWidth(), 640);
        EXPECT_EQ(picture->GetWidth(), 640);
    };
    const RasterImage decoded = decodedRaster(*picture);
    EXPECT_TRUE(acted);
    EXPECT_EQ(describeDifference(decodedRaster(*other), decoded), "");
}

TEST(TJPEGImageProgress, PicturesSharingBytesDecodeInsideEachOther)
{
    TestFolder folder;
    FastClock clock;
    std::unique_ptr<TJPEGImage> first = pictureFromFile(largeJpeg(folder));
    TJPEGImage second;
    second.Assign(first.get());
    ProgressRecorder recorder(*first);
    RasterImage inner;
    recorder.onRunning = [&] { inner = decodedRaster(second); };
    const RasterImage outer = decodedRaster(*first);

    TJPEGSettings plain;
    DefaultSettingsScope settings(plain);
    const RasterImage expected = decodedRaster(*pictureFromFile(largeJpeg(folder)));
    EXPECT_EQ(describeDifference(expected, inner), "");
    EXPECT_EQ(describeDifference(expected, outer), "");
}

} // namespace
