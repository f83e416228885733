// The harness reads the reference decoder's BMP output; these checks hold it
// against the decoder's plain PPM output of the same file.
#include "tests/jpeg/reference/reference.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// Reads a binary PPM as the reference decoder writes it ("P6\nW H\n255\n").
RasterImage readPpm(const std::filesystem::path &path)
{
    const std::vector<unsigned char> bytes = readFileBytes(path);
    RasterImage image;
    int headerLength = 0;
    std::sscanf(reinterpret_cast<const char *>(bytes.data()), "P6 %d %d 255%n", &image.width, &image.height,
                &headerLength);
    image.pixels.assign(bytes.begin() + headerLength + 1, bytes.end());
    for (std::size_t i = 0; i + 2 < image.pixels.size(); i += 3)
        std::swap(image.pixels[i], image.pixels[i + 2]);
    return image;
}

TEST(ReferenceHarness, BmpShowsWhatThePlainOutputOfTheSameDecodeShows)
{
    TestFolder folder;
    writePnm(folder / "in.ppm", makePhotoImage(37, 21, 3));
    runReference("cjpeg", {}, folder / "in.ppm", folder / "in.jpg");
    const std::vector<std::pair<std::vector<std::string>, int>> cases = {{{}, 24}, {{"-colors", "50"}, 8}};
    for (const auto &[quantize, bits] : cases) {
        std::vector<std::string> bmp = quantize, pnm = quantize;
        bmp.push_back("-bmp");
        pnm.push_back("-pnm");
        runReference("djpeg", bmp, folder / "in.jpg", folder / "out.bmp");
        runReference("djpeg", pnm, folder / "in.jpg", folder / "out.ppm");
        const RasterImage fromBmp = readBmp(folder / "out.bmp");
        EXPECT_EQ(fromBmp.bitsPerPixel, bits);
        EXPECT_EQ(describeDifference(readPpm(folder / "out.ppm"), fromBmp, bits == 24), "");
    }
}

TEST(ReferenceHarness, FailingToolIsReported)
{
    TestFolder folder;
    writeFileBytes(folder / "broken.jpg", {0xFF, 0xD8, 0x00});
    EXPECT_THROW(runReference("djpeg", {"-bmp"}, folder / "broken.jpg", folder / "out.bmp"), std::runtime_error);
}

} // namespace
