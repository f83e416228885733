#include "tests/toolkit/core/scratchfolder.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/memorystream.h"
#include "toolkit/graphics/bitmap.h"
#include "toolkit/graphics/picture.h"
#include "toolkit/graphics/sharedimage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

TEST(Graphic, ChangeAndProgressReachTheOwnerUnchanged)
{
    TBitmap graphic;
    TBitmap other;
    std::vector<TPersistent *> changes;
    graphic.SetOnChange([&](TPersistent *sender) { changes.push_back(sender); });
    graphic.Changed(&other);
    EXPECT_TRUE(graphic.GetModified());
    EXPECT_EQ(changes, std::vector<TPersistent *>{&other});

    int calls = 0;
    graphic.SetOnProgress([&](TPersistent *sender, TProgressStage stage, std::uint8_t percent, bool redrawNow, const TRect &rect,
                              const std::string &message) {
        ++calls;
        EXPECT_EQ(sender, &other);
        EXPECT_EQ(stage, TProgressStage::Running);
        EXPECT_EQ(percent, 42);
        EXPECT_TRUE(redrawNow);
        EXPECT_EQ(rect, (TRect{0, 5, 10, 9}));
        EXPECT_EQ(message, "half");
        throw EAbort();
    });
    EXPECT_THROW(graphic.NotifyProgress(&other, TProgressStage::Running, 42, true, {0, 5, 10, 9}, "half"), EAbort);
    EXPECT_EQ(calls, 1);
}

TEST(Graphic, EqualsComparesClassAndSavedBytes)
{
    TBitmap a;
    TBitmap b;
    a.SetSize(2, 1);
    b.SetSize(2, 1);
    EXPECT_TRUE(a.Equals(&b));
    b.GetScanline(0)[4] = 1;
    EXPECT_FALSE(a.Equals(&b));
    b.GetScanline(0)[4] = 0;
    b.SetBottomUp(true); // same picture, other bytes
    EXPECT_FALSE(a.Equals(&b));
    EXPECT_FALSE(a.Equals(nullptr));
}

class TCountedImage : public TSharedImage {
public:
    TCountedImage(int &freed, int &destroyed) : m_freed(freed), m_destroyed(destroyed) {}

protected:
    ~TCountedImage() override { ++m_destroyed; }
    void FreeHandle() noexcept override { ++m_freed; }

private:
    int &m_freed;
    int &m_destroyed;
};

TEST(SharedImage, LastReleaseFreesTheHandleAndDestroysTheHolder)
{
    int freed = 0;
    int destroyed = 0;
    auto *image = new TCountedImage(freed, destroyed);
    image->Reference();
    image->Reference();
    image->Release();
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(image->RefCount(), 1);
    image->Release();
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(destroyed, 1);
    // A holder that nobody referenced is not stranded by a release.
    (new TCountedImage(freed, destroyed))->Release();
    EXPECT_EQ(destroyed, 2);
}

class PictureRegistry : public testing::Test {
protected:
    // Tests register and unregister TBitmap; it is known for "bmp" again afterwards.
    void TearDown() override
    {
        TPicture::UnregisterGraphicClass(graphicClassOf<TBitmap>());
        TPicture::RegisterFileFormat("bmp", "Bitmaps", graphicClassOf<TBitmap>());
    }

    static void fill(TMemoryStream &stream, const std::string &className, TBitmap *bitmap)
    {
        const auto length = static_cast<std::uint8_t>(className.size());
        stream.WriteBuffer(&length, 1);
        stream.WriteBuffer(className.data(), length);
        if (bitmap)
            bitmap->SaveToStream(stream);
        stream.SetPosition(0);
    }
};

TEST_F(PictureRegistry, CreatesTheStoredClassByNameAndHandsItTheData)
{
    TBitmap original;
    original.SetSize(3, 2);
    TMemoryStream stored;
    fill(stored, "TBitmap", &original);
    TPicture picture;
    picture.ReadData(stored);
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Graphic()->ClassName(), "TBitmap");
    EXPECT_TRUE(picture.Graphic()->Equals(&original));

    TMemoryStream written;
    picture.WriteData(written);
    EXPECT_EQ(written.GetSize(), stored.GetSize());
    EXPECT_EQ(std::memcmp(written.Memory(), stored.Memory(), static_cast<std::size_t>(stored.GetSize())), 0);

    TMemoryStream unknown;
    fill(unknown, "TNoSuchGraphic", &original);
    EXPECT_THROW(picture.ReadData(unknown), EInvalidGraphic);
    EXPECT_NE(picture.Graphic(), nullptr) << "a failed read dropped the held graphic";
    TMemoryStream none;
    fill(none, "", nullptr);
    picture.ReadData(none);
    EXPECT_EQ(picture.Graphic(), nullptr);
}

TEST_F(PictureRegistry, LoadsFilesByExtensionUntilTheClassIsUnregistered)
{
    ScratchFolder folder;
    const std::string name = folder.file("picture.DIB");
    TBitmap original;
    original.SetSize(4, 4);
    original.SaveToFile(name);
    TPicture picture;
    EXPECT_THROW(picture.LoadFromFile(name), EInvalidGraphic);

    TPicture::RegisterFileFormat("dib", "Device-independent bitmaps", graphicClassOf<TBitmap>());
    EXPECT_EQ(TPicture::FileFormatDescription("Dib"), "Device-independent bitmaps");
    picture.LoadFromFile(name);
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_TRUE(picture.Graphic()->Equals(&original));

    TPicture::UnregisterGraphicClass(graphicClassOf<TBitmap>());
    EXPECT_EQ(TPicture::FindGraphicClassByExtension("dib"), nullptr);
    EXPECT_EQ(TPicture::FindGraphicClassByExtension("bmp"), nullptr);
    EXPECT_EQ(TPicture::FindGraphicClassByName("TBitmap"), nullptr);
    EXPECT_THROW(picture.LoadFromFile(name), EInvalidGraphic);
}

} // namespace
