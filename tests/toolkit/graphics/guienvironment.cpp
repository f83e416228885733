// One QGuiApplication for the whole test program (the clipboard, screens and
// painting need it), on the offscreen platform unless one is chosen already.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include <cstdlib>
#include <memory>

namespace {

class GuiEnvironment : public testing::Environment {
    void SetUp() override
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        m_application = std::make_unique<QGuiApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_application.reset(); }

    int m_argc = 1;
    char m_name[16] = "vorrel-tests";
    char *m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QGuiApplication> m_application;
};

const testing::Environment *const guiEnvironment = testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace
