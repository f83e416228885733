#include "about/tform2.h"
#include "jpeg/jpeg_registration.h"
#include "tests/support/application_fixture.h"
#include "tests/support/desktop_recorder.h"
#include "tests/support/reference_codec.h"
#include "toolkit/forms/shell_execute.h"
#include "toolkit/forms/timage.h"
#include "toolkit/forms/tlabel.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QUrl>

#include <optional>

namespace {

const std::string bannerFile = VORREL_SOURCE_DIR "/about/banner/banner.jpg";

// The About window as start-up builds it, with the JPEG picture class
// registered and every shell call recorded instead of carried out.
class AboutWindowTest : public ::testing::Test {
protected:
    AboutWindowTest()
    {
        state.application().Initialize();
        state.application().CreateForm(Form2);
        Form2->SetVisible(true);
    }

    ShellRequestRecorder shell;
    ApplicationFixtureState state;
    const JPEGSupportScope jpegSupport;
};

TEST_F(AboutWindowTest, LabelsShowTheirTextsAndLinksLookLikeLinks)
{
    const struct {
        TLabel *label;
        QString text;
        bool link;
    } rows[] = {
        {Form2->Label1, "Ogg-Wav Audio File Scanner, for Thief - Deadly Shadows Editors", false},
        {Form2->Label2, "Written by the Vorrel authors", false},
        {Form2->Label3, "vorrel@example.org", true},
        {Form2->Label4, "e-mail:", false},
        {Form2->Label5, "http://www.example.com/", true},
        {Form2->Label6, "http://www.example.net/", true},
        {Form2->Label7, "This program is powered by:", false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text.toStdString());
        EXPECT_EQ(row.label->text(), row.text);
        EXPECT_GE(row.label->width(), QFontMetrics(row.label->font()).horizontalAdvance(row.text)) << "sized to its text";
        EXPECT_EQ(row.label->font().underline(), row.link);
        // What is painted counts, not the palette: a label takes its text
        // colour from whichever role the background makes its foreground.
        const QImage painted = row.label->grab().toImage();
        bool blueText = false;
        for (int y = 0; y < painted.height() && !blueText; ++y)
            for (int x = 0; x < painted.width() && !blueText; ++x)
                blueText = painted.pixelColor(x, y) == QColor(0, 0, 255);
        EXPECT_EQ(blueText, row.link);
        EXPECT_EQ(row.label->cursor().shape(), row.link ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
    EXPECT_LT(Form2->Label4->geometry().right(), Form2->Label3->x()) << "\"e-mail:\" ends before the address begins";
    EXPECT_EQ(Form2->Image1->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(Form2->menuWidget(), nullptr);
    EXPECT_FALSE(Form2->windowIcon().isNull());
}

TEST_F(AboutWindowTest, EachLinkMakesOneShellCallPerClickAndPlainLabelsNone)
{
    const struct {
        QWidget *control;
        std::optional<std::string> file; // nothing: a plain label
        std::optional<std::string> parameters;
    } rows[] = {
        {Form2->Label3, "mailto:" + Form2->Label3->text().toStdString(), std::nullopt},
        {Form2->Label5, "iexplore.exe", Form2->Label5->text().toStdString()},
        {Form2->Label6, "iexplore.exe", Form2->Label6->text().toStdString()},
        {Form2->Image1, "iexplore.exe", Form2->Label6->text().toStdString()}, // the banner is the community link
        {Form2->Label1, std::nullopt, std::nullopt},
        {Form2->Label2, std::nullopt, std::nullopt},
        {Form2->Label4, std::nullopt, std::nullopt},
        {Form2->Label7, std::nullopt, std::nullopt},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(&row - rows);
        shell.requests.clear();
        QTest::mouseClick(row.control, Qt::LeftButton);
        QTest::mouseClick(row.control, Qt::LeftButton);
        ASSERT_EQ(shell.requests.size(), row.file ? 2u : 0u);
        for (const ShellRequest &request : shell.requests) {
            EXPECT_EQ(request.owner, nullptr);
            EXPECT_EQ(request.verb, std::optional<std::string>("open"));
            EXPECT_EQ(request.file, *row.file);
            EXPECT_EQ(request.parameters, row.parameters);
            EXPECT_EQ(request.directory, std::optional<std::string>("/"));
            EXPECT_EQ(request.showCommand, SW_SHOW);
        }
        EXPECT_TRUE(Form2->isVisible()) << "a click leaves the window open";
    }
    EXPECT_TRUE(state.errors().empty());
}

TEST_F(AboutWindowTest, LinksReachTheDesktopsMailProgramAndWebBrowser)
{
    const DesktopRecorder desktop({"mailto", "http", "https"});
    const ShellHandlerOverride desktopsOwn({});
    for (QWidget *control : std::initializer_list<QWidget *>{Form2->Label3, Form2->Label5, Form2->Label6, Form2->Image1})
        QTest::mouseClick(control, Qt::LeftButton);

    EXPECT_EQ(desktop.opened, (std::vector<QString>{"mailto:vorrel@example.org", "http://www.example.com/",
                                                    "http://www.example.net/", "http://www.example.net/"}));
}

TEST_F(AboutWindowTest, PaintedBannerEqualsTheReferenceDecodeAndLeavesBackgroundStrips)
{
    TestFolder folder;
    // The picture decodes with the floating-point transform by default.
    runReference("djpeg", {"-dct", "float", "-pnm"}, bannerFile, folder / "banner.ppm");
    const QImage expected(QString::fromStdString(folder / "banner.ppm"));
    ASSERT_EQ(expected.size(), QSize(303, 93));

    const QImage painted = Form2->client()->grab(Form2->Image1->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(painted.size(), QSize(305, 97));
    QImage wanted(painted.size(), QImage::Format_RGB32); // the picture at the top left, background strips around
    wanted.fill(Form2->client()->palette().color(QPalette::Button));
    QPainter(&wanted).drawImage(0, 0, expected.convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(painted == wanted);
}

} // namespace

