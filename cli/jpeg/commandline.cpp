#include "cli/jpeg/commandline.h"

#include <charconv>

namespace {

int parseNumber(const std::string &option, const std::string &text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        throw UsageError(option + " needs a whole number, not \"" + text + "\"");
    return value;
}

// The value after an option that takes one; advances the index past it.
const std::string &optionValue(const std::vector<std::string> &arguments, std::size_t &index)
{
    if (index + 1 >= arguments.size())
        throw UsageError(arguments[index] + " needs a value");
    return arguments[++index];
}

void parseDecodeOption(const std::vector<std::string> &arguments, std::size_t &index, JpegToolCommand &command)
{
    const std::string &option = arguments[index];
    if (option == "--scale") {
        const int denominator = parseNumber(option, optionValue(arguments, index));
        if (denominator != 1 && denominator != 2 && denominator != 4 && denominator != 8)
            throw UsageError("--scale must be 1, 2, 4 or 8");
        command.scaleDenominator = denominator;
    } else if (option == "--depth") {
        const int bits = parseNumber(option, optionValue(arguments, index));
        if (bits != 8 && bits != 24)
            throw UsageError("--depth must be 8 or 24");
        command.depthBits = bits;
    } else if (option == "--fast") {
        command.fast = true;
    } else if (option == "--no-smoothing") {
        command.noSmoothing = true;
    } else if (option == "--progressive-view") {
        command.progressiveView = true;
    } else if (option == "--gray") {
        command.gray = true;
    } else {
        throw UsageError("unknown option for decode: " + option);
    }
}

void parseEncodeOption(const std::vector<std::string> &arguments, std::size_t &index, JpegToolCommand &command)
{
    const std::string &option = arguments[index];
    if (option == "--quality") {
        const int quality = parseNumber(option, optionValue(arguments, index));
        if (quality < 1 || quality > 100)
            throw UsageError("--quality must lie between 1 and 100");
        command.quality = quality;
    } else if (option == "--progressive") {
        command.progressive = true;
    } else if (option == "--gray") {
        command.gray = true;
    } else {
        throw UsageError("unknown option for encode: " + option);
    }
}

} // namespace

JpegToolCommand parseJpegToolCommand(const std::vector<std::string> &arguments)
{
    if (arguments.empty())
        throw UsageError("no command given");
    JpegToolCommand command;
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "--version")) {
        command.mode = arguments[0] == "--help" ? JpegToolMode::Help : JpegToolMode::Version;
        return command;
    }
    if (arguments[0] == "decode")
        command.mode = JpegToolMode::Decode;
    else if (arguments[0] == "encode")
        command.mode = JpegToolMode::Encode;
    else
        throw UsageError("unknown command \"" + arguments[0] + "\"");

    std::vector<std::string> files;
    for (std::size_t index = 1; index < arguments.size(); ++index) {
        const std::string &word = arguments[index];
        if (word.size() > 2 && word.rfind("--", 0) == 0) {
            if (command.mode == JpegToolMode::Decode)
                parseDecodeOption(arguments, index, command);
            else
                parseEncodeOption(arguments, index, command);
        } else {
            files.push_back(word);
        }
    }
    if (files.size() != 2)
        throw UsageError(arguments[0] + " needs an input file and an output file");
    command.input = files[0];
    command.output = files[1];
    return command;
}

std::string jpegToolUsage()
{
    return "usage: vorrel-jpeg decode IN.jpg OUT.bmp [--scale 1|2|4|8] [--gray] [--depth 8|24]\n"
           "                          [--fast] [--no-smoothing] [--progressive-view]\n"
           "       vorrel-jpeg encode IN.bmp OUT.jpg [--quality N] [--gray] [--progressive]\n"
           "       vorrel-jpeg --help | --version\n";
}
