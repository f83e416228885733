#pragma once

#include <string>

// The texts of the report, line by line.
namespace ScanReport {
inline constexpr const char *started = "Scanning started, please wait.";
inline constexpr const char *noSchemeFiles = "Error, empty folder or wrong path.";
inline constexpr const char *directoryReadingError = "Directory reading error.";
inline constexpr const char *finished = "Scan termined.";

// A warning that the names some schemes use were not counted, so a file in
// the list below may be in use after all.
std::string unreadableSchemeFolder(const std::string &path);
std::string unreadableSchemeFile(const std::string &path);
} // namespace ScanReport
