#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// The command line of vorrel-jpeg:
//   vorrel-jpeg decode IN.jpg OUT.bmp [--scale 1|2|4|8] [--gray] [--depth 8|24]
//                                     [--fast] [--no-smoothing] [--progressive-view]
//   vorrel-jpeg encode IN.bmp OUT.jpg [--quality N] [--gray] [--progressive]
//   vorrel-jpeg --help | --version
// Options not given keep the process-wide picture defaults.

enum class JpegToolMode { Decode, Encode, Help, Version };

struct JpegToolCommand {
    JpegToolMode mode = JpegToolMode::Decode;
    std::string input;
    std::string output;
    // Decoding choices.
    std::optional<int> scaleDenominator; // 1, 2, 4 or 8
    std::optional<int> depthBits;        // 8 or 24
    bool fast = false;
    bool noSmoothing = false;
    bool progressiveView = false;
    // Encoding choices.
    std::optional<int> quality; // 1..100
    bool progressive = false;
    // Both.
    bool gray = false;
};

// A command line that does not follow the usage; the message says what is wrong.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Parses the words after the program name. Throws UsageError.
JpegToolCommand parseJpegToolCommand(const std::vector<std::string> &arguments);

// The usage text printed with a usage error and by --help.
std::string jpegToolUsage();
