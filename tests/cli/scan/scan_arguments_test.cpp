#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/scan/scan_arguments.h"

namespace {

TEST(ScanArguments, ReadsOptionsAnywhereAndTwoFoldersInOrder)
{
    std::string error;
    const auto parsed = parseScanArguments({"--audio-subfolders", "S", "--json", "A", "--schemes-subfolders"}, error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->request.schemesFolder, "S");
    EXPECT_EQ(parsed->request.audioFolder, "A");
    EXPECT_TRUE(parsed->request.schemesSubfolders);
    EXPECT_TRUE(parsed->request.audioSubfolders);
    EXPECT_TRUE(parsed->json);
    EXPECT_TRUE(parsed->request.baseFolder.empty());

    const auto plain = parseScanArguments({"S", "A"}, error);
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->request.schemesSubfolders || plain->request.audioSubfolders || plain->json || plain->help);
    EXPECT_TRUE(parseScanArguments({"--help"}, error).value().help);
}

TEST(ScanArguments, DoubleDashLetsFoldersBeginWithADash)
{
    std::string error;
    const auto parsed = parseScanArguments({"--", "--json", "-"}, error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->request.schemesFolder, "--json");
    EXPECT_EQ(parsed->request.audioFolder, "-");
    EXPECT_FALSE(parsed->json);
}

struct UsageErrorCase {
    const char *label;
    std::vector<std::string> arguments;
    const char *errorMentions;
};

void PrintTo(const UsageErrorCase &c, std::ostream *out)
{
    *out << c.label;
}

class ScanArgumentsUsage : public testing::TestWithParam<UsageErrorCase> {};

TEST_P(ScanArgumentsUsage, RefusesWithAReason)
{
    std::string error;
    EXPECT_FALSE(parseScanArguments(GetParam().arguments, error));
    EXPECT_NE(error.find(GetParam().errorMentions), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ScanArgumentsUsage,
    testing::Values(UsageErrorCase{"NoFolders", {}, "got 0"},
                    UsageErrorCase{"OneFolder", {"S"}, "got 1"},
                    UsageErrorCase{"ThreeFolders", {"S", "A", "B"}, "got 3"},
                    UsageErrorCase{"UnknownOption", {"--recursive", "S", "A"}, "--recursive"},
                    UsageErrorCase{"OptionsOnly", {"--json"}, "got 0"}),
    [](const testing::TestParamInfo<UsageErrorCase> &info) { return std::string(info.param.label); });

} // namespace
