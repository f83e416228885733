// Progress notifications of decoding and encoding, cancellation by EAbort,
// failing handlers, and what a handler may do meanwhile.
#include "jpeg/tjpegdata.h"
#include "tests/jpeg/picture_helpers.h"
#include "tests/support/progress_recorder.h"
#include "toolkit/core/clock.h"
#include "toolkit/core/exceptions.h"

#include <gtest/gtest.h>

#include <set>

namespace {

void expectStartAndEnd(const ProgressRecorder &recorder, int endPercent)
{
    ASSERT_GE(recorder.notifications.size(), 2u);
    EXPECT_EQ(recorder.notifications.front().stage, TProgressStage::Starting);
    EXPECT_EQ(recorder.notifications.front().percent, 0);
    EXPECT_EQ(recorder.notifications.back().stage, TProgressStage::Ending);
    EXPECT_EQ(recorder.notifications.back().percent, endPercent);
}

// A clock that moves 1 s per reading, so that no notification is throttled.
struct FastClock : TickCountOverride {
    FastClock() : TickCountOverride([ticks = 0u]() mutable { return ticks += 1000; }) {}
};

// 640 x 400 baseline: its rows are decoded after the first notifications (a
// progressive file is taken in whole before any row).
Bytes largeBaselineJpeg()
{
    return referenceJpeg(makePhotoImage(640, 400, 11));
}

// A pixels-only picture whose encode reports progress during its passes
// over the whole picture, which progressive data needs.
std::unique_ptr<TJPEGImage> progressivePixelsOnly(const RasterImage &photo)
{
    DefaultSettingsScope settings(TJPEGSettings{.ProgressiveData = true});
    auto picture = std::make_unique<TJPEGImage>();
    picture->Assign(bitmapFromRaster(photo).get());
    return picture;
}

TEST(TJPEGImageProgress, DecodeAndEncodeReportStartingRunningAndEnding)
{
    FastClock clock;
    for (const bool decode : {true, false}) {
        SCOPED_TRACE(decode ? "decode" : "encode");
        std::unique_ptr<TJPEGImage> picture = decode ? pictureFromBytes(referenceJpeg("progressive-640x400"))
                                                     : progressivePixelsOnly(makePhotoImage(640, 400, 5));
        ProgressRecorder recorder(*picture);
        int changes = 0;
        picture->SetOnChange([&changes](TPersistent *) { ++changes; });
        decode ? (void)decodedRaster(*picture) : (void)savedBytes(*picture);
        expectStartAndEnd(recorder, 100);
        EXPECT_GE(recorder.running(), 1);
        for (const ProgressNotification &event : recorder.notifications) {
            // A decode names the rows it drew; an encode has no rectangle and never asks for a redraw.
            if (!decode || event.stage != TProgressStage::Running)
                EXPECT_EQ(event.rect, TRect{});
            else
                EXPECT_TRUE(event.rect.Left == 0 && event.rect.Right == 640 && event.rect.Bottom <= 400);
            EXPECT_LE(event.percent, 100);
            EXPECT_TRUE(decode || !event.redrawNow);
        }
        EXPECT_EQ(recorder.notifications.back().redrawNow, decode && picture->GetPaletteDirty());
        EXPECT_EQ(changes, decode ? 1 : 0) << "Changed after a decode while the palette is dirty";
    }
}

TEST(TJPEGImageProgress, CancelledDecodeKeepsThePartlyDecodedBitmap)
{
    FastClock clock;
    std::unique_ptr<TJPEGImage> picture = pictureFromBytes(largeBaselineJpeg());
    ProgressRecorder recorder(*picture);
    recorder.onRunning = [] { throw EAbort(); };
    TBitmap target;
    EXPECT_NO_THROW(picture->AssignTo(&target));
    EXPECT_EQ(target.GetWidth(), 640);
    expectStartAndEnd(recorder, 0);
    EXPECT_EQ(recorder.running(), 1) << "the decode went on after the cancel";
    const std::size_t before = recorder.notifications.size();
    picture->AssignTo(&target);
    EXPECT_EQ(recorder.notifications.size(), before) << "the kept bitmap is not decoded again";
}

TEST(TJPEGImageProgress, CancelledOrFailedEncodeLeavesNoPartialBytesAndKeepsThePixels)
{
    FastClock clock;
    const RasterImage photo = makePhotoImage(640, 400, 6);
    for (const bool cancel : {true, false}) {
        std::unique_ptr<TJPEGImage> picture = progressivePixelsOnly(photo);
        TJPEGImage sharer;
        sharer.Assign(picture.get());
        const TJPEGData *before = picture->Data();
        TBitmap *bitmap = picture->Bitmap();
        ProgressRecorder recorder(*picture);
        recorder.onRunning = [cancel] { cancel ? throw EAbort() : throw std::runtime_error("handler failed"); };
        TMemoryStream target;
        if (cancel)
            EXPECT_THROW(picture->SaveToStream(target), EAbort);
        else
            EXPECT_THROW(picture->SaveToStream(target), std::runtime_error);
        EXPECT_EQ(target.GetSize(), 0);
        expectStartAndEnd(recorder, 0);
        EXPECT_NE(picture->Data(), before) << "a fresh holder";
        EXPECT_EQ(picture->Data()->JpegStream, nullptr);
        EXPECT_EQ(picture->Data()->ImageWidth, 0);
        EXPECT_EQ(picture->Bitmap(), bitmap);
        EXPECT_EQ(sharer.Data(), before);
        EXPECT_EQ(before->JpegStream, nullptr) << "no partial bytes in the shared holder";
        EXPECT_TRUE(savedBytes(sharer) == referenceJpeg(photo, {"-dct", "float", "-baseline", "-quality", "90"}));
        recorder.onRunning = nullptr;
        EXPECT_TRUE(savedBytes(*picture) == savedBytes(*progressivePixelsOnly(photo)));
    }
}

// Midway through the rows, the handler may draw the picture and decode
// another that shares its bytes, but not change it.
TEST(TJPEGImageProgress, HandlerMayDrawOrDecodeASharerButNotChangeThePictureWhileItDecodes)
{
    FastClock clock;
    const Bytes jpeg = largeBaselineJpeg();
    std::unique_ptr<TJPEGImage> picture = pictureFromBytes(jpeg);
    std::unique_ptr<TJPEGImage> other = pictureFromBytes(jpeg);
    TJPEGImage sharer;
    sharer.Assign(picture.get());
    ProgressRecorder recorder(*picture);
    recorder.actAt = 2;
    RasterImage inner;
    recorder.onRunning = [&] {
        TMemoryStream stream;
        EXPECT_THROW(picture->LoadFromStream(stream), EInvalidGraphicOperation);
        EXPECT_THROW(picture->Assign(other.get()), EInvalidGraphicOperation);
        UniquePalette palette(CreateHalftonePalette(nullptr));
        EXPECT_THROW(picture->SetPalette(palette.get()), EInvalidGraphicOperation);
        TBitmap partial;
        EXPECT_NO_THROW(picture->AssignTo(&partial));
        EXPECT_EQ(partial.GetWidth(), 640);
        inner = decodedRaster(sharer);
    };
    const RasterImage decoded = decodedRaster(*picture);
    const RasterImage expected = decodedRaster(*other);
    EXPECT_EQ(describeDifference(expected, inner), "") << "the handler did not run, or the sharer decoded wrongly";
    EXPECT_EQ(describeDifference(expected, decoded), "");
}

TEST(TJPEGImageProgress, ProgressiveViewShowsWholeInterimPassesBeforeTheLast)
{
    FastClock clock;
    for (const bool view : {false, true}) {
        DefaultSettingsScope settings(TJPEGSettings{.ProgressiveView = view});
        std::unique_ptr<TJPEGImage> picture = pictureFromBytes(referenceJpeg("progressive-640x400"));
        // Each whole pass rewrites the last row; without the view it is written once, at the end.
        std::set<std::vector<std::uint8_t>> lastRows;
        picture->SetOnProgress([&](TPersistent *, TProgressStage, std::uint8_t, bool, const TRect &, const std::string &) {
            if (TBitmap *bitmap = picture->Bitmap(); bitmap && bitmap->GetHeight() > 0)
                lastRows.emplace(bitmap->GetScanline(bitmap->GetHeight() - 1),
                                 bitmap->GetScanline(bitmap->GetHeight() - 1) + bitmap->BytesPerRow());
        });
        decodedRaster(*picture);
        EXPECT_EQ(lastRows.size() > 2, view) << lastRows.size();
    }
}

} // namespace
