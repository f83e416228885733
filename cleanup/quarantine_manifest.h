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
// made once. The text up to the end of an entry stays the same while only
// later entries change, so a file holding an earlier version can be brought
// up to date by rewriting what follows the entries both share.
class ManifestText {
public:
    // The header of `manifest` and its files.
    explicit ManifestText(const QuarantineManifest &manifest);

    void append(const QuarantinedFile &file);
    void erase(std::size_t index);
    void popBack() { erase(m_entries.size() - 1); }
    bool empty() const { return m_entries.empty(); }
    std::size_t size() const { return m_entries.size(); }
    std::string text() const { return m_head + textAfter(0); }

    // The length of the text up to the end of the first `entries` entries.
    std::size_t lengthThrough(std::size_t entries) const { return entries == 0 ? m_head.size() : m_ends[entries - 1]; }
    // The text that follows the first `entries` entries, to its end.
    std::string textAfter(std::size_t entries) const;

private:
    void renumberFrom(std::size_t index);

    std::string m_head;  // up to and with the opening of the file list
    std::vector<std::string> m_entries;
    std::vector<std::size_t> m_ends;  // lengthThrough(i + 1)
};

// Reads a manifest back. Returns an empty string on success, else why the
// text is not a manifest this program can restore from (not JSON, a newer
// format, a field missing or of the wrong kind, a quarantined path that
// would leave the quarantine folder, an original path that is not absolute).
std::string manifestFromText(const std::string &text, QuarantineManifest &manifest);

// The current time as the manifest records it.
std::string currentUtcTime();
