#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <system_error>

#include "cleanup/quarantine_manifest.h"
#include "toolkit/filesystem/file_operations.h"

// The manifest file of a quarantine folder, kept in step with a manifest
// that changes one file at a time. After every write() the file at the
// manifest's path is a whole manifest of the current state, byte for byte
// manifestToText's, and it was replaced in one rename: a reader sees the old
// file or the new one.
//
// A write costs what changed, not the whole manifest: the version before
// the current one is kept as a spare file, and the next write cuts that
// spare after the entries it shares with the new state, writes the rest and
// swaps it with the manifest in one step (the old manifest becomes the next
// spare). Where files cannot be swapped, the current manifest is given the
// spare's other name by a hard link and the prepared file renamed over it;
// where there are no hard links either, every write is a whole new file as
// before. So appending at the end (a move) and dropping from the end (a
// restore working backwards) write one entry's worth each time.
//
// The spares sit beside the manifest under two names unique to the run
// that first wrote it, which the manifest itself records (a restore after a stop removes them by
// that record, never by a pattern); they go when this object does (or on
// removeSpares()). A reader that holds the manifest open across two writes
// may see it change: the spare is that file.
class ManifestWriter {
public:
    // A file already at `path` (a manifest being restored from) is replaced
    // whole by the first write and never reused: it need not be this
    // program's rendering byte for byte (edited by hand, or by another
    // version). The spares are those `manifest` names, else two named
    // after `run` (newRunName()).
    ManifestWriter(const FileOperations &operations, std::string path, QuarantineManifest manifest,
                   const std::string &run);
    ~ManifestWriter() { removeSpares(); }
    ManifestWriter(const ManifestWriter &) = delete;
    ManifestWriter &operator=(const ManifestWriter &) = delete;

    void append(const QuarantinedFile &file);
    void replace(std::size_t index, const QuarantinedFile &file);
    void erase(std::size_t index);
    bool empty() const { return m_text.empty(); }

    // Creates the manifest file with the current state, exclusively:
    // errc::file_exists when a file is at the path (another run's).
    std::error_code create();
    // Replaces the manifest file with the current state, not flushed to the
    // disk. On failure the file at the path is as it was.
    std::error_code write();
    // Writes the current state, removes the spares and flushes the manifest
    // file to the disk.
    std::error_code writeAndFlush();
    void removeSpares() noexcept;

private:
    void changedFrom(std::size_t index);

    const FileOperations &m_operations;
    std::string m_path;
    std::string m_temporaries[2];
    ManifestText m_text;
    // Leading entries the manifest file shares with m_text; none until the
    // first write.
    std::optional<std::size_t> m_sharedOnDisk;
    std::optional<int> m_spare;       // which temporary holds an earlier version
    std::size_t m_sharedInSpare = 0;  // leading entries that version shares with m_text
    bool m_exchangeWorks = true;
    bool m_linksWork = true;
};
