#pragma once

#include <string>
#include <system_error>

#include "toolkit/filesystem/file_operations.h"

// Replaces a whole file the way a lock file does: the new content goes to
// a temporary file beside the old one, created exclusively (nothing that
// exists is overwritten), every write and the close are checked, and only
// then is it renamed over the old file. Readers, and the disk after a crash,
// see the old file or the new one, never half of one. On any failure the old
// file stays as it was and the temporary file is removed. A path that is a
// symbolic link stays a link: its target is replaced. The new file keeps the
// old one's permissions. `path` is UTF-8 in the platform's form; returns the
// first failure, or an empty code when the file now holds `content`.
std::error_code replaceFileText(const std::string &path, const std::string &content,
                                const FileOperations &operations);
// The same with the machine's operations, or those of the innermost override.
std::error_code replaceFileText(const std::string &path, const std::string &content);

// For as long as it lives, `operations` stand in for the machine's own in
// the two-argument replaceFileText (tests make a step fail, as root too); overrides nest.
class FileReplacementOverride {
public:
    explicit FileReplacementOverride(const FileOperations &operations);
    ~FileReplacementOverride();
    FileReplacementOverride(const FileReplacementOverride &) = delete;
    FileReplacementOverride &operator=(const FileReplacementOverride &) = delete;

private:
    const FileOperations *m_previous;
};
