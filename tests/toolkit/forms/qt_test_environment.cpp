#include "tests/toolkit/forms/qt_test_environment.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

int argumentCount = 1;
char programName[] = "vorrel-tests";
char *arguments[] = {programName, nullptr};

// Qt allows one application per process: made for the first test, removed
// by GoogleTest after the last.
class QtEnvironment : public ::testing::Environment {
public:
    void TearDown() override { application.reset(); }
    std::unique_ptr<QApplication> application;
};

} // namespace

ApplicationFixtureState::ApplicationFixtureState()
{
    static auto *environment = static_cast<QtEnvironment *>(::testing::AddGlobalTestEnvironment(new QtEnvironment));
    if (!environment->application)
        environment->application = std::make_unique<QApplication>(argumentCount, arguments);
    m_previous = TApplication::ReplaceErrorBoxPresenter(
        [boxes = m_boxes](const QString &caption, const QString &message) { boxes->push_back({caption, message}); });
    m_application = std::make_unique<TApplication>(argumentCount, arguments);
}

ApplicationFixtureState::~ApplicationFixtureState()
{
    m_application.reset();
    TApplication::ReplaceErrorBoxPresenter(std::move(m_previous));
}
