#include "tests/toolkit/forms/qt_test_environment.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/forms/tapplication.h"
#include "toolkit/forms/tbutton.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

struct HandlerFailure {
    const char *name;
    std::function<void()> raise;
    bool boxShown;
    const char *message;
};

void PrintTo(const HandlerFailure &failure, std::ostream *out)
{
    *out << failure.name;
}

class HandlerExceptionTest : public ::testing::TestWithParam<HandlerFailure> {
protected:
    ApplicationFixtureState state;
};

TEST_P(HandlerExceptionTest, ClickHandlerFailureIsShownAndTheWindowGoesOn)
{
    state.application().SetTitle(QStringLiteral("Vorrel"));
    QWidget window;
    auto *button = new TButton(&window, {0, 0, 50, 20}, QStringLiteral("Go"));
    int clicks = 0;
    button->OnClick = [&](TObject *) {
        ++clicks;
        GetParam().raise();
    };

    button->click();
    button->click();

    EXPECT_EQ(clicks, 2) << "the second click must still reach the handler";
    const auto &boxes = state.errors().boxes();
    if (!GetParam().boxShown) {
        EXPECT_TRUE(boxes.empty());
        return;
    }
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Vorrel"));
    EXPECT_EQ(boxes[0].message, QString::fromUtf8(GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(
    Failures, HandlerExceptionTest,
    ::testing::Values(
        HandlerFailure{"ToolkitException", [] { throw EInvalidGraphic("JPEG error #42"); }, true, "JPEG error #42"},
        HandlerFailure{"StandardException", [] { throw std::runtime_error("disk gone"); }, true, "disk gone"},
        HandlerFailure{"AnythingElse", [] { throw 7; }, true, ""},
        HandlerFailure{"SilentAbort", [] { throw EAbort(); }, false, ""}),
    [](const ::testing::TestParamInfo<HandlerFailure> &info) { return std::string(info.param.name); });

} // namespace
