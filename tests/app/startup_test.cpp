#include "about/tform2.h"
#include "app/startup.h"
#include "jpeg/jpeg_registration.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/desktop_recorder.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/forms/qt_native.h"
#include "toolkit/forms/shell_execute.h"
#include "toolkit/forms/tmainmenu.h"

#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <stdexcept>

namespace {

// A window whose building fails with what Raise throws.
template <typename Raise> struct FailingForm : TForm {
    FailingForm() : TForm(TFormLayout{}) { Raise()(); }
};
using BrokenForm = FailingForm<decltype([] { throw Exception("Cannot read the window's picture"); })>;
using StrangeForm = FailingForm<decltype([] { throw 42; })>;
using StandardForm = FailingForm<decltype([] { throw std::runtime_error("disk gone"); })>;

BrokenForm *brokenForm = nullptr;
StrangeForm *strangeForm = nullptr;
StandardForm *standardForm = nullptr;

using StartupTest = MainWindowTest;

TEST_F(StartupTest, StartsBothWindowsShowsTheMainOneAndEndsWithZero)
{
    bool mainShown = false, aboutHidden = false;
    QObject guard;
    QTimer::singleShot(0, &guard, [&] {
        mainShown = Form1 && Form1->Visible();
        aboutHidden = Form2 && !Form2->Visible();
        qtWindow(*Form1)->close();
    });
    EXPECT_EQ(startVorrel(), 0);
    EXPECT_TRUE(mainShown);
    EXPECT_TRUE(aboutHidden);
    EXPECT_EQ(state.application().Title(), "Vorrel");
    EXPECT_EQ(state.application().MainForm(), Form1);
    EXPECT_TRUE(state.errors().empty());
}

struct FailedStart {
    const char *name;
    void (*createForm)();
    const char *message; // the text an event handler's box shows for the same exception
};

void PrintTo(const FailedStart &c, std::ostream *out) { *out << c.name; }

class FailedStartTest : public MainWindowTest, public ::testing::WithParamInterface<FailedStart> {};

TEST_P(FailedStartTest, FormThatFailsWhileCreatedShowsTheErrorNoWindowAndEndsWithZero)
{
    bool loopRan = false;
    QObject guard; // drops the queued step if the test ends early
    QTimer::singleShot(0, &guard, [&] {
        loopRan = true;
        QCoreApplication::exit(0);
    });
    EXPECT_EQ(runGuarded([] {
                  Application->Initialize();
                  Application->SetTitle("Vorrel");
                  Application->CreateForm(Form1);
                  GetParam().createForm();
                  Application->Run();
              }),
              0);
    EXPECT_FALSE(loopRan) << "the event loop must not run after a failed start";
    for (const QWidget *widget : QApplication::topLevelWidgets())
        EXPECT_FALSE(widget->isVisible()) << widget->objectName().toStdString();
    ASSERT_EQ(state.errors().size(), 1u);
    EXPECT_EQ(state.errors()[0].caption, "Vorrel");
    EXPECT_EQ(state.errors()[0].message, GetParam().message);
    EXPECT_EQ(brokenForm, nullptr);
    EXPECT_EQ(strangeForm, nullptr);
    EXPECT_EQ(standardForm, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, FailedStartTest,
    ::testing::Values(FailedStart{"ToolkitException", [] { Application->CreateForm(brokenForm); },
                                  "Cannot read the window's picture"},
                      FailedStart{"StandardException", [] { Application->CreateForm(standardForm); }, "disk gone"},
                      FailedStart{"ForeignException", [] { Application->CreateForm(strangeForm); }, ""}),
    [](const ::testing::TestParamInfo<FailedStart> &info) { return std::string(info.param.name); });

// Both windows as start-up builds them, with shell calls recorded.
class MenuTest : public MainWindowTest {
protected:
    MenuTest()
    {
        state.application().Initialize();
        state.application().CreateForm(Form1);
        state.application().CreateForm(Form2);
    }

    static TMenuItem *menuItem(int index, const char *caption)
    {
        TMenuItem *item = Form1->Help1->Items(index);
        EXPECT_EQ(item->Caption(), caption);
        return item;
    }

    ShellRequestRecorder shell;

private:
    const JPEGSupportScope m_jpegSupport; // the About window's banner needs the class
};


TEST_F(MenuTest, RealShellOpensTheManualInTheWorkingFolderOfTheClickAndOnlyWebAddressesInTheBrowser)
{
    const ShellHandlerOverride realShell{{}};
    const DesktopRecorder desktop({"file", "http", "https"});
    folder.writeFile("later/manual.chm");
    ASSERT_EQ(::chdir((folder / "later").c_str()), 0);
    menuItem(0, "&How To...")->Click();
    for (const char *address : {"file:///etc/passwd", "mailto:a@example.org", "ftp://example.org/", "https://example.org/"})
        ShellExecuteA(nullptr, "open", "iexplore.exe", address, nullptr, SW_SHOW);
    EXPECT_EQ(desktop.opened, (std::vector<QString>{QUrl::fromLocalFile(QString::fromStdString(folder / "later/manual.chm")).toString(),
                                                    "https://example.org/"}));
    EXPECT_TRUE(state.errors().empty());
}

TEST_F(MenuTest, BothWindowsPaintTheButtonFaceAndAboutShowsOneWindowThatClosingHides)
{
    const QPalette palette(QColor(10, 200, 30), QColor(200, 10, 30)); // button, window
    // Spots where no control lies.
    for (const auto &[form, spot] : {std::pair<TForm *, QPoint>{Form1, {600, 400}}, {Form2, {10, 10}}}) {
        qtWindow(*form)->setPalette(palette);
        EXPECT_EQ(qtChildArea(*form)->grab().toImage().pixelColor(spot), QColor(10, 200, 30)) << form->Caption();
    }
    // About shows one window that closing hides, and the main window runs on.
    TForm2 *const first = Form2;
    ASSERT_NE(first, nullptr);
    QMainWindow *const window = qtWindow(*first);
    EXPECT_FALSE(first->Visible()) << "built hidden";
    EXPECT_EQ(window->windowTitle(), QStringLiteral("About"));
    bool loopRanAfterClose = false;
    QObject guard;
    QTimer::singleShot(0, &guard, [&] {
        menuItem(1, "&About...")->Click();
        QApplication::processEvents();
        EXPECT_EQ(window->frameGeometry(), QRect(610, 302, 361, 314));
        window->move(200, 210);
        Form1->About1->Click();
        EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(200, 210)) << "showing again does not move it";
        window->close();
        QTimer::singleShot(0, &guard, [&] {
            loopRanAfterClose = Form1->Visible() && !first->Visible();
            Form1->About1->Click();
            EXPECT_TRUE(first->Visible());
            EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(200, 210));
            qtWindow(*Form1)->close();
        });
    });
    state.application().Run();
    EXPECT_TRUE(loopRanAfterClose);
    EXPECT_EQ(Form2, first);
    const QWidgetList windows = QApplication::topLevelWidgets();
    EXPECT_EQ(std::count_if(windows.begin(), windows.end(), [](QWidget *w) { return w->windowTitle() == "About"; }), 1);
}

} // namespace

