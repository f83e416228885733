#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>

// Replaces a whole text file the way a lock file does: the new text goes to
// a temporary file beside the old one, every write and the close are
// checked, and only then is it renamed over the old file. Readers, and the
// disk after a crash, see the old file or the new one, never half of one.
// On any failure the old file stays as it was and the temporary file is
// removed. A path that is a symbolic link stays a link: its target is
// replaced. Returns whether the file now holds `text`.
bool replaceFileText(const std::string &path, const std::string &text);

// The two calls that can fail for lack of room or rights once the temporary
// file is open; an empty member is the real call.
struct FileReplacementCalls {
    // As fwrite: the number of bytes written.
    std::function<std::size_t(const char *data, std::size_t size, std::FILE *file)> write;
    std::function<void(const std::filesystem::path &from, const std::filesystem::path &to, std::error_code &error)> rename;
};
// For as long as it lives, calls stand in for the real ones (tests make them
// fail); overrides nest.
class FileReplacementOverride {
public:
    explicit FileReplacementOverride(FileReplacementCalls calls);
    ~FileReplacementOverride();
    FileReplacementOverride(const FileReplacementOverride &) = delete;
    FileReplacementOverride &operator=(const FileReplacementOverride &) = delete;

private:
    FileReplacementCalls m_previous;
};
