#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

// What an entry in a folder is. Other: a FIFO, a socket, a device.
enum class EntryKind { File, Link, Folder, Other };

// An entry's own stamp, as the clean-up records and compares it.
struct FileStamp {
    std::uintmax_t size = 0;                 // a link's: the length of its target text
    std::int64_t modifiedNanoseconds = 0;    // since 1970-01-01 00:00 UTC; negative before
    EntryKind kind = EntryKind::File;
    std::uintmax_t linkCount = 1;            // hard links; more than one means a copy splits them
};

// The file operations that moving files aside and back needs, each one step
// that either happens whole or reports why not. Paths are absolute and UTF-8
// (or the platform's bytes); nothing here changes the working folder. Every
// member returns an empty error code on success, else the platform's error
// (errno values on POSIX), so that a message can say why with message().
//
// One implementation per platform lives beside this header; the members are
// virtual so that tests can make a chosen step fail (a full disk, a copy cut
// off halfway) or stop the program there, on any machine, as root too.
class FileOperations {
public:
    virtual ~FileOperations() = default;

    // The operations of this machine.
    static const FileOperations &native();

    // The stamp of the entry `path` itself: a link is not followed (kind
    // Link, the link's own size and time).
    virtual std::error_code stat(const std::string &path, FileStamp &stamp) const;

    // Renames `from` to `to`, never replacing an entry at `to`: that gives
    // errc::file_exists. Across file systems gives errc::cross_device_link
    // and changes nothing. A link is renamed as the link itself.
    virtual std::error_code renameNoReplace(const std::string &from, const std::string &to) const;

    // Copies the entry `from` to the new path `to`. The source is opened
    // first, without following a link and without waiting on a FIFO; only
    // then is `to` created, exclusively (errc::file_exists when something is
    // there). A regular file's bytes are copied with its mode bits exactly
    // (the umask does not apply: setuid, setgid and sticky too), its owner
    // and group where the process may set them, its modification time, and
    // on Windows its attributes and creation time; a link is made anew as a
    // link with the same target. The copy is flushed to the disk before this
    // returns. On any failure `to` is removed only if this call created it;
    // nothing else is ever removed. Other kinds (folder, FIFO, socket,
    // device) give errc::operation_not_supported and create nothing.
    virtual std::error_code copyToNewFile(const std::string &from, const std::string &to) const;

    // Removes the file or link `path` itself (never a link's target, never a
    // folder). On Windows a read-only file is removed too.
    virtual std::error_code removeFile(const std::string &path) const;

    // Creates the folder `path` and its missing parents, appending to
    // `created` (outermost first) every folder this call made, so that
    // exactly those can be removed later. Existing components that are
    // links, junctions or mount points are entered: the caller chose the
    // path. A component that exists and is not a folder (nor a link to one)
    // gives errc::not_a_directory; on any failure `blocking`, when given,
    // receives the path of the component that failed.
    virtual std::error_code makeFolders(const std::string &path, std::vector<std::string> &created,
                                        std::string *blocking = nullptr) const;

    // Removes the one folder `path` when it is empty; errc::directory_not_empty
    // otherwise. Never recursive.
    virtual std::error_code removeEmptyFolder(const std::string &path) const;

    // Replaces the content of `path` with `content` so that a reader sees
    // the old file or the new one, never part of one: written whole to a new
    // file beside it (a name unique to this call, created exclusively), then
    // renamed over it. With `flushToDisk` the new file and the rename are on
    // the disk before it returns, which costs a disk round trip; without,
    // the system writes them back in its own time.
    virtual std::error_code writeFileAtomically(const std::string &path, const std::string &content,
                                                bool flushToDisk) const;

    // Cuts the file `path` after its first `offset` bytes and writes `tail`
    // there, in place; with `createNew` the file is first created
    // exclusively (errc::file_exists when it is there) and `offset` is 0.
    // Meant for a file that no reader uses: a failure can leave it cut or
    // partly written. Nothing is flushed to the disk.
    virtual std::error_code rewriteTail(const std::string &path, std::uintmax_t offset, std::string_view tail,
                                        bool createNew) const;

    // Writes the file `path` and the folder entry naming it to the disk.
    virtual std::error_code flushFile(const std::string &path) const;

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

    // Reads the whole regular file `path`, opened without waiting on a FIFO.
    // Anything else (a device, a FIFO, a folder) gives
    // errc::operation_not_supported; a file of more than `sizeLimit` bytes
    // gives errc::file_too_large, read no further.
    virtual std::error_code readFile(const std::string &path, std::string &content,
                                     std::uintmax_t sizeLimit = UINTMAX_MAX) const;

    // The target text of the link `path` (not followed).
    virtual std::error_code readLink(const std::string &path, std::string &target) const;
};
