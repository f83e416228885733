// One QGuiApplication for the whole test program (the clipboard, screens and
// painting need it), on the offscreen platform unless one is chosen already.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include <cstdlib>
#include <memory>

namespace {

int argc = 1;
char name[] = "vorrel-tests", *argv[] = {name, nullptr};

struct GuiEnvironment : testing::Environment {
    void SetUp() override
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { application.reset(); }
    std::unique_ptr<QGuiApplication> application;
};

const testing::Environment *const guiEnvironment = testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace
