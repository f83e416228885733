#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/filesystem/file_operations.h"

// One file moved aside: where it was, where it is now (relative to the
// quarantine folder, so the folder may itself be moved), and its stamp.
struct QuarantinedFile {
    std::string originalPath;     // absolute
    std::string quarantinedPath;  // relative to the quarantine folder, '/'-separated
    std::uintmax_t size = 0;
    std::int64_t modifiedNanoseconds = 0;
};

// The record a quarantine folder keeps of what was moved into it.
struct QuarantineManifest {
    static constexpr int currentFormatVersion = 1;
    static constexpr const char *fileName = "vorrel-moved-sounds.json";

    int formatVersion = currentFormatVersion;
    std::string programVersion;
    std::string created;  // UTC, ISO 8601
    std::string schemesFolder;
    std::string audioFolder;
    bool schemesSubfolders = false;
    bool audioSubfolders = false;
    std::vector<QuarantinedFile> files;
};

// The manifest as JSON text, one line per file. Names that are not UTF-8 are
// kept byte for byte in a "...Hex" field beside the readable one.
std::string manifestToText(const QuarantineManifest &manifest);

// The text of a manifest that changes one file at a time, each file's line
// made once: rewriting the manifest after every file then costs a copy of
// its text, not a new rendering of every entry.
class ManifestText {
public:
    // The header of `manifest` and its files.
    explicit ManifestText(const QuarantineManifest &manifest);

    void append(const QuarantinedFile &file);
    void erase(std::size_t index);
    void popBack() { m_entries.pop_back(); }
    bool empty() const { return m_entries.empty(); }
    std::string text() const;

private:
    std::string m_head;
    std::vector<std::string> m_entries;
};

// Reads a manifest back. Returns an empty string on success, else why the
// text is not a manifest this program can restore from (not JSON, a newer
// format, a field missing or of the wrong kind, a quarantined path that
// would leave the quarantine folder, an original path that is not absolute).
std::string manifestFromText(const std::string &text, QuarantineManifest &manifest);

// The current time as the manifest records it.
std::string currentUtcTime();
