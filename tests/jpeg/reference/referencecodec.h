#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The reference encoder and decoder (cjpeg and djpeg of the JPEG library's
// tool set), run as separate programs. Each call throws std::runtime_error
// with the command line when the program is missing or fails.

// Runs `program` with `arguments` (no shell), waits, returns its exit status
// (-1 when it could not be started or did not exit normally).
int runProgram(const std::string &program, const std::vector<std::string> &arguments);

// cjpeg OPTIONS -outfile OUTPUT INPUT
void encodeWithReference(const std::vector<std::string> &options, const std::filesystem::path &input,
                         const std::filesystem::path &output);
// djpeg OPTIONS -outfile OUTPUT INPUT
void decodeWithReference(const std::vector<std::string> &options, const std::filesystem::path &input,
                         const std::filesystem::path &output);

// Whole file as bytes; throws when it cannot be read.
std::vector<unsigned char> readFileBytes(const std::filesystem::path &path);
void writeFileBytes(const std::filesystem::path &path, const std::vector<unsigned char> &bytes);
