// Damaged and hostile JPEG data: every outcome is a picture or an EJPEG,
// never a crash, a hang or another kind of failure.

#include "jpeg/ejpeg.h"
#include "jpeg/tjpegdata.h"
#include "tests/jpeg/picturetesting.h"
#include "tests/jpeg/reference/imagefiles.h"
#include "tests/jpeg/reference/referencecodec.h"
#include "tests/jpeg/reference/testfolder.h"
#include "tests/jpeg/referenceinputs.h"
#include "toolkit/core/memorystream.h"

#include <gtest/gtest.h>

namespace {

std::vector<unsigned char> jpegOf(const TestFolder &folder, const std::string &name)
{
    for (const ReferenceInput &input : referenceInputs()) {
        if (input.name == name)
            return readFileBytes(makeReferenceJpeg(input, folder.path()));
    }
    throw std::runtime_error("no reference input " + name);
}

// Position of the first marker 0xFF code, or the size when there is none.
std::size_t markerPosition(const std::vector<unsigned char> &jpeg, unsigned char code)
{
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == code)
            return i;
    }
    return jpeg.size();
}

TEST(TJPEGImageBadData, DataWithoutAHeaderFailsAtLoadAndKeepsTheBytes)
{
    const std::vector<std::vector<unsigned char>> cases = {
        {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'},
        {0xFF, 0xD8},
        {0xFF, 0xD8, 0xFF, 0xD9},
        {0x00},
    };
    for (const std::vector<unsigned char> &bytes : cases) {
        TMemoryStream stream;
        stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
        stream.SetPosition(0);
        TJPEGImage picture;
        int changes = 0;
        picture.SetOnChange([&changes](TPersistent *) { ++changes; });
        EXPECT_THROW(picture.LoadFromStream(stream), EJPEG);
        ASSERT_NE(picture.Data()->JpegStream, nullptr);
        EXPECT_EQ(picture.Data()->JpegStream->GetSize(), static_cast<std::int64_t>(bytes.size()));
        EXPECT_EQ(picture.GetWidth(), 0);
        EXPECT_EQ(changes, 0);
        TBitmap target;
        EXPECT_THROW(picture.AssignTo(&target), EJPEG);
    }
}

TEST(TJPEGImageBadData, DataEndingInsideTheHeadersFailsAtLoad)
{
    TestFolder folder;
    const std::vector<unsigned char> jpeg = jpegOf(folder, "baseline-303x93");
    const std::size_t frame = markerPosition(jpeg, 0xC0);
    ASSERT_LT(frame, jpeg.size());
    for (std::size_t length : {std::size_t{3}, frame / 2, frame + 5}) {
        const std::vector<unsigned char> cut(jpeg.begin(), jpeg.begin() + static_cast<long>(length));
        EXPECT_THROW(pictureFromBytes(cut), EJPEG) << length << " bytes";
    }
}

TEST(TJPEGImageBadData, DataEndingInsideTheImageDecodesWhatItHas)
{
    TestFolder folder;
    for (const std::string name : {"baseline-303x93", "progressive-303x93", "restart-303x93"}) {
        const std::vector<unsigned char> jpeg = jpegOf(folder, name);
        const std::size_t scan = markerPosition(jpeg, 0xDA);
        ASSERT_LT(scan, jpeg.size());
        for (std::size_t length : {scan + 20, (scan + jpeg.size()) / 2, jpeg.size() - 2}) {
            SCOPED_TRACE(name + ", " + std::to_string(length) + " bytes");
            const std::vector<unsigned char> cut(jpeg.begin(), jpeg.begin() + static_cast<long>(length));
            for (bool progressiveView : {false, true}) {
                TJPEGSettings chosen;
                chosen.ProgressiveView = progressiveView;
                DefaultSettingsScope settings(chosen);
                std::unique_ptr<TJPEGImage> picture = pictureFromBytes(cut);
                RasterImage decoded;
                EXPECT_NO_THROW(decoded = decodedRaster(*picture));
                EXPECT_EQ(decoded.width, 303);
                EXPECT_EQ(decoded.height, 93);
            }
        }
    }
}

TEST(TJPEGImageBadData, HugeAnnouncedSizeIsRefusedBeforeDecoding)
{
    TestFolder folder;
    for (const std::string name : {"baseline-1x1", "progressive-1x1"}) {
        std::vector<unsigned char> jpeg = jpegOf(folder, name);
        std::size_t frame = markerPosition(jpeg, 0xC0);
        if (frame == jpeg.size())
            frame = markerPosition(jpeg, 0xC2);
        ASSERT_LT(frame + 9, jpeg.size()) << name;
        // Frame header: marker, length (2), precision (1), height (2), width (2).
        for (std::size_t at : {frame + 5, frame + 7}) {
            jpeg[at] = 0xFF;
            jpeg[at + 1] = 0xD0;
        }
        std::unique_ptr<TJPEGImage> picture = pictureFromBytes(jpeg);
        EXPECT_EQ(picture->GetWidth(), 65488);
        TBitmap target;
        try {
            picture->AssignTo(&target);
            ADD_FAILURE() << name << ": decoded a picture of 65488 x 65488 pixels";
        } catch (const EJPEG &error) {
            EXPECT_EQ(std::string(error.what()), jpegErrorMessage(JERR_IMAGE_TOO_BIG));
        }
    }
}

TEST(TJPEGImageBadData, DamagedBytesEndInAPictureOrAnEJPEG)
{
    TestFolder folder;
    for (const std::string name : {"baseline-303x93", "progressive-restart-97x61-444", "gray-progressive-45x17"}) {
        const std::vector<unsigned char> jpeg = jpegOf(folder, name);
        // A fixed series of damages: single bytes set to marker values or
        // flipped, all over the file, headers included.
        for (std::size_t step = 0; step < 60; ++step) {
            std::vector<unsigned char> damaged = jpeg;
            const std::size_t at = 2 + (step * 7919) % (damaged.size() - 2);
            damaged[at] = step % 3 == 0 ? 0xFF : step % 3 == 1 ? static_cast<unsigned char>(~damaged[at]) : 0x00;
            SCOPED_TRACE(name + ", byte " + std::to_string(at));
            for (TJPEGPixelFormat depth : {Depth24, Depth8}) {
                TJPEGSettings chosen;
                chosen.OutputDepth = depth;
                chosen.ProgressiveView = step % 2 == 0;
                DefaultSettingsScope settings(chosen);
                try {
                    std::unique_ptr<TJPEGImage> picture = pictureFromBytes(damaged);
                    decodedRaster(*picture);
                } catch (const EJPEG &) {
                    // Refusing damaged data is fine; anything else is not.
                }
            }
        }
    }
}

} // namespace
