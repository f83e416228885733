#include "tests/support/application_fixture.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/forms/shell_execute.h"
#include "toolkit/forms/tbutton.h"
#include "toolkit/forms/tform.h"

#include <functional>
#include <stdexcept>

namespace {

TEST(HandlerExceptionTest, ClickHandlerFailureIsShownAndTheWindowGoesOn)
{
    const struct {
        std::function<void()> raise;
        bool boxShown;
        const char *message;
    } cases[] = {
        {[] { throw EInvalidGraphic("JPEG error #42"); }, true, "JPEG error #42"},
        {[] { throw std::runtime_error("disk gone"); }, true, "disk gone"},
        {[] { throw 7; }, true, ""},
        {[] { throw EAbort(); }, false, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(&c - cases);
        ApplicationFixtureState state;
        state.application().SetTitle("Vorrel");
        TForm window(TFormLayout{});
        auto *button = new TButton(&window, {0, 0, 50, 20}, "Go");
        int clicks = 0;
        button->OnClick = [&](TObject *) {
            ++clicks;
            c.raise();
        };
        button->Click();
        button->Click();
        EXPECT_EQ(clicks, 2) << "the second click must still reach the handler";
        ASSERT_EQ(state.errors().size(), c.boxShown ? 2u : 0u);
        for (const ShownErrorBox &box : state.errors()) {
            EXPECT_EQ(box.caption, "Vorrel");
            EXPECT_EQ(box.message, c.message);
        }
    }
}

} // namespace

TEST(ShellDocumentStandIn, AMissingManualOpensTheHtmlOneButTheUsersOwnWins)
{
    TestFolder folder;
    folder.writeFile("manual.html", "<html></html>");
    setDocumentStandIn("manual.chm", folder / "manual.html");
    const std::optional<std::string> inFolder = folder.path();
    EXPECT_EQ(documentToOpen("manual.chm", inFolder), folder / "manual.html");
    EXPECT_EQ(documentToOpen("other.chm", inFolder), folder / "other.chm") << "only the named document";
    folder.writeFile("manual.chm", "the user's own");
    EXPECT_EQ(documentToOpen("manual.chm", inFolder), folder / "manual.chm");
    setDocumentStandIn("manual.chm", "");
}
