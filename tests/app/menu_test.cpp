#include "about/tform2.h"
#include "jpeg/jpegregistration.h"
#include "tests/app/main_window_fixture.h"
#include "toolkit/forms/shell_execute.h"
#include "toolkit/forms/tmainmenu.h"

#include <QAction>
#include <QApplication>
#include <QTimer>

namespace {

class MenuTest : public MainWindowTest {
protected:
    MenuTest()
    {
        m_previousShell = replaceShellHandler([this](const ShellRequest &request) { shellRequests.push_back(request); });
        state.application().Initialize();
        state.application().SetTitle(QStringLiteral("Vorrel"));
        state.application().CreateForm(Form1);
        state.application().CreateForm(Form2);
    }
    ~MenuTest() override { replaceShellHandler(std::move(m_previousShell)); }

    int aboutWindows() const
    {
        int count = 0;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (dynamic_cast<TForm2 *>(widget))
                ++count;
        }
        return count;
    }

    std::vector<ShellRequest> shellRequests;

private:
    ShellHandler m_previousShell;
    const JPEGSupportScope m_jpegSupport; // the About window's banner needs the class
};

TEST_F(MenuTest, HowToHandsTheShellTheManualWithoutAFolder)
{
    Form1->SearchforHelpOn1->action()->trigger();
    ASSERT_EQ(shellRequests.size(), 1u);
    const ShellRequest &request = shellRequests.front();
    EXPECT_EQ(request.owner, nullptr);
    EXPECT_EQ(request.verb, std::optional<std::string>("open"));
    EXPECT_EQ(request.file, "manual.chm");
    EXPECT_FALSE(request.parameters.has_value());
    EXPECT_FALSE(request.directory.has_value());
    EXPECT_EQ(request.showCommand, 5);
    EXPECT_TRUE(state.errors().boxes().empty()) << "a missing manual is not the program's to report";
}

TEST_F(MenuTest, AboutTwiceLeavesOneWindowNotRecreated)
{
    TForm2 *const first = Form2;
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(first->isVisible()) << "built hidden";
    EXPECT_EQ(first->windowTitle(), QStringLiteral("About"));
    Form1->About1->action()->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->frameGeometry(), QRect(610, 302, 361, 314));
    first->move(100, 120);
    Form1->About1->action()->trigger();
    EXPECT_EQ(Form2, first);
    EXPECT_EQ(aboutWindows(), 1);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->frameGeometry().topLeft(), QPoint(100, 120)) << "showing again does not move it";
}

TEST_F(MenuTest, ClosingTheAboutWindowHidesItAndTheMainWindowRunsOn)
{
    bool loopRanAfterClose = false;
    bool shownAgainInPlace = false;
    QObject guard; // drops the queued steps if the test ends early
    QTimer::singleShot(0, &guard, [&] {
        Form1->About1->action()->trigger();
        Form2->move(200, 210);
        Form2->close();
        QTimer::singleShot(0, &guard, [&] {
            loopRanAfterClose = Form1->isVisible() && !Form2->isVisible();
            Form1->About1->action()->trigger();
            shownAgainInPlace = Form2->isVisible() && Form2->frameGeometry().topLeft() == QPoint(200, 210);
            Form1->close();
        });
    });
    state.application().Run();
    EXPECT_TRUE(loopRanAfterClose);
    EXPECT_TRUE(shownAgainInPlace);
    EXPECT_EQ(aboutWindows(), 1);
}

TEST_F(MenuTest, ClosingTheMainWindowWhileAboutIsOpenEndsTheLoop)
{
    QObject guard;
    QTimer::singleShot(0, &guard, [&] {
        Form1->About1->action()->trigger();
        Form1->close();
    });
    state.application().Run(); // returning at all is the check
    EXPECT_FALSE(Form1->isVisible());
}

} // namespace
