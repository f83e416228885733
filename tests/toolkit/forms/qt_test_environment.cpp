#include "tests/toolkit/forms/qt_test_environment.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

int argumentCount = 1;
char programName[] = "vorrel-tests";
char *arguments[] = {programName, nullptr};

// Owns the Qt application; GoogleTest removes it after the last test.
class QtEnvironment : public ::testing::Environment {
public:
    void TearDown() override { application.reset(); }
    std::unique_ptr<QApplication> application;
};

QtEnvironment &environment()
{
    static QtEnvironment *registered =
        static_cast<QtEnvironment *>(::testing::AddGlobalTestEnvironment(new QtEnvironment));
    return *registered;
}

} // namespace

QApplication &testQApplication()
{
    if (!environment().application)
        environment().application = std::make_unique<QApplication>(argumentCount, arguments);
    return *environment().application;
}

ErrorBoxRecorder::ErrorBoxRecorder()
    : m_boxes(std::make_shared<std::vector<ShownErrorBox>>())
{
    m_previous = TApplication::ReplaceErrorBoxPresenter(
        [boxes = m_boxes](const QString &caption, const QString &message) { boxes->push_back({caption, message}); });
}

ErrorBoxRecorder::~ErrorBoxRecorder()
{
    TApplication::ReplaceErrorBoxPresenter(std::move(m_previous));
}

ApplicationFixtureState::ApplicationFixtureState()
{
    testQApplication();
    m_application = std::make_unique<TApplication>(argumentCount, arguments);
}

int visibleTopLevelWindows()
{
    int visible = 0;
    for (const QWidget *widget : QApplication::topLevelWidgets())
        visible += widget->isVisible() ? 1 : 0;
    return visible;
}
