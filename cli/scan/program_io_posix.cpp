#include "cli/scan/program_io.h"

#include <cstdio>

namespace {

bool writeAll(std::FILE *stream, std::string_view text)
{
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size() && std::fflush(stream) == 0;
}

} // namespace

std::vector<std::string> programArguments(int argc, char **argv)
{
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

bool writeStandardOutput(std::string_view text)
{
    return writeAll(stdout, text);
}

bool writeStandardError(std::string_view text)
{
    return writeAll(stderr, text);
}
