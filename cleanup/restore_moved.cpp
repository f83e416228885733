#include "cleanup/restore_moved.h"

#include <optional>

#include "cleanup/file_mover.h"
#include "cleanup/folder_way.h"
#include "cleanup/manifest_writer.h"
#include "cleanup/quarantine_manifest.h"
#include "cleanup/quarantine_names.h"
#include "toolkit/filesystem/paths.h"

namespace {

// Reads and checks the manifest file; returns why it cannot be restored from.
std::string readManifestFile(const FileOperations &operations, const std::string &path, QuarantineManifest &manifest)
{
    std::string text;
    if (const std::error_code error = operations.readFile(path, text, QuarantineManifest::largestFile)) {
        if (error == std::errc::operation_not_supported)
            return "cannot read the manifest " + path + ": it is not a regular file";
        if (error == std::errc::file_too_large)
            return "cannot read the manifest " + path + ": it is larger than "
                   + std::to_string(QuarantineManifest::largestFile >> 20) + " MiB, more than any manifest";
        return failureText("cannot read the manifest", path, error);
    }
    if (const std::string why = manifestFromText(text, manifest); !why.empty())
        return path + " is not a manifest of moved sounds: " + why;
    return {};
}

bool isMissing(const std::error_code &error)
{
    return error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory;
}

// Removes the file `path` if it is there: a name this program recorded as its own.
void removeIfThere(const FileOperations &operations, const std::string &path)
{
    FileStamp stamp;
    if (!operations.stat(path, stamp) && (stamp.kind == EntryKind::File || stamp.kind == EntryKind::Link))
        operations.removeFile(path);
}

class RestoreRun {
public:
    RestoreRun(const FileOperations &operations, std::string manifestPath, QuarantineManifest manifest)
        : m_operations(operations), m_manifestPath(std::move(manifestPath)),
          m_quarantine(parentPath(m_manifestPath)), m_run(newRunName()), m_manifest(std::move(manifest))
    {
        // The spares of the run that wrote the manifest, gone before this
        // run's manifest (which names only its own) replaces it.
        for (const std::string &spare : m_manifest.spareFiles)
            removeIfThere(m_operations, joinPath(m_quarantine, spare));
        m_writer.emplace(m_operations, m_manifestPath, m_manifest, m_run);
    }

    // Undoes entry `index`, last first. Returns an error that stops the run.
    std::string undo(std::size_t index, CleanupOutcome &outcome, const CleanupProgress &progress);
    std::string finish(CleanupOutcome &outcome);

private:
    std::string restoreFile(std::size_t index, FileReport &report, bool &back);
    std::string drop(std::size_t index);
    void removeCreatedFolders();

    const FileOperations &m_operations;
    std::string m_manifestPath, m_quarantine, m_run;
    QuarantineManifest m_manifest;
    std::optional<ManifestWriter> m_writer;
    std::size_t m_temporaries = 0, m_done = 0, m_total = m_manifest.fileCount();
};

std::string RestoreRun::drop(std::size_t index)
{
    m_manifest.files.erase(m_manifest.files.begin() + static_cast<std::ptrdiff_t>(index));
    m_writer->erase(index);
    if (const std::error_code error = m_writer->write())
        return failureText("cannot write the manifest", m_manifestPath, error);
    return {};
}

std::string RestoreRun::undo(std::size_t index, CleanupOutcome &outcome, const CleanupProgress &progress)
{
    const QuarantinedFile &entry = m_manifest.files[index];
    if (entry.folder) {
        // A folder the move made goes when empty; one with something in it stays listed.
        const std::string path = pathBelow(m_quarantine, entry.quarantinedPath);
        FileStamp stamp;
        const FolderWay way = checkFolderWay(m_operations, m_quarantine, entry.quarantinedPath);
        const std::error_code error = m_operations.stat(path, stamp);
        if (way.problem.empty() && !error && stamp.kind == EntryKind::Folder
            && m_operations.removeEmptyFolder(path))
            return {};
        return drop(index);
    }
    FileReport report;
    bool back = false;
    std::string stop = restoreFile(index, report, back);
    if (stop.empty() && back)
        stop = drop(index);
    if (!stop.empty() && back)
        report.message = stop + "; the file is back, and the next restore counts it as restored";
    outcome.files.push_back(report);
    if (progress)
        progress(report, ++m_done, m_total);
    return stop;
}

std::string RestoreRun::restoreFile(std::size_t index, FileReport &report, bool &back)
{
    QuarantinedFile entry = m_manifest.files[index];
    const std::string moved = pathBelow(m_quarantine, entry.quarantinedPath);
    const std::string &original = entry.originalPath;
    report = {FileResult::Failed, moved, original, entry.size, {}};
    const FolderWay awayWay = checkFolderWay(m_operations, m_quarantine, entry.quarantinedPath);
    const FolderWay homeWay =
        checkFolderWay(m_operations, m_manifest.audioFolder, *relativePathInside(m_manifest.audioFolder, original));
    if (!awayWay.problem.empty() || !homeWay.problem.empty()) {
        report.message = "cannot restore " + moved + ": " + (awayWay.problem.empty() ? homeWay.problem : awayWay.problem);
        return {};
    }
    if (!entry.temporary.empty()) {
        // A copy a run cut short left under the name it recorded.
        removeIfThere(m_operations, joinPath(parentPath(moved), entry.temporary));
        removeIfThere(m_operations, joinPath(parentPath(original), entry.temporary));
    }

    FileStamp away, home;
    const std::error_code awayError = m_operations.stat(moved, away), homeError = m_operations.stat(original, home);
    if (isMissing(awayError)) {
        // Back already: a move stopped before it took the file, or a restore after it put it back.
        back = !homeError;
        report.result = back ? FileResult::Restored : FileResult::Failed;
        if (!back)
            report.message = "the moved file " + moved + " is missing, and nothing is at " + original;
        return {};
    }
    if (awayError) {
        report.message = failureText("cannot look at", moved, awayError);
        return {};
    }
    if (!homeError) {
        // A copy stopped before it removed its source leaves the same file twice.
        if (!holdTheSame(m_operations, moved, original)) {
            report.result = FileResult::Conflict;
            report.message = "a file exists at " + original + " again; " + moved + " stays";
        } else if (const std::error_code error = m_operations.removeFile(moved)) {
            report.message = failureText("cannot remove the second copy", moved, error);
        } else {
            report.result = FileResult::Restored;
            back = true;
        }
        return {};
    }
    const EntryKind recorded = entry.link ? EntryKind::Link : EntryKind::File;
    if (away.kind != recorded || away.size != entry.size) {
        report.message = moved + " has " + std::to_string(away.size) + " bytes" + (away.kind != recorded ? " and is another kind of entry" : "")
                         + ", the manifest recorded " + std::to_string(entry.size) + "; it stays";
        return {};
    }
    std::vector<std::string> created;
    std::string blocking;
    if (const std::error_code error = m_operations.makeFolders(parentPath(original), created, &blocking)) {
        report.message = failureText("cannot create the folder", blocking, error);
        return {};
    }
    std::error_code error = m_operations.renameNoReplace(moved, original);
    bool exists = error == std::errc::file_exists;
    if (error == std::errc::cross_device_link) {
        entry.temporary = temporaryName(m_run, ++m_temporaries);
        m_manifest.files[index] = entry;
        m_writer->replace(index, entry);
        if ((error = m_writer->write())) {
            report.message = failureText("cannot write the manifest", m_manifestPath, error) + "; " + moved + " stays";
            return report.message;
        }
        report.message = moveAcrossFileSystems(m_operations, moved, original,
                                               joinPath(parentPath(original), entry.temporary), away, &exists);
    } else if (error) {
        report.message = failureText("cannot move " + moved + " to", original, error);
    }
    back = report.message.empty();
    report.result = back ? FileResult::Restored : exists ? FileResult::Conflict : FileResult::Failed;
    return {};
}

void RestoreRun::removeCreatedFolders()
{
    // The quarantine folder and the parents the move made for it, when it
    // is still where the move made it; each only while empty.
    const bool inPlace = lexicallyNormal(m_manifest.quarantineFolder) == m_quarantine;
    std::string folder = m_quarantine;
    for (std::size_t level = 0; level < m_manifest.createdFolders && (level == 0 || inPlace); ++level) {
        if (m_operations.removeEmptyFolder(folder))
            return;
        folder = parentPath(folder);
    }
}

std::string RestoreRun::finish(CleanupOutcome &outcome)
{
    if (m_manifest.fileCount() > 0) {
        if (const std::error_code error = m_writer->writeAndFlush())
            return failureText("cannot flush the manifest to the disk", m_manifestPath, error);
        return {};
    }
    m_writer->removeSpares();
    if (const std::error_code error = m_operations.removeFile(m_manifestPath))
        return failureText("every file is back, but cannot remove the manifest", m_manifestPath, error);
    m_writer.reset();
    outcome.manifestPath.clear();
    removeCreatedFolders();
    return {};
}

} // namespace

CleanupOutcome restoreMovedSounds(const std::string &manifestPath, const FileOperations &operations,
                                  const CleanupProgress &progress)
{
    CleanupOutcome outcome;
    outcome.manifestPath = manifestPath;
    QuarantineManifest manifest;
    outcome.error = readManifestFile(operations, manifestPath, manifest);
    if (!outcome.error.empty())
        return outcome;
    if (manifest.quarantineFolder.empty())
        manifest.quarantineFolder = parentPath(lexicallyNormal(manifestPath));
    const std::size_t entries = manifest.files.size();
    RestoreRun run(operations, lexicallyNormal(manifestPath), std::move(manifest));
    // From the last step the move took to the first, as an undo: each
    // restored file is then the last entry, and the manifest's rewrite only
    // drops its tail.
    for (std::size_t index = entries; index-- > 0;) {
        outcome.error = run.undo(index, outcome, progress);
        if (!outcome.error.empty())
            return outcome;
    }
    outcome.error = run.finish(outcome);
    return outcome;
}
