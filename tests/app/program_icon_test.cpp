#include "app/icon/icon_drawing.h"
#include "app/icon/program_icon.h"
#include "tests/app/main_window_fixture.h"
#include "toolkit/forms/ticon.h"
#include "toolkit/forms/timage.h"

#include <QImage>

#include <set>

namespace {

TEST(ProgramIconTest, KeptPictureIsWhatTheGeneratorDraws)
{
    QImage kept(QStringLiteral(VORREL_SOURCE_DIR "/app/icon/vorrel.png"));
    ASSERT_FALSE(kept.isNull()) << "app/icon/vorrel.png is missing or unreadable";
    const QImage drawn = drawProgramIcon();
    ASSERT_EQ(kept.size(), QSize(48, 48));
    ASSERT_EQ(drawn.size(), QSize(48, 48));
    EXPECT_EQ(kept.convertToFormat(QImage::Format_RGB32), drawn.convertToFormat(QImage::Format_RGB32))
        << "regenerate app/icon/vorrel.png with vorrel-make-icon";
}

TEST_F(MainWindowTest, IconIsTheWindowIconAndTheImageControlsPicture)
{
    TForm1 &form = createMainWindow();
    const ImageContent *picture = form.Image1->Picture();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->naturalSize(), QSize(48, 48)) << "drawn unstretched in the 49 by 49 box";
    const auto *icon = dynamic_cast<const TIcon *>(picture);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->image().convertToFormat(QImage::Format_RGB32),
              drawProgramIcon().convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(form.windowIcon().availableSizes().value(0), QSize(48, 48));
}

} // namespace
