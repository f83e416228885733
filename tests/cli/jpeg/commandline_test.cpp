#include "cli/jpeg/commandline.h"
#include "tests/support/expect_failure.h"

#include <gtest/gtest.h>

namespace {

TEST(JpegToolCommandLine, RefusesWhatTheUsageDoesNotAllow)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "no command"},
        {{"convert", "a", "b"}, "unknown command"},
        {{"--version", "a.jpg"}, "unknown command"},
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
    for (const auto &[words, expected] : cases)
        expectFailure<UsageError>([&] { parseJpegToolCommand(words); }, expected, true);
}

} // namespace
