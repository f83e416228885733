#include "tests/support/qt_application.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>
#include <memory>

namespace {

int argumentCount = 1;
char programName[] = "vorrel-tests";
char *arguments[] = {programName, nullptr};

struct QtEnvironment : testing::Environment {
    void SetUp() override { testApplication(); }
    void TearDown() override { application.reset(); }
    std::unique_ptr<QApplication> application;
};

QtEnvironment &environment()
{
    // GoogleTest owns the environment and deletes it after the last test.
    static auto *registered = static_cast<QtEnvironment *>(testing::AddGlobalTestEnvironment(new QtEnvironment));
    return *registered;
}

} // namespace

QApplication &testApplication()
{
    QtEnvironment &qt = environment();
    if (!qt.application) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        qt.application = std::make_unique<QApplication>(argumentCount, arguments);
    }
    return *qt.application;
}

bool needsQtApplication()
{
    environment();
    return true;
}
