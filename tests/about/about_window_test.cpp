#include "about/tform2.h"
#include "jpeg/jpeg_registration.h"
#include "tests/support/application_fixture.h"
#include "tests/support/desktop_recorder.h"
#include "tests/support/reference_codec.h"
#include "toolkit/forms/qt_native.h"
#include "toolkit/forms/shell_execute.h"
#include "toolkit/forms/timage.h"
#include "toolkit/forms/tlabel.h"

#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
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

TEST_F(AboutWindowTest, LinksLookLikeLinksAndMakeOneShellCallPerClickThatReachesTheDesktopAndPlainLabelsNone)
{
    const std::string browser = "iexplore.exe", community = "http://www.example.net/";
    const struct {
        TControl *control;
        std::string text;                             // of a label
        std::optional<std::string> file, parameters;  // file: nothing for a plain label
    } rows[] = {
        {Form2->Label1, "Ogg-Wav Audio File Scanner, for Thief - Deadly Shadows Editors", {}, {}},
        {Form2->Label2, "Written by the Vorrel authors", {}, {}},
        {Form2->Label3, "vorrel@example.org", "mailto:vorrel@example.org", {}},
        {Form2->Label4, "e-mail:", {}, {}},
        {Form2->Label5, "http://www.example.com/", browser, "http://www.example.com/"},
        {Form2->Label6, "http://www.example.net/", browser, community},
        {Form2->Label7, "This program is powered by:", {}, {}},
        {Form2->Image1, "", browser, community}, // the banner is the community link
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(&row - rows);
        const bool link = row.file.has_value();
        QWidget *widget = qtWidget(*row.control);
        if (const auto *label = dynamic_cast<const TLabel *>(row.control)) {
            EXPECT_EQ(qtWidgetAs<QLabel>(*label)->text().toStdString(), row.text);
            EXPECT_GE(label->Bounds().width, QFontMetrics(widget->font()).horizontalAdvance(qtText(row.text)))
                << "sized to its text";
            EXPECT_EQ(widget->font().underline(), link);
            // What is painted counts, not the palette: a label takes its text
            // colour from whichever role the background makes its foreground.
            const QImage painted = widget->grab().toImage();
            bool blueText = false;
            for (int y = 0; y < painted.height() && !blueText; ++y)
                for (int x = 0; x < painted.width() && !blueText; ++x)
                    blueText = painted.pixelColor(x, y) == QColor(0, 0, 255);
            EXPECT_EQ(blueText, link);
        }
        EXPECT_EQ(widget->cursor().shape(), link ? Qt::PointingHandCursor : Qt::ArrowCursor);
        shell.requests.clear();
        QTest::mouseClick(widget, Qt::LeftButton);
        QTest::mouseClick(widget, Qt::LeftButton);
        ASSERT_EQ(shell.requests.size(), link ? 2u : 0u);
        for (const ShellRequest &request : shell.requests) {
            EXPECT_EQ(request.owner, nullptr);
            EXPECT_EQ(request.verb, std::optional<std::string>("open"));
            EXPECT_EQ(request.file, *row.file);
            EXPECT_EQ(request.parameters, row.parameters);
            EXPECT_EQ(request.directory, std::optional<std::string>("/"));
            EXPECT_EQ(request.showCommand, SW_SHOW);
        }
        EXPECT_TRUE(Form2->Visible()) << "a click leaves the window open";
    }
    EXPECT_LE(Form2->Label4->Bounds().left + Form2->Label4->Bounds().width, Form2->Label3->Bounds().left)
        << "\"e-mail:\" ends before the address begins";
    EXPECT_EQ(qtWindow(*Form2)->menuWidget(), nullptr);
    EXPECT_FALSE(qtWindow(*Form2)->windowIcon().isNull());
    EXPECT_TRUE(state.errors().empty());
    // Through the desktop's own handler the links reach its mail program and web browser.
    const DesktopRecorder desktop({"mailto", "http", "https"});
    const ShellHandlerOverride desktopsOwn({});
    for (const auto &row : rows)
        if (row.file)
            QTest::mouseClick(qtWidget(*row.control), Qt::LeftButton);
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

    const QImage painted =
        qtChildArea(*Form2)->grab(qtWidget(*Form2->Image1)->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(painted.size(), QSize(305, 97));
    QImage wanted(painted.size(), QImage::Format_RGB32); // the picture at the top left, background strips around
    wanted.fill(qtChildArea(*Form2)->palette().color(QPalette::Button));
    QPainter(&wanted).drawImage(0, 0, expected.convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(painted == wanted);
}

} // namespace

