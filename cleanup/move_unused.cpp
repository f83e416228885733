#include "cleanup/move_unused.h"

#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "cleanup/file_mover.h"
#include "cleanup/folder_way.h"
#include "cleanup/manifest_writer.h"
#include "cleanup/near_misses.h"
#include "cleanup/quarantine_manifest.h"
#include "cleanup/quarantine_names.h"
#include "scan/scan_run.h"
#include "toolkit/filesystem/paths.h"

namespace {

std::string nearMissText(const NearReference &near)
{
    return "near miss of \"" + near.name + "\" (" + near.schemeFile + ", line " + std::to_string(near.lineNumber)
           + "); name it explicitly to move it";
}

// Checks the quarantine folder before anything is made or moved; returns
// why it cannot be used, or nothing.
std::string refusal(const std::string &quarantine, const ScanDetails &details, const FileOperations &operations)
{
    if (!isAbsolutePath(quarantine))
        return "the quarantine folder must be an absolute path: " + quarantine;
    if (details.outcome == ScanOutcome::NoSchemeFiles || details.audioFolder.empty())
        return "the scan found no scheme files or no audio folder, so nothing is known to be unused";
    if (isSameOrInside(details.audioFolder, quarantine))
        return "the quarantine folder " + quarantine + " lies inside the audio folder " + details.audioFolder
               + "; choose one outside it";
    if (isSameOrInside(quarantine, details.audioFolder))
        return "the quarantine folder " + quarantine + " holds the audio folder " + details.audioFolder
               + "; choose one outside it";
    FileStamp stamp;
    const std::string manifest = joinPath(quarantine, QuarantineManifest::fileName);
    if (!operations.stat(manifest, stamp))
        return "the quarantine folder already holds a manifest, " + manifest
               + "; restore it or choose another folder";
    return {};
}

std::string quarantineBlockedText(const std::string &quarantine, const std::string &blocking)
{
    return "cannot create the quarantine folder " + quarantine + ": " + blocking + " is in the way (it is not a folder)";
}

// Why the entry `stamp` describes is not moved, or nothing for a file or link.
std::optional<std::string> notMovable(const FileStamp &stamp)
{
    if (stamp.kind == EntryKind::Folder)
        return "a folder, not a sound file; only files and links are moved";
    if (stamp.kind == EntryKind::Other)
        return "not a regular file (a FIFO, socket or device); only files and links are moved";
    return std::nullopt;
}

// One move run: the quarantine folder, its manifest, and the files moved so far.
class MoveRun {
public:
    MoveRun(const FileOperations &operations, std::string quarantine, const QuarantineManifest &manifest)
        : m_operations(operations), m_quarantine(std::move(quarantine)), m_run(newRunName()),
          m_manifestPath(joinPath(m_quarantine, QuarantineManifest::fileName)), m_manifest(manifest)
    {
    }

    const std::string &manifestPath() const { return m_manifestPath; }
    std::size_t moved() const { return m_moved; }

    // Makes the quarantine folder and creates its manifest exclusively.
    // Returns why not; then nothing this made is left.
    std::string begin();
    // Moves one file (its stamp taken, its destination checked) and fills `report`.
    // Returns an error that stops the run, or nothing.
    std::string move(const std::string &path, const std::string &relative, const FileStamp &stamp,
                     const FolderWay &way, FileReport &report);
    // Flushes the manifest; or, when nothing moved, removes it and every
    // folder the run made. Returns an error, or nothing.
    std::string finish();

private:
    void undoFolders(std::size_t from);

    const FileOperations &m_operations;
    std::string m_quarantine, m_run, m_manifestPath;
    QuarantineManifest m_manifest;
    std::optional<ManifestWriter> m_writer;
    std::vector<std::string> m_createdLevels;
    std::size_t m_moved = 0, m_temporaries = 0;
};

std::string MoveRun::begin()
{
    std::string blocking;
    if (const std::error_code error = m_operations.makeFolders(m_quarantine, m_createdLevels, &blocking)) {
        undoFolders(0);
        if (error == std::errc::not_a_directory)
            return quarantineBlockedText(m_quarantine, blocking);
        return failureText("cannot create the quarantine folder " + m_quarantine + ":", blocking, error);
    }
    m_manifest.quarantineFolder = m_quarantine;
    m_manifest.createdFolders = m_createdLevels.size();
    m_writer.emplace(m_operations, m_manifestPath, m_manifest, m_run);
    if (const std::error_code error = m_writer->create()) {
        undoFolders(0);
        if (error == std::errc::file_exists)
            return "the quarantine folder already holds a manifest, " + m_manifestPath
                   + "; another move may be running into it, or restore it first";
        return failureText("cannot create the manifest", m_manifestPath, error);
    }
    return {};
}

std::string MoveRun::move(const std::string &path, const std::string &relative, const FileStamp &stamp,
                          const FolderWay &way, FileReport &report)
{
    report.result = FileResult::Failed;
    // Recorded before anything happens: the folders about to be made, and
    // the file with its temporary name, as not yet done.
    const std::size_t first = m_manifest.files.size();
    for (std::size_t i = way.existing; i < way.folders.size(); ++i)
        m_manifest.files.push_back(createdFolderEntry(way.folders[i]));
    m_manifest.files.push_back({path, relative, stamp.size, stamp.modifiedNanoseconds, false,
                                stamp.kind == EntryKind::Link, false, temporaryName(m_run, ++m_temporaries)});
    for (std::size_t i = first; i < m_manifest.files.size(); ++i)
        m_writer->append(m_manifest.files[i]);
    if (const std::error_code error = m_writer->write()) {
        for (std::size_t i = m_manifest.files.size(); i-- > first;)
            m_writer->erase(i);
        m_manifest.files.resize(first);
        report.message = failureText("cannot write the manifest", m_manifestPath, error) + "; the file stays";
        return report.message;
    }
    const std::size_t index = m_manifest.files.size() - 1;
    QuarantinedFile &entry = m_manifest.files[index];

    std::vector<std::string> created;
    std::string blocking;
    const std::string folder = parentPath(report.destination);
    bool moved = false;
    std::string linkSplit;
    if (std::error_code error = m_operations.makeFolders(folder, created, &blocking)) {
        report.message = failureText("cannot create the folder", blocking, error);
    } else if (!(error = m_operations.renameNoReplace(path, report.destination))) {
        moved = true;
    } else if (error == std::errc::cross_device_link) {
        report.message = moveAcrossFileSystems(m_operations, path, report.destination,
                                               joinPath(folder, entry.temporary), stamp);
        moved = report.message.empty();
        if (moved && stamp.linkCount > 1)
            report.message = "it had " + std::to_string(stamp.linkCount)
                             + " hard links; the link was split: the copy in the quarantine folder is a file of its own";
    } else {
        report.message = failureText("cannot move " + path + " to", report.destination, error);
    }
    if (!moved) {
        // The record of the intent goes again; the folders made stay listed.
        m_writer->erase(index);
        m_manifest.files.pop_back();
        if (const std::error_code error = m_writer->write())
            return failureText("cannot write the manifest", m_manifestPath, error);
        return {};
    }
    report.result = FileResult::Moved;
    ++m_moved;
    entry.done = true;
    m_writer->replace(index, entry);
    if (const std::error_code writeError = m_writer->write())
        return failureText("cannot write the manifest", m_manifestPath, writeError)
               + "; it records " + path + " as being moved, and a restore brings it back";
    return {};
}

void MoveRun::undoFolders(std::size_t from)
{
    for (std::size_t i = m_createdLevels.size(); i-- > from;)
        m_operations.removeEmptyFolder(m_createdLevels[i]);
    m_createdLevels.resize(from);
}

std::string MoveRun::finish()
{
    if (!m_writer)
        return {};
    if (m_moved > 0) {
        if (const std::error_code error = m_writer->writeAndFlush())
            return failureText("cannot flush the manifest to the disk", m_manifestPath, error);
        return {};
    }
    // Nothing moved: whatever the run made goes again, innermost first.
    for (std::size_t i = m_manifest.files.size(); i-- > 0;)
        if (m_manifest.files[i].folder)
            m_operations.removeEmptyFolder(pathBelow(m_quarantine, m_manifest.files[i].quarantinedPath));
    m_writer->removeSpares();
    m_operations.removeFile(m_manifestPath);
    m_writer.reset();
    undoFolders(0);
    return {};
}

} // namespace

CleanupOutcome moveUnusedSounds(const MoveRequest &request, const FileSystem &fileSystem,
                                const FileOperations &operations, const CleanupProgress &progress)
{
    CleanupOutcome outcome;
    const std::string quarantine = lexicallyNormal(request.quarantineFolder);
    const ScanDetails details = runScanDetailed(request.scan, fileSystem);
    outcome.error = refusal(quarantine, details, operations);
    if (!outcome.error.empty())
        return outcome;

    const NearMisses nearMisses = findNearMisses(details);
    std::unordered_map<std::string, std::size_t> unreferencedByPath;
    std::vector<std::string> chosen;
    std::unordered_set<std::string> named;
    for (const std::string &path : request.files)
        if (named.insert(path).second)  // a path named twice is moved once
            chosen.push_back(path);
    for (std::size_t u = 0; u < details.unreferenced.size(); ++u) {
        unreferencedByPath.emplace(details.unreferenced[u].path, u);
        if (request.allUnreferenced)
            chosen.push_back(details.unreferenced[u].path);
    }

    QuarantineManifest manifest;
    manifest.programVersion = request.programVersion;
    manifest.created = currentUtcTime();
    manifest.schemesFolder = details.schemesFolder;
    manifest.audioFolder = details.audioFolder;
    manifest.schemesSubfolders = request.scan.schemesSubfolders;
    manifest.audioSubfolders = request.scan.audioSubfolders;
    MoveRun run(operations, quarantine, manifest);
    if (request.dryRun && !chosen.empty()) {
        if (const std::string blocking = firstPartInTheWay(operations, quarantine); !blocking.empty())
            outcome.error = quarantineBlockedText(quarantine, blocking);
    } else if (!chosen.empty()) {
        outcome.error = run.begin();
    }
    if (!outcome.error.empty())
        return outcome;

    for (std::size_t done = 0; done < chosen.size(); ++done) {
        const std::string &path = chosen[done];
        FileReport report{FileResult::Skipped, path, {}, 0, {}};
        const auto found = unreferencedByPath.find(path);
        const std::optional<std::string> relative = relativePathInside(details.audioFolder, path);
        FileStamp stamp;
        std::error_code error;
        std::optional<std::string> why;
        FolderWay way;
        if (found == unreferencedByPath.end()) {
            report.message = "no longer unreferenced: a scheme uses it now, or it is gone";
        } else if (nearMisses.unreferenced[found->second] && request.allUnreferenced && !request.includeNearMisses) {
            report.message = nearMissText(*nearMisses.unreferenced[found->second]);
        } else if (!relative) {
            report.result = FileResult::Failed;
            report.message = "not inside the audio folder " + details.audioFolder;
        } else if ((error = operations.stat(path, stamp))) {
            report.result = FileResult::Failed;
            report.message = failureText("cannot read the size of", path, error);
        } else if ((why = notMovable(stamp))) {
            report.message = *why;
        } else if (report.size = stamp.size, report.destination = pathBelow(quarantine, *relative),
                   way = checkFolderWay(operations, quarantine, *relative);
                   !way.problem.empty()) {
            report.result = FileResult::Failed;
            report.message = "cannot create the folder for " + report.destination + ": " + way.problem;
        } else if (FileStamp there; way.existing == way.folders.size() && !operations.stat(report.destination, there)) {
            report.result = FileResult::Failed;
            report.message = "cannot move " + path + ": " + report.destination + " already exists";
        } else if (request.dryRun) {
            report.result = FileResult::WouldMove;
        } else {
            outcome.error = run.move(path, *relative, stamp, way, report);
        }
        outcome.files.push_back(report);
        if (progress)
            progress(report, done + 1, chosen.size());
        if (!outcome.error.empty())
            break;
    }
    if (const std::string error = run.finish(); !error.empty() && outcome.error.empty())
        outcome.error = error;
    if (run.moved() > 0)
        outcome.manifestPath = run.manifestPath();
    return outcome;
}
