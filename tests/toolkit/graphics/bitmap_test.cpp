#include "toolkit/core/exceptions.h"
#include "toolkit/graphics/bitmap.h"
#include "toolkit/graphics/canvas.h"

#include <gtest/gtest.h>

#include <ostream>

#include <QImage>
#include <QPainter>

#include <cstdint>
#include <tuple>

// Names pixel formats in test listings (found by argument-dependent lookup).
static void PrintTo(TPixelFormat format, std::ostream *out)
{
    *out << (format == TPixelFormat::pf8bit ? "8bit" : "24bit");
}

namespace {

// A recognisable colour for every pixel.
QRgb patternColour(int x, int y)
{
    return qRgb((x * 37 + y * 11) % 256, (x * 5 + y * 53) % 256, (x * 71 + y * 3) % 256);
}

void fillPattern(TBitmap &bitmap)
{
    for (int y = 0; y < bitmap.GetHeight(); ++y) {
        std::uint8_t *row = bitmap.GetScanline(y);
        for (int x = 0; x < bitmap.GetWidth(); ++x) {
            const QRgb colour = patternColour(x, y);
            row[3 * x] = static_cast<std::uint8_t>(qBlue(colour));
            row[3 * x + 1] = static_cast<std::uint8_t>(qGreen(colour));
            row[3 * x + 2] = static_cast<std::uint8_t>(qRed(colour));
        }
    }
}

HPALETTE makePalette(std::initializer_list<PALETTEENTRY> entries)
{
    LOGPALETTE description;
    for (const PALETTEENTRY &entry : entries)
        description.palPalEntry[description.palNumEntries++] = entry;
    return CreatePalette(&description);
}

void expectShows(TBitmap &bitmap, const std::function<QRgb(int, int)> &expected)
{
    const QImage image = bitmap.ToImage();
    ASSERT_EQ(image.width(), bitmap.GetWidth());
    ASSERT_EQ(image.height(), bitmap.GetHeight());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(image.pixel(x, y), expected(x, y)) << "at " << x << "," << y;
}

class RowLayout : public testing::TestWithParam<std::tuple<TPixelFormat, bool, int>> {
};

TEST_P(RowLayout, RowsAreAlignedAndTheirDistanceFollowsTheOrder)
{
    const auto [format, bottomUp, width] = GetParam();
    TBitmap bitmap;
    bitmap.SetPixelFormat(format);
    bitmap.SetBottomUp(bottomUp);
    bitmap.SetSize(width, 3);
    const int bytesPerPixel = format == TPixelFormat::pf8bit ? 1 : 3;
    const std::ptrdiff_t distance = bitmap.GetScanline(1) - bitmap.GetScanline(0);
    EXPECT_EQ(distance, bottomUp ? -bitmap.BytesPerRow() : bitmap.BytesPerRow());
    EXPECT_EQ(bitmap.GetScanline(2) - bitmap.GetScanline(1), distance);
    EXPECT_EQ(bitmap.BytesPerRow() % 4, 0);
    EXPECT_GE(bitmap.BytesPerRow(), width * bytesPerPixel);
    EXPECT_LT(bitmap.BytesPerRow(), width * bytesPerPixel + 4);
    EXPECT_THROW(bitmap.GetScanline(3), EInvalidGraphic);
    EXPECT_THROW(bitmap.GetScanline(-1), EInvalidGraphic);
}

INSTANTIATE_TEST_SUITE_P(Layouts, RowLayout,
                         testing::Combine(testing::Values(TPixelFormat::pf8bit, TPixelFormat::pf24bit), testing::Bool(),
                                          testing::Values(1, 2, 3, 4, 5, 303)));

TEST(Bitmap, EightBitPixelsShowThroughThePaletteAndConvertBothWays)
{
    TBitmap bitmap;
    bitmap.SetPixelFormat(TPixelFormat::pf8bit);
    bitmap.SetSize(3, 1);
    bitmap.SetPalette(makePalette({{200, 0, 0, 0}, {0, 150, 0, 0}, {0, 0, 100, 0}}));
    bitmap.GetScanline(0)[0] = 2;
    bitmap.GetScanline(0)[1] = 0;
    bitmap.GetScanline(0)[2] = 1;
    const QRgb shown[] = {qRgb(0, 0, 100), qRgb(200, 0, 0), qRgb(0, 150, 0)};
    expectShows(bitmap, [&](int x, int) { return shown[x]; });

    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    const std::uint8_t *row = bitmap.GetScanline(0);
    EXPECT_EQ(row[0], 100); // blue first
    EXPECT_EQ(row[3 + 2], 200);
    expectShows(bitmap, [&](int x, int) { return shown[x]; });

    // Back to 8 bits: each colour finds its own entry again.
    row = bitmap.GetScanline(0);
    bitmap.GetScanline(0)[0] = 90; // close to entry 2 (blue 100)
    bitmap.SetPixelFormat(TPixelFormat::pf8bit);
    EXPECT_EQ(bitmap.GetScanline(0)[0], 2);
    EXPECT_EQ(bitmap.GetScanline(0)[1], 0);
    EXPECT_EQ(bitmap.GetScanline(0)[2], 1);
}

TEST(Bitmap, PaletteSetOnItIsOwnedAndReplacedOnce)
{
    const int before = livePaletteCount();
    {
        TBitmap bitmap;
        HPALETTE first = makePalette({{1, 2, 3, 0}});
        bitmap.SetPalette(first);
        bitmap.SetPaletteDirty(false);
        bitmap.SetPalette(first);
        EXPECT_FALSE(bitmap.GetPaletteDirty()) << "setting the held palette again changed something";
        bitmap.SetPalette(makePalette({{4, 5, 6, 0}}));
        EXPECT_TRUE(bitmap.GetPaletteDirty());
        EXPECT_EQ(GetPaletteEntries(first, 0, 0, nullptr), 0u) << "the replaced palette was not deleted";
        EXPECT_EQ(livePaletteCount(), before + 1);
    }
    EXPECT_EQ(livePaletteCount(), before);
}

TEST(Bitmap, SetHandleWithNoneEmptiesButKeepsFormatOrderAndPalette)
{
    TBitmap bitmap;
    bitmap.SetPixelFormat(TPixelFormat::pf8bit);
    bitmap.SetBottomUp(true);
    bitmap.SetSize(4, 4);
    HPALETTE palette = makePalette({{1, 2, 3, 0}});
    bitmap.SetPalette(palette);
    bitmap.SetHandle(nullptr);
    EXPECT_TRUE(bitmap.GetEmpty());
    EXPECT_EQ(bitmap.GetWidth(), 0);
    EXPECT_EQ(bitmap.GetPixelFormat(), TPixelFormat::pf8bit);
    EXPECT_TRUE(bitmap.IsBottomUp());
    EXPECT_EQ(bitmap.GetPalette(), palette);
    bitmap.SetSize(2, 2);
    EXPECT_EQ(bitmap.GetScanline(0) - bitmap.GetScanline(1), 4);
}

TEST(Bitmap, AssignCopiesEverythingIndependently)
{
    const int before = livePaletteCount();
    {
        TBitmap source;
        source.SetPixelFormat(TPixelFormat::pf8bit);
        source.SetBottomUp(true);
        source.SetSize(3, 2);
        source.SetPalette(makePalette({{10, 20, 30, 0}, {40, 50, 60, 0}}));
        source.GetScanline(1)[2] = 1;
        TBitmap copy;
        copy.Assign(&source);
        EXPECT_EQ(copy.GetWidth(), 3);
        EXPECT_EQ(copy.GetHeight(), 2);
        EXPECT_EQ(copy.GetPixelFormat(), TPixelFormat::pf8bit);
        EXPECT_TRUE(copy.IsBottomUp());
        EXPECT_EQ(copy.GetScanline(1)[2], 1);
        ASSERT_NE(copy.GetPalette(), nullptr);
        EXPECT_NE(copy.GetPalette(), source.GetPalette());
        EXPECT_EQ(copy.ToImage(), source.ToImage());
        copy.GetScanline(1)[2] = 0;
        EXPECT_EQ(source.GetScanline(1)[2], 1);
        copy.Assign(&copy);
        EXPECT_EQ(copy.GetWidth(), 3);
        copy.Assign(nullptr);
        EXPECT_TRUE(copy.GetEmpty());
        EXPECT_EQ(livePaletteCount(), before + 2);
    }
    EXPECT_EQ(livePaletteCount(), before);
}

TEST(Canvas, StretchDrawScalesEveryLayoutTheRightWayUp)
{
    for (const bool bottomUp : {false, true}) {
        for (const TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf8bit}) {
            TBitmap bitmap;
            bitmap.SetPixelFormat(format);
            bitmap.SetBottomUp(bottomUp);
            bitmap.SetSize(2, 2);
            const QRgb colours[4] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};
            if (format == TPixelFormat::pf8bit) {
                bitmap.SetPalette(makePalette({{255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}, {255, 255, 255, 0}}));
                bitmap.GetScanline(0)[0] = 0;
                bitmap.GetScanline(0)[1] = 1;
                bitmap.GetScanline(1)[0] = 2;
                bitmap.GetScanline(1)[1] = 3;
            } else {
                for (int i = 0; i < 4; ++i) {
                    std::uint8_t *pixel = bitmap.GetScanline(i / 2) + 3 * (i % 2);
                    pixel[0] = static_cast<std::uint8_t>(qBlue(colours[i]));
                    pixel[1] = static_cast<std::uint8_t>(qGreen(colours[i]));
                    pixel[2] = static_cast<std::uint8_t>(qRed(colours[i]));
                }
            }
            QImage target(10, 10, QImage::Format_RGB32);
            target.fill(Qt::black);
            {
                QPainter painter(&target);
                TCanvas canvas(painter);
                canvas.StretchDraw({1, 1, 9, 9}, &bitmap);
                canvas.StretchDraw({0, 0, 1, 1}, nullptr);
            }
            SCOPED_TRACE(bottomUp ? "bottom-up" : "top-down");
            SCOPED_TRACE(format == TPixelFormat::pf8bit ? "8-bit" : "24-bit");
            EXPECT_EQ(target.pixel(0, 0), qRgb(0, 0, 0));
            EXPECT_EQ(target.pixel(2, 2), colours[0]);
            EXPECT_EQ(target.pixel(7, 2), colours[1]);
            EXPECT_EQ(target.pixel(2, 7), colours[2]);
            EXPECT_EQ(target.pixel(8, 8), colours[3]);
            EXPECT_EQ(target.pixel(9, 9), qRgb(0, 0, 0));
        }
    }
}

TEST(Clipboard, PictureGoesThroughTheApplicationClipboard)
{
    const int before = livePaletteCount();
    TBitmap original;
    original.SetSize(4, 3);
    original.SetBottomUp(true);
    fillPattern(original);
    TClipboardFormat format = 0;
    THandle data = 1;
    HPALETTE palette = nullptr;
    original.SaveToClipboardFormat(format, data, palette);
    EXPECT_EQ(format, CF_BITMAP);
    EXPECT_EQ(palette, nullptr) << "a 24-bit bitmap handed out a palette";

    TBitmap pasted;
    pasted.LoadFromClipboardFormat(format, data, palette);
    EXPECT_EQ(pasted.GetPixelFormat(), TPixelFormat::pf24bit);
    expectShows(pasted, patternColour);
    EXPECT_THROW(pasted.LoadFromClipboardFormat(CF_BITMAP + 1, 0, nullptr), EInvalidGraphic);
    EXPECT_EQ(livePaletteCount(), before);
}

} // namespace
