#include "cli/jpeg/commandline.h"

#include <gtest/gtest.h>

namespace {

using Words = std::vector<std::string>;

TEST(JpegToolCommandLine, DecodeTakesEveryOption)
{
    const JpegToolCommand command = parseJpegToolCommand(
        {"decode", "in.jpg", "out.bmp", "--scale", "4", "--gray", "--depth", "8", "--fast", "--no-smoothing",
         "--progressive-view"});
    EXPECT_EQ(command.mode, JpegToolMode::Decode);
    EXPECT_EQ(command.input, "in.jpg");
    EXPECT_EQ(command.output, "out.bmp");
    EXPECT_EQ(command.scaleDenominator, 4);
    EXPECT_EQ(command.depthBits, 8);
    EXPECT_TRUE(command.gray);
    EXPECT_TRUE(command.fast);
    EXPECT_TRUE(command.noSmoothing);
    EXPECT_TRUE(command.progressiveView);
}

TEST(JpegToolCommandLine, EncodeTakesEveryOptionAndFilesMayFollowOptions)
{
    const JpegToolCommand command =
        parseJpegToolCommand({"encode", "--quality", "75", "--progressive", "in.bmp", "--gray", "out.jpg"});
    EXPECT_EQ(command.mode, JpegToolMode::Encode);
    EXPECT_EQ(command.input, "in.bmp");
    EXPECT_EQ(command.output, "out.jpg");
    EXPECT_EQ(command.quality, 75);
    EXPECT_TRUE(command.progressive);
    EXPECT_TRUE(command.gray);
}

TEST(JpegToolCommandLine, OptionsNotGivenStayUnset)
{
    const JpegToolCommand command = parseJpegToolCommand({"decode", "a.jpg", "b.bmp"});
    EXPECT_FALSE(command.scaleDenominator.has_value());
    EXPECT_FALSE(command.depthBits.has_value());
    EXPECT_FALSE(command.quality.has_value());
    EXPECT_FALSE(command.gray || command.fast || command.noSmoothing || command.progressiveView);
}

TEST(JpegToolCommandLine, RefusesWhatTheUsageDoesNotAllow)
{
    const std::vector<std::pair<Words, std::string>> cases = {
        {{}, "no command"},
        {{"convert", "a", "b"}, "unknown command"},
        {{"decode", "a.jpg"}, "needs an input file and an output file"},
        {{"decode", "a.jpg", "b.bmp", "c"}, "needs an input file and an output file"},
        {{"decode", "a.jpg", "b.bmp", "--scale", "3"}, "--scale must be 1, 2, 4 or 8"},
        {{"decode", "a.jpg", "b.bmp", "--scale"}, "--scale needs a value"},
        {{"decode", "a.jpg", "b.bmp", "--depth", "16"}, "--depth must be 8 or 24"},
        {{"decode", "a.jpg", "b.bmp", "--depth", "8x"}, "needs a whole number"},
        {{"decode", "a.jpg", "b.bmp", "--quality", "50"}, "unknown option for decode"},
        {{"encode", "a.bmp", "b.jpg", "--quality", "0"}, "between 1 and 100"},
        {{"encode", "a.bmp", "b.jpg", "--quality", "101"}, "between 1 and 100"},
        {{"encode", "a.bmp", "b.jpg", "--quality", ""}, "needs a whole number"},
        {{"encode", "a.bmp", "b.jpg", "--fast"}, "unknown option for encode"},
    };
    for (const auto &[words, expected] : cases) {
        try {
            parseJpegToolCommand(words);
            ADD_FAILURE() << "accepted a command line that should fail with: " << expected;
        } catch (const UsageError &error) {
            EXPECT_NE(std::string(error.what()).find(expected), std::string::npos)
                << "message \"" << error.what() << "\" lacks \"" << expected << "\"";
        }
    }
}

} // namespace
