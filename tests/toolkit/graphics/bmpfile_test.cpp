#include "tests/toolkit/core/scratchfolder.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/memorystream.h"
#include "toolkit/graphics/bitmap.h"

#include <gtest/gtest.h>

#include <ostream>

#include <QImage>

#include <cstdint>
#include <cstring>
#include <tuple>
#include <vector>

// Names pixel formats in test listings (found by argument-dependent lookup).
static void PrintTo(TPixelFormat format, std::ostream *out)
{
    *out << (format == TPixelFormat::pf8bit ? "8bit" : "24bit");
}

namespace {

void fillPattern(TBitmap &bitmap)
{
    const int bytes = bitmap.GetPixelFormat() == TPixelFormat::pf8bit ? 1 : 3;
    for (int y = 0; y < bitmap.GetHeight(); ++y)
        for (int x = 0; x < bitmap.GetWidth() * bytes; ++x)
            bitmap.GetScanline(y)[x] = static_cast<std::uint8_t>(x * 31 + y * 17 + 5);
}

HPALETTE rampPalette(int entries)
{
    LOGPALETTE description;
    description.palNumEntries = static_cast<std::uint16_t>(entries);
    for (int i = 0; i < entries; ++i)
        description.palPalEntry[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i * 7), 0};
    return CreatePalette(&description);
}

std::vector<std::uint8_t> saved(TBitmap &bitmap)
{
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    return {stream.Memory(), stream.Memory() + stream.GetSize()};
}

void load(TBitmap &bitmap, const std::vector<std::uint8_t> &bytes)
{
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    stream.SetPosition(0);
    bitmap.LoadFromStream(stream);
}

class BmpRoundTrip : public testing::TestWithParam<std::tuple<TPixelFormat, bool, int>> {
};

TEST_P(BmpRoundTrip, KeepsPixelsFormatOrderAndPalette)
{
    const auto [format, bottomUp, width] = GetParam();
    TBitmap original;
    original.SetPixelFormat(format);
    original.SetBottomUp(bottomUp);
    original.SetSize(width, 4);
    if (format == TPixelFormat::pf8bit)
        original.SetPalette(rampPalette(200));
    fillPattern(original);

    const std::vector<std::uint8_t> bytes = saved(original);
    TBitmap copy;
    load(copy, bytes);
    EXPECT_EQ(copy.GetWidth(), width);
    EXPECT_EQ(copy.GetHeight(), 4);
    EXPECT_EQ(copy.GetPixelFormat(), format);
    EXPECT_EQ(copy.IsBottomUp(), bottomUp);
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(std::memcmp(copy.GetScanline(y), original.GetScanline(y), static_cast<std::size_t>(original.BytesPerRow())), 0)
            << "row " << y;
    if (format == TPixelFormat::pf8bit) {
        EXPECT_EQ(GetPaletteEntries(copy.GetPalette(), 0, 0, nullptr), 200u);
        EXPECT_EQ(copy.ToImage(), original.ToImage());
    }
    EXPECT_EQ(saved(copy), bytes) << "saving the loaded file changed it";

    // Qt's own BMP reader sees the same picture.
    QImage outside;
    ASSERT_TRUE(outside.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "BMP"));
    EXPECT_EQ(outside.convertToFormat(QImage::Format_RGB888), original.ToImage());
}

INSTANTIATE_TEST_SUITE_P(Layouts, BmpRoundTrip,
                         testing::Combine(testing::Values(TPixelFormat::pf8bit, TPixelFormat::pf24bit), testing::Bool(),
                                          testing::Values(1, 3, 6)));

// Header fields by offset in a saved 24-bit 2 x 2 file.
struct Damage {
    const char *what;
    std::size_t offset;
    std::vector<std::uint8_t> bytes;
};

// Names the case in test listings.
void PrintTo(const Damage &c, std::ostream *out)
{
    *out << c.what;
}

class DamagedBmp : public testing::TestWithParam<Damage> {
};

TEST_P(DamagedBmp, IsRefusedAndTheBitmapStaysAsItWas)
{
    TBitmap source;
    source.SetSize(2, 2);
    fillPattern(source);
    std::vector<std::uint8_t> bytes = saved(source);
    const Damage &damage = GetParam();
    std::copy(damage.bytes.begin(), damage.bytes.end(), bytes.begin() + static_cast<std::ptrdiff_t>(damage.offset));

    TBitmap target;
    target.SetSize(3, 1);
    fillPattern(target);
    const QImage before = target.ToImage();
    EXPECT_THROW(load(target, bytes), EInvalidGraphic);
    EXPECT_EQ(target.ToImage(), before);
}

INSTANTIATE_TEST_SUITE_P(Headers, DamagedBmp,
                         testing::Values(Damage{"signature", 0, {'P', 'K'}},
                                         Damage{"information header size", 14, {12, 0, 0, 0}},
                                         Damage{"negative width", 18, {0xFE, 0xFF, 0xFF, 0xFF}},
                                         Damage{"planes", 26, {2, 0}},
                                         Damage{"bits per pixel", 28, {16, 0}},
                                         Damage{"compression", 30, {1, 0, 0, 0}},
                                         Damage{"huge size", 18, {0xFF, 0xFF, 0x00, 0x7F}},
                                         Damage{"pixel offset inside the headers", 10, {20, 0, 0, 0}}),
                         [](const testing::TestParamInfo<Damage> &info) {
                             std::string name = info.param.what;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

TEST(BmpFile, TruncatedFileIsAReadErrorNotAnOverrun)
{
    TBitmap source;
    source.SetSize(40, 40);
    fillPattern(source);
    const std::vector<std::uint8_t> bytes = saved(source);
    for (const std::size_t length : {std::size_t{0}, std::size_t{10}, std::size_t{40}, bytes.size() - 1}) {
        TBitmap target;
        EXPECT_THROW(load(target, {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)}), EReadError)
            << length << " bytes";
        EXPECT_TRUE(target.GetEmpty());
    }
}

} // namespace
