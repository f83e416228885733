#include "toolkit/forms/shell_execute.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ShellExecuteTest, HandsEveryArgumentOnAsGiven)
{
    std::vector<ShellRequest> requests;
    const ShellHandler previous = replaceShellHandler([&](const ShellRequest &request) { requests.push_back(request); });
    ShellExecuteA(nullptr, "open", "browser", "https://example.org/", "/", 1);
    replaceShellHandler(previous);

    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].file, "browser");
    EXPECT_EQ(requests[0].parameters, std::optional<std::string>("https://example.org/"));
    EXPECT_EQ(requests[0].directory, std::optional<std::string>("/"));
    EXPECT_EQ(requests[0].showCommand, 1);
}

TEST(ShellExecuteTest, UnknownVerbOpensNothing)
{
    // With the desktop's own handler: refused before anything is started.
    EXPECT_FALSE(ShellExecuteA(nullptr, "print", "manual.chm", nullptr, nullptr, SW_SHOW));
}

} // namespace
