#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "toolkit/filesystem/folder_search.h"
#include "toolkit/filesystem/paths.h"
#include "toolkit/filesystem/text_file_reader.h"

// The file-system services the scan relies on. One interface, two
// implementations chosen at build time: file_system_posix.cpp (opendir,
// lstat, realpath) and file_system_win32.cpp (FindFirstFileW,
// GetFullPathNameW). Paths are UTF-8 text (paths.h);
// everything is addressed by absolute path; nothing here changes the
// process's working folder. No member throws for a missing, unreadable or
// odd entry: those are reported through the return values, because to the
// scan they are data. Both give the same entries, in the same order, with the
// same attribute words for the same tree.
//
// The members are virtual so that tests can refuse an operation (a folder
// without permission, a file that cannot be opened) even when they run as
// root, where the real permission bits do not stop anything.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The services of this machine.
    static const FileSystem &native();

    // Searches the folder `folder` for the entries whose names match the
    // wildcard `pattern` ('*', '?', letter case ignored). For a pattern that
    // matches them, "." and ".." are among the entries. The entries come in
    // entry order, each with its attribute word. A folder that cannot be
    // opened, or whose listing fails part way, gives CannotOpen: a partial
    // listing is never passed off as the whole folder.
    //
    // The attribute word: a folder is 16; a symbolic link or junction adds
    // 1024 (and 16 when it leads to a folder); a hidden entry, and any whose
    // name begins with '.', adds 2; a system entry (Windows) adds 4; a file
    // with none of these is 128. Bits that say how an entry is stored rather
    // than what it is (read-only, archive, compressed, not indexed, ...) are
    // left out, so a folder carrying them is still exactly 16 and is walked
    // like any other.
    virtual FolderSearch searchFolder(const std::string &folder, const std::string &pattern) const;

    // The absolute path of the process's current folder, or an empty string
    // when it has none (for example because it was deleted).
    virtual std::string GetCurrentDirectoryA() const;

    // The canonical absolute path of the existing entry `path` ("." and ".."
    // resolved, no separator at the end but a root's; links resolved on
    // POSIX), in the platform's own form; nothing when it does not exist or
    // cannot be resolved.
    virtual std::optional<std::string> canonicalPath(const std::string &path) const;

    // Opens the text file `path` for reading (see TextFileReader).
    virtual TextFileReader openTextFile(const std::string &path) const;

    // The size in bytes of the file `path` (links followed), or nothing.
    virtual std::optional<std::uintmax_t> fileSize(const std::string &path) const;
};
