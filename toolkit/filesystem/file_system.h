#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "toolkit/filesystem/folder_search.h"
#include "toolkit/filesystem/text_file_reader.h"

// The file-system services the scan relies on, mapped onto POSIX. Everything
// is addressed by absolute path; nothing here changes the process's working
// folder. No member throws for a missing, unreadable or odd entry: those are
// reported through the return values, because to the scan they are data.
//
// The members are virtual so that tests can refuse an operation (a folder
// without permission, a file that cannot be opened) even when they run as
// root, where the real permission bits do not stop anything.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The services of this machine.
    static const FileSystem &posix();

    // Searches the folder `folder` for the entries whose names match the
    // wildcard `pattern` ('*', '?', letter case ignored). For a pattern that
    // matches them, "." and ".." are among the entries. The entries come in
    // entry order, each with its attribute word. A folder that cannot be
    // opened, or whose listing fails part way, gives CannotOpen: a partial
    // listing is never passed off as the whole folder.
    virtual FolderSearch searchFolder(const std::string &folder, const std::string &pattern) const;

    // The absolute path of the process's current folder, or an empty string
    // when it has none (for example because it was deleted).
    virtual std::string GetCurrentDirectoryA() const;

    // The canonical absolute path of the existing entry `path` (links and
    // "." / ".." resolved), as a folder search reports folders; nothing when
    // it does not exist or cannot be resolved.
    virtual std::optional<std::string> canonicalPath(const std::string &path) const;

    // Opens the text file `path` for reading (see TextFileReader).
    virtual TextFileReader openTextFile(const std::string &path) const;

    // The size in bytes of the file `path` (links followed), or nothing.
    virtual std::optional<std::uintmax_t> fileSize(const std::string &path) const;
};

// `folder` and `name` joined by one '/', without doubling the root's.
std::string joinPath(const std::string &folder, const std::string &name);
