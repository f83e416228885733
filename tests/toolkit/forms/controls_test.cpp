#include "tests/toolkit/forms/qt_test_environment.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/forms/ticon.h"
#include "toolkit/forms/timage.h"
#include "toolkit/forms/tlabel.h"
#include "toolkit/forms/tmemo.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class ControlsTest : public ::testing::Test {
protected:
    ApplicationFixtureState state;
    QWidget window;

    ControlsTest()
    {
        window.resize(400, 300);
        window.setAutoFillBackground(true);
        QPalette colours = window.palette();
        colours.setColor(QPalette::Window, QColor(10, 200, 30));
        window.setPalette(colours);
    }
};

TEST_F(ControlsTest, MemoShowsExactlyItsLines)
{
    TMemo memo(&window, {0, 0, 200, 100});
    EXPECT_EQ(memo.Lines().Count(), 0);

    memo.Lines().Add("");
    EXPECT_EQ(memo.Lines().Count(), 1);
    EXPECT_EQ(memo.toPlainText(), QString());

    memo.Lines().Add("wind");
    memo.Lines().Add("");
    memo.Lines().Add("Scan termined.");
    EXPECT_EQ(memo.Lines().Count(), 4);
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("\nwind\n\nScan termined."));
    EXPECT_EQ(memo.document()->blockCount(), 4);

    memo.Lines().Clear();
    EXPECT_EQ(memo.Lines().Count(), 0);
    EXPECT_EQ(memo.toPlainText(), QString());

    memo.Lines().Add("first");
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("first")) << "no empty line may stay above the first one";

    memo.Lines().Assign({"rain", "wind", "", "Scan termined."});
    EXPECT_EQ(memo.Lines().Strings(1), "wind");
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("rain\nwind\n\nScan termined."));
}

TEST_F(ControlsTest, LabelClicksOnlyWhenReleasedInside)
{
    TLabel label(&window, QPoint(5, 5), QStringLiteral("e-mail:"));
    EXPECT_EQ(label.pos(), QPoint(5, 5));
    EXPECT_GT(label.width(), 0) << "a label sizes itself to its text";
    int clicks = 0;
    label.OnClick = [&](TObject *) { ++clicks; };

    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(clicks, 1);

    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(label.width() + 20, 2));
    EXPECT_EQ(clicks, 1) << "a press that leaves the label before the release is no click";
}

QImage quarteredPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(QColor(255, 0, 0));
    QPainter painter(&picture);
    painter.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, QColor(0, 0, 255));
    return picture;
}

TEST_F(ControlsTest, ImageDrawsItsPictureUnstretchedAtTheTopLeft)
{
    auto *image = new TImage(&window, {10, 10, 49, 49});
    image->SetPicture(std::make_unique<TIcon>(quarteredPicture(48, 40)));
    window.show();
    const QImage shot = window.grab().toImage();

    EXPECT_EQ(shot.pixelColor(10, 10), QColor(255, 0, 0));
    EXPECT_EQ(shot.pixelColor(10 + 47, 10 + 39), QColor(0, 0, 255)) << "the picture's bottom right corner";
    EXPECT_EQ(shot.pixelColor(10 + 48, 10 + 20), QColor(10, 200, 30)) << "right of the picture: background";
    EXPECT_EQ(shot.pixelColor(10 + 20, 10 + 45), QColor(10, 200, 30)) << "below the picture: background";
}

class FailingPicture : public ImageContent {
public:
    QSize naturalSize() const override { return QSize(5, 5); }
    void drawAt(QPainter &, const QPoint &) const override { throw EInvalidGraphic("JPEG error #42"); }
};

TEST_F(ControlsTest, PictureThatFailsToDrawIsReportedAfterThePaint)
{
    auto *image = new TImage(&window, {0, 0, 20, 20});
    image->SetPicture(std::make_unique<FailingPicture>());
    window.show();
    window.grab();
    EXPECT_TRUE(state.errors().boxes().empty()) << "no box may open inside a paint";
    QApplication::sendPostedEvents();
    QApplication::processEvents();
    ASSERT_FALSE(state.errors().boxes().empty());
    EXPECT_EQ(state.errors().boxes().front().message, QStringLiteral("JPEG error #42"));
}

} // namespace
