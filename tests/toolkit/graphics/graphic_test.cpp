#include "tests/support/test_folder.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/memory_stream.h"
#include "toolkit/graphics/bitmap.h"
#include "toolkit/graphics/picture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

TEST(Graphic, EqualsComparesClassAndSavedBytes)
{
    TBitmap a, b;
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

TEST(PictureRegistry, CreatesTheStoredClassByNameOrFileExtensionUntilTheClassIsUnregistered)
{
    TBitmap original;
    original.SetSize(3, 2);
    // A stored picture property: class name length in one byte, the name, then the graphic's data.
    const auto fill = [&original](TMemoryStream &stream, const std::string &className) {
        const auto length = static_cast<std::uint8_t>(className.size());
        stream.WriteBuffer(&length, 1);
        stream.WriteBuffer(className.data(), length);
        original.SaveToStream(stream);
        stream.SetPosition(0);
    };
    TMemoryStream stored;
    fill(stored, "TBitmap");
    TPicture picture;
    picture.ReadData(stored);
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Graphic()->ClassName(), "TBitmap");
    EXPECT_TRUE(picture.Graphic()->Equals(&original));

    TMemoryStream written;
    picture.WriteData(written);
    ASSERT_EQ(written.GetSize(), stored.GetSize());
    EXPECT_EQ(std::memcmp(written.Memory(), stored.Memory(), static_cast<std::size_t>(stored.GetSize())), 0);

    TMemoryStream unknown;
    fill(unknown, "TNoSuchGraphic");
    EXPECT_THROW(picture.ReadData(unknown), EInvalidGraphic);
    EXPECT_NE(picture.Graphic(), nullptr) << "a failed read dropped the held graphic";
    TMemoryStream none; // an empty class name and nothing else
    none.WriteBuffer("", 1);
    none.SetPosition(0);
    picture.ReadData(none);
    EXPECT_EQ(picture.Graphic(), nullptr);

    // Files load by extension until the class is unregistered. Afterwards TBitmap is known for "bmp" only, also when the test stops early.
    const std::shared_ptr<void> restore(nullptr, [](void *) {
        TPicture::UnregisterGraphicClass(graphicClassOf<TBitmap>());
        TPicture::RegisterFileFormat("bmp", "Bitmaps", graphicClassOf<TBitmap>());
    });
    TestFolder folder;
    const std::string name = folder / "picture.DIB";
    original.SaveToFile(name);
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
