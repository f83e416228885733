#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

// The size and modification time of a file, as the clean-up records them.
struct FileStamp {
    std::uintmax_t size = 0;
    std::int64_t modifiedNanoseconds = 0;  // since 1970-01-01 00:00 UTC
};

// The file operations that moving files aside and back needs, each one step
// that either happens whole or reports why not. Paths are absolute and UTF-8
// (or the platform's bytes); nothing here changes the working folder. Every
// member returns an empty error code on success, else the platform's error
// (errno values on POSIX), so that a message can say why with message().
//
// One implementation per platform lives beside this header; the members are
// virtual so that tests can make a chosen step fail (a full disk, a copy cut
// off halfway) on any machine, as root too.
class FileOperations {
public:
    virtual ~FileOperations() = default;

    // The operations of this machine.
    static const FileOperations &native();

    // The stamp of the file `path` (links followed).
    virtual std::error_code stat(const std::string &path, FileStamp &stamp) const;

    // Renames `from` to `to`, never replacing an entry at `to`: that gives
    // errc::file_exists. Across file systems gives errc::cross_device_link
    // and changes nothing.
    virtual std::error_code renameNoReplace(const std::string &from, const std::string &to) const;

    // Copies the file `from` to a new file `to` (created exclusively:
    // errc::file_exists when it is there), with the source's modification
    // time, flushed to the disk before it returns. On failure a partly
    // written `to` may remain; the caller removes it.
    virtual std::error_code copyToNewFile(const std::string &from, const std::string &to) const;

    // Removes the file `path` (not a folder).
    virtual std::error_code removeFile(const std::string &path) const;

    // Creates the folder `path` and any missing parents; fine when it exists.
    virtual std::error_code makeFolders(const std::string &path) const;

    // Removes the folder `path` and its subfolders, bottom up, as long as
    // they hold nothing else; a folder that still holds a file stays (and
    // so do its parents) without that being an error.
    virtual std::error_code removeEmptyFolders(const std::string &path) const;

    // Replaces the content of `path` with `content` so that a reader sees
    // the old file or the new one, never part of one: written whole to a new
    // file beside it, then renamed over it. With `flushToDisk` the new file
    // and the rename are on the disk before it returns, which costs a disk
    // round trip; without, the system writes them back in its own time.
    virtual std::error_code writeFileAtomically(const std::string &path, const std::string &content,
                                                bool flushToDisk) const;

    // Cuts the file `path` after its first `offset` bytes and writes `tail`
    // there, in place; with `createNew` the file is first created
    // exclusively (errc::file_exists when it is there) and `offset` is 0.
    // Meant for a file that no reader uses: a failure can leave it cut or
    // partly written. Nothing is flushed to the disk.
    virtual std::error_code rewriteTail(const std::string &path, std::uintmax_t offset, std::string_view tail,
                                        bool createNew) const;

    // Gives the file `existing` the further name `link` (a hard link), never
    // replacing an entry at `link`. Fails where the file system has no hard
    // links (FAT, some network shares).
    virtual std::error_code linkNoReplace(const std::string &existing, const std::string &link) const;

    // Swaps the files `first` and `second` in one step: a reader of either
    // sees the old file or the new one. Fails, changing nothing, where the
    // file system or the system cannot.
    virtual std::error_code exchangeFiles(const std::string &first, const std::string &second) const;

    // Renames the file `from` over `to` in one step: a reader of `to` sees
    // the old file or the new one. Not flushed to the disk.
    virtual std::error_code renameReplacing(const std::string &from, const std::string &to) const;

    // Reads the whole file `path` (meant for small files).
    virtual std::error_code readFile(const std::string &path, std::string &content) const;
};
