// The harness reads the reference decoder's BMP output; these checks make sure
// it reads rows, order and colour tables the way the decoder wrote them, by
// comparing with the decoder's plain PPM/PGM output of the same file.

#include "tests/jpeg/reference/imagefiles.h"
#include "tests/jpeg/reference/rasterimage.h"
#include "tests/jpeg/reference/referencecodec.h"
#include "tests/jpeg/reference/testfolder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>

namespace {

// Reads a binary PPM (P6) or PGM (P5) as the reference decoder writes it.
RasterImage readPnm(const std::filesystem::path &path)
{
    const std::vector<unsigned char> bytes = readFileBytes(path);
    std::string header;
    std::size_t offset = 0;
    int fields = 0;
    // Four whitespace-separated fields: magic, width, height, maximum.
    while (fields < 4 && offset < bytes.size()) {
        const char c = static_cast<char>(bytes[offset++]);
        if (std::isspace(static_cast<unsigned char>(c))) {
            if (!header.empty() && header.back() != ' ') {
                header += ' ';
                ++fields;
            }
        } else {
            header += c;
        }
    }
    char magic[3] = {};
    int width = 0, height = 0, maximum = 0;
    std::sscanf(header.c_str(), "%2s %d %d %d", magic, &width, &height, &maximum);
    RasterImage image;
    image.width = width;
    image.height = height;
    image.bitsPerPixel = std::string(magic) == "P6" ? 24 : 8;
    image.pixels.assign(bytes.begin() + static_cast<long>(offset), bytes.end());
    if (image.bitsPerPixel == 24) {
        for (std::size_t i = 0; i + 2 < image.pixels.size(); i += 3)
            std::swap(image.pixels[i], image.pixels[i + 2]);
    }
    return image;
}

TEST(ReferenceHarness, BmpRowsMatchThePlainOutputOfTheSameDecode)
{
    TestFolder folder;
    const RasterImage photo = makePhotoImage(37, 21, 3);
    writePnm(folder / "in.ppm", photo);
    encodeWithReference({"-quality", "90"}, folder / "in.ppm", folder / "in.jpg");
    decodeWithReference({"-bmp"}, folder / "in.jpg", folder / "out.bmp");
    decodeWithReference({"-pnm"}, folder / "in.jpg", folder / "out.ppm");

    const RasterImage fromBmp = readBmp(folder / "out.bmp");
    const RasterImage fromPnm = readPnm(folder / "out.ppm");
    ASSERT_EQ(fromBmp.bitsPerPixel, 24);
    EXPECT_EQ(describeDifference(fromPnm, fromBmp), "");
}

TEST(ReferenceHarness, EightBitBmpShowsTheSameColoursAsThePlainOutput)
{
    TestFolder folder;
    writePnm(folder / "in.ppm", makePhotoImage(29, 17, 4));
    encodeWithReference({}, folder / "in.ppm", folder / "in.jpg");
    decodeWithReference({"-bmp", "-colors", "50"}, folder / "in.jpg", folder / "out.bmp");
    decodeWithReference({"-pnm", "-colors", "50"}, folder / "in.jpg", folder / "out.ppm");

    const RasterImage fromBmp = readBmp(folder / "out.bmp");
    ASSERT_EQ(fromBmp.bitsPerPixel, 8);
    EXPECT_LE(fromBmp.palette.size(), 256u);
    EXPECT_EQ(describeColourDifference(readPnm(folder / "out.ppm"), fromBmp), "");
}

TEST(ReferenceHarness, WrittenBmpReadsBackUnchanged)
{
    TestFolder folder;
    for (const RasterImage &image : {makePhotoImage(1, 1, 5), makePhotoImage(303, 93, 6), makeGrayImage(7, 3, 7)}) {
        writeBmp(folder / "round.bmp", image);
        EXPECT_EQ(describeDifference(image, readBmp(folder / "round.bmp")), "");
    }
}

TEST(ReferenceHarness, FailingToolIsReported)
{
    TestFolder folder;
    writeFileBytes(folder / "broken.jpg", {0xFF, 0xD8, 0x00});
    EXPECT_THROW(decodeWithReference({"-bmp"}, folder / "broken.jpg", folder / "out.bmp"), std::runtime_error);
}

} // namespace
