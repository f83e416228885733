#include "about/tform2.h"
#include "app/startup.h"
#include "tests/app/main_window_fixture.h"
#include "toolkit/core/exceptions.h"

#include <QApplication>
#include <QTimer>

#include <stdexcept>

namespace {

class BrokenForm : public TForm {
public:
    BrokenForm() : TForm(TFormLayout{}) { throw Exception("Cannot read the window's picture"); }
};

class StrangeForm : public TForm {
public:
    StrangeForm() : TForm(TFormLayout{}) { throw 42; }
};

BrokenForm *brokenForm = nullptr;
StrangeForm *strangeForm = nullptr;

class StartupTest : public MainWindowTest {};

TEST_F(StartupTest, StartsBothWindowsShowsTheMainOneAndEndsWithZero)
{
    bool mainShown = false;
    bool aboutHidden = false;
    QObject guard;
    QTimer::singleShot(0, &guard, [&] {
        mainShown = Form1 && Form1->isVisible();
        aboutHidden = Form2 && !Form2->isVisible();
        Form1->close();
    });
    EXPECT_EQ(startVorrel(), 0);
    EXPECT_TRUE(mainShown);
    EXPECT_TRUE(aboutHidden);
    EXPECT_EQ(state.application().Title(), QStringLiteral("Vorrel"));
    EXPECT_TRUE(state.application().HelpFile().endsWith(QStringLiteral("/manual.chm")));
    EXPECT_EQ(state.application().MainForm(), Form1);
    EXPECT_TRUE(state.errors().boxes().empty());
}

TEST_F(StartupTest, FormThatFailsWhileCreatedShowsTheErrorAndNoWindow)
{
    bool loopRan = false;
    QObject guard;
    QTimer::singleShot(0, &guard, [&] {
        loopRan = true;
        QCoreApplication::exit(0);
    });
    const int exitCode = runGuarded([] {
        Application->Initialize();
        Application->SetTitle(QStringLiteral("Vorrel"));
        Application->CreateForm(Form1);
        Application->CreateForm(brokenForm);
        Application->Run();
    });
    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(loopRan) << "the event loop must not run after a failed start";
    EXPECT_EQ(visibleTopLevelWindows(), 0);
    ASSERT_EQ(state.errors().boxes().size(), 1u);
    EXPECT_EQ(state.errors().boxes()[0].caption, QStringLiteral("Vorrel"));
    EXPECT_EQ(state.errors().boxes()[0].message, QStringLiteral("Cannot read the window's picture"));
    EXPECT_EQ(brokenForm, nullptr);
}

TEST_F(StartupTest, ForeignExceptionAtStartShowsAnEmptyMessage)
{
    const int exitCode = runGuarded([] {
        Application->SetTitle(QStringLiteral("Vorrel"));
        Application->CreateForm(strangeForm);
    });
    EXPECT_EQ(exitCode, 0);
    ASSERT_EQ(state.errors().boxes().size(), 1u);
    EXPECT_EQ(state.errors().boxes()[0].caption, QStringLiteral("Vorrel"));
    EXPECT_EQ(state.errors().boxes()[0].message, QString());
}

} // namespace
