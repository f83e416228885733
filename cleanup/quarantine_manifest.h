#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/filesystem/file_operations.h"

// One step a move recorded in its manifest: a file moved aside, or a folder
// the move made inside the quarantine folder. The manifest lists the steps
// in the order they were taken, so a restore undoes them backwards: the
// files of a folder come back before the folder goes.
struct QuarantinedFile {
    std::string originalPath;     // absolute; empty for a folder
    std::string quarantinedPath;  // relative to the quarantine folder, '/'-separated
    std::uintmax_t size = 0;      // a link's: the length of its target text
    std::int64_t modifiedNanoseconds = 0;
    bool folder = false;          // a folder the move made, not a file
    bool link = false;            // a symbolic link, moved as the link itself
    // False while the move is only intended: the record is written before the
    // file leaves its place, and marked done once it is in the quarantine
    // folder. Either way the file is whole at one of the two places.
    bool done = true;
    // The name (no folder) of the temporary copy a move or restore across
    // file systems makes beside the destination, unique to that run; empty
    // when none was made. Only such a recorded name is ever cleaned up.
    std::string temporary;
};

// The entry for a folder the move made, `relative` to the quarantine folder.
QuarantinedFile createdFolderEntry(const std::string &relative);

// The record a quarantine folder keeps of what was moved into it.
struct QuarantineManifest {
    // 1: moved files only, written after each move. 2: intents, the folders
    // made, temporary names.
    static constexpr int currentFormatVersion = 2;
    static constexpr const char *fileName = "vorrel-moved-sounds.json";
    // A manifest file is read whole; anything bigger is not one of ours.
    static constexpr std::uintmax_t largestFile = 64u << 20;

    int formatVersion = currentFormatVersion;
    std::string programVersion;
    std::string created;  // UTC, ISO 8601
    std::string schemesFolder;
    std::string audioFolder;
    bool schemesSubfolders = false;
    bool audioSubfolders = false;
    // The quarantine folder as the move wrote it, and how many folders the
    // move made to create it: the folder itself and that many minus one of
    // its parents, removed again by the restore when empty.
    std::string quarantineFolder;
    std::size_t createdFolders = 0;
    // Names (beside the manifest) of the spare files its writer uses.
    std::vector<std::string> spareFiles;
    std::vector<QuarantinedFile> files;

    // The number of entries that are files.
    std::size_t fileCount() const;
};

// The manifest as JSON text, one line per entry. Names that are not UTF-8 are
// kept byte for byte in a "...Hex" field beside the readable one.
std::string manifestToText(const QuarantineManifest &manifest);

// The text of a manifest that changes one entry at a time, each entry's line
// made once. The text up to the end of an entry stays the same while only
// later entries change, so a file holding an earlier version can be brought
// up to date by rewriting what follows the entries both share.
class ManifestText {
public:
    // The header of `manifest` and its entries.
    explicit ManifestText(const QuarantineManifest &manifest);

    void append(const QuarantinedFile &file);
    void replace(std::size_t index, const QuarantinedFile &file);
    void erase(std::size_t index);
    bool empty() const { return m_entries.empty(); }
    std::size_t size() const { return m_entries.size(); }
    std::string text() const { return m_head + textAfter(0); }

    // The length of the text up to the end of the first `entries` entries.
    std::size_t lengthThrough(std::size_t entries) const { return entries == 0 ? m_head.size() : m_ends[entries - 1]; }
    // The text that follows the first `entries` entries, to its end.
    std::string textAfter(std::size_t entries) const;

private:
    void renumberFrom(std::size_t index);

    std::string m_head;  // up to and with the opening of the entry list
    std::vector<std::string> m_entries;
    std::vector<std::size_t> m_ends;  // lengthThrough(i + 1)
};

// Reads a manifest back, trusting nothing in it. Returns an empty string on
// success, else why the text is not a manifest this program can restore
// from: where the text stops being JSON (line, column, what was expected), a
// newer format, a field missing or of the wrong kind (sizes are
// non-negative integers, times 64-bit integers, the format version an
// integer), an original path outside the audio folder, a quarantined path
// that is not a plain relative path inside the quarantine folder, a
// temporary or spare name that is not a plain name. A manifest of format 1
// is read as one whose files are all moved and whose folders are those on
// the files' quarantined paths.
std::string manifestFromText(const std::string &text, QuarantineManifest &manifest);

// The current time as the manifest records it.
std::string currentUtcTime();
