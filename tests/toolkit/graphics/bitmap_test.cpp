#include "tests/support/byte_stream.h"
#include "tests/support/qt_application.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/memory_stream.h"
#include "toolkit/graphics/bitmap.h"
#include "toolkit/graphics/canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <cstdint>
#include <cstring>
#include <ostream>
#include <tuple>
#include <vector>

// Names pixel formats in test listings (found by argument-dependent lookup).
static void PrintTo(TPixelFormat format, std::ostream *out) { *out << (format == TPixelFormat::pf8bit ? "8bit" : "24bit"); }

namespace {

// Painting, screens and the clipboard need the application in every test.
[[maybe_unused]] const bool qtReady = needsQtApplication();

// A new palette of count entries, all different.
HPALETTE rampPalette(int count)
{
    LOGPALETTE ramp;
    for (std::uint8_t i = 0; i < count; ++i, ++ramp.palNumEntries)
        ramp.palPalEntry[i] = {i, static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i * 7), 0};
    return CreatePalette(&ramp);
}

// A bitmap of the given layout whose pixel bytes differ from their neighbours;
// an 8-bit one gets a palette of 200 entries.
void setUp(TBitmap &bitmap, TPixelFormat format, bool bottomUp, int width, int height)
{
    bitmap.SetPixelFormat(format);
    bitmap.SetBottomUp(bottomUp);
    bitmap.SetSize(width, height);
    if (format == TPixelFormat::pf8bit)
        bitmap.SetPalette(rampPalette(200));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * (format == TPixelFormat::pf8bit ? 1 : 3); ++x)
            bitmap.GetScanline(y)[x] = static_cast<std::uint8_t>(x * 31 + y * 17 + 5);
}

std::vector<std::uint8_t> saved(TBitmap &bitmap)
{
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    return streamBytes(stream);
}

void load(TBitmap &bitmap, const std::vector<std::uint8_t> &bytes) { bitmap.LoadFromStream(*streamOf(bytes)); }

using BitmapLayout = testing::TestWithParam<std::tuple<TPixelFormat, bool, int>>;

TEST_P(BitmapLayout, BmpRoundTripKeepsPixelsFormatOrderAndPaletteAndRowsEndAtTheHeight)
{
    const auto [format, bottomUp, width] = GetParam();
    TBitmap original;
    setUp(original, format, bottomUp, width, 4);
    const std::vector<std::uint8_t> bytes = saved(original);
    TBitmap copy;
    load(copy, bytes);
    EXPECT_EQ(std::tuple(copy.GetWidth(), copy.GetHeight(), copy.GetPixelFormat(), copy.IsBottomUp()),
              std::tuple(width, 4, format, bottomUp));
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(std::memcmp(copy.GetScanline(y), original.GetScanline(y), static_cast<std::size_t>(original.BytesPerRow())), 0)
            << "row " << y;
    EXPECT_THROW(copy.GetScanline(4), EInvalidGraphic);
    EXPECT_THROW(copy.GetScanline(-1), EInvalidGraphic);
    EXPECT_EQ(GetPaletteEntries(copy.GetPalette(), 0, 0, nullptr), format == TPixelFormat::pf8bit ? 200u : 0u);
    // Top-left pixel: bytes 5, 36, 67 (blue first), or index 5 of the ramp.
    EXPECT_EQ(original.ToImage().pixel(0, 0), format == TPixelFormat::pf8bit ? qRgb(5, 250, 35) : qRgb(67, 36, 5));
    EXPECT_EQ(saved(copy), bytes) << "saving the loaded file changed it";

    // Qt's own BMP reader sees the same picture.
    QImage outside;
    ASSERT_TRUE(outside.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "BMP"));
    EXPECT_EQ(outside.convertToFormat(QImage::Format_RGB888), original.ToImage());
}

TEST_P(BitmapLayout, StretchDrawScalesThePictureTheRightWayUp)
{
    const auto [format, bottomUp, width] = GetParam();
    TBitmap bitmap;
    setUp(bitmap, format, bottomUp, width, 2);
    QImage target(4 * width + 2, 10, QImage::Format_RGB32);
    target.fill(Qt::black);
    {
        QPainter painter(&target);
        TCanvas canvas(painter);
        canvas.StretchDraw({1, 1, 4 * width + 1, 9}, &bitmap);
        canvas.StretchDraw({0, 0, 1, 1}, nullptr);
    }
    const QImage picture = bitmap.ToImage(); // each pixel drawn as a 4 x 4 block
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(target.pixel(3 + 4 * x, 3 + 4 * y), picture.pixel(x, y)) << x << "," << y;
    EXPECT_EQ(target.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(target.pixel(4 * width + 1, 9), qRgb(0, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(Layouts, BitmapLayout,
                         testing::Combine(testing::Values(TPixelFormat::pf8bit, TPixelFormat::pf24bit), testing::Bool(),
                                          testing::Values(1, 2, 3, 5, 303)));

TEST(BmpFile, DamagedFileIsRefusedAndTheBitmapStaysAsItWas)
{
    TBitmap source;
    setUp(source, TPixelFormat::pf24bit, false, 40, 40);
    const std::vector<std::uint8_t> good = saved(source);
    TBitmap target;
    setUp(target, TPixelFormat::pf24bit, false, 3, 1);
    const QImage before = target.ToImage();
    // By offset: signature, information header size, negative width, planes, bits
    // per pixel, compression, a size too large to allocate, pixels inside the headers.
    const std::pair<std::ptrdiff_t, std::vector<std::uint8_t>> damages[] = {
        {0, {'P', 'K'}}, {14, {12, 0, 0, 0}}, {18, {0xFE, 0xFF, 0xFF, 0xFF}}, {26, {2, 0}},
        {28, {16, 0}},   {30, {1, 0, 0, 0}},  {18, {0xFF, 0xFF, 0x00, 0x7F}}, {10, {20, 0, 0, 0}}};
    for (const auto &[offset, damage] : damages) {
        std::vector<std::uint8_t> bytes = good;
        std::copy(damage.begin(), damage.end(), bytes.begin() + offset);
        EXPECT_THROW(load(target, bytes), EInvalidGraphic) << offset;
        EXPECT_EQ(target.ToImage(), before);
    }
    // A short file is a read error, not an overrun.
    for (const std::size_t length : {std::size_t{0}, std::size_t{10}, std::size_t{40}, good.size() - 1}) {
        EXPECT_THROW(load(target, {good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length)}), EReadError) << length;
        EXPECT_EQ(target.ToImage(), before);
    }
}

// Every palette made in a test is deleted by its end.
class Bitmap : public testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(livePaletteCount(), before); }
    const int before = livePaletteCount();
};
using Clipboard = Bitmap;

TEST_F(Bitmap, PixelFormatConvertsThroughThePaletteBothWays)
{
    TBitmap bitmap;
    setUp(bitmap, TPixelFormat::pf8bit, false, 3, 1);
    const QImage shown = bitmap.ToImage();
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    EXPECT_EQ(bitmap.ToImage(), shown);
    EXPECT_EQ(std::memcmp(bitmap.GetScanline(0), "\43\372\5", 3), 0) << "blue, green, red of entry 5";
    bitmap.GetScanline(0)[1] = 249; // still nearest to entry 5
    bitmap.SetPixelFormat(TPixelFormat::pf8bit);
    EXPECT_EQ(std::memcmp(bitmap.GetScanline(0), "\5\44\103", 3), 0);
}

TEST_F(Bitmap, PaletteSetOnItIsOwnedAndReplacedOnce)
{
    TBitmap bitmap;
    HPALETTE first = rampPalette(1);
    bitmap.SetPalette(first);
    bitmap.SetPaletteDirty(false);
    bitmap.SetPalette(first);
    EXPECT_FALSE(bitmap.GetPaletteDirty()) << "setting the held palette again changed something";
    bitmap.SetPalette(rampPalette(2));
    EXPECT_TRUE(bitmap.GetPaletteDirty());
    EXPECT_EQ(GetPaletteEntries(first, 0, 0, nullptr), 0u) << "the replaced palette was not deleted";
    EXPECT_EQ(livePaletteCount(), before + 1);
}

TEST_F(Bitmap, AssignCopiesIndependentlyAndSetHandleNoneEmpties)
{
    TBitmap source;
    setUp(source, TPixelFormat::pf8bit, true, 3, 2);
    const std::vector<std::uint8_t> held = saved(source);
    TBitmap copy;
    copy.Assign(&source);
    EXPECT_EQ(saved(copy), held);
    EXPECT_NE(copy.GetPalette(), source.GetPalette());
    copy.GetScanline(1)[2] ^= 1;
    EXPECT_EQ(saved(source), held);
    copy.Assign(&copy);
    EXPECT_EQ(copy.GetWidth(), 3);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.GetEmpty());
    EXPECT_EQ(livePaletteCount(), before + 2);

    // Without a handle the bitmap is empty, but format, row order and palette stay.
    HPALETTE palette = source.GetPalette();
    source.SetHandle(nullptr);
    EXPECT_EQ(std::tuple(source.GetEmpty(), source.GetWidth(), source.GetPixelFormat(), source.IsBottomUp(), source.GetPalette()),
              std::tuple(true, 0, TPixelFormat::pf8bit, true, palette));
}

TEST_F(Clipboard, PictureGoesThroughTheApplicationClipboard)
{
    TBitmap original;
    setUp(original, TPixelFormat::pf24bit, true, 4, 3);
    TClipboardFormat format = 0;
    THandle data = 1;
    HPALETTE palette = nullptr;
    original.SaveToClipboardFormat(format, data, palette);
    EXPECT_EQ(format, CF_BITMAP);
    EXPECT_EQ(palette, nullptr) << "a 24-bit bitmap handed out a palette";

    TBitmap pasted;
    pasted.LoadFromClipboardFormat(format, data, palette);
    EXPECT_EQ(pasted.GetPixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(pasted.ToImage(), original.ToImage());
    EXPECT_THROW(pasted.LoadFromClipboardFormat(CF_BITMAP + 1, 0, nullptr), EInvalidGraphic);
    EXPECT_EQ(livePaletteCount(), before);
}

} // namespace
