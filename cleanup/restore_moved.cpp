#include "cleanup/restore_moved.h"

#include <filesystem>

#include "cleanup/file_mover.h"
#include "cleanup/manifest_writer.h"
#include "cleanup/quarantine_manifest.h"
#include "toolkit/filesystem/paths.h"

namespace {

namespace fs = std::filesystem;

// Restores one file; fills `report` and returns whether it is back.
bool restoreOne(const FileOperations &operations, const QuarantinedFile &file, const fs::path &quarantine,
                FileReport &report)
{
    report.path = utf8FromPath(quarantine / pathFromUtf8(file.quarantinedPath));
    report.destination = file.originalPath;
    report.size = file.size;
    report.result = FileResult::Failed;
    FileStamp stamp;
    if (!operations.stat(file.originalPath, stamp)) {
        report.result = FileResult::Conflict;
        report.message = "a file exists at " + file.originalPath + " again; " + report.path + " stays";
        return false;
    }
    if (const std::error_code error = operations.stat(report.path, stamp)) {
        report.message = failureText("cannot find the moved file", report.path, error);
        return false;
    }
    if (stamp.size != file.size) {
        report.message = report.path + " has " + std::to_string(stamp.size) + " bytes, the manifest recorded "
                         + std::to_string(file.size) + "; it stays";
        return false;
    }
    const std::string folder = utf8FromPath(pathFromUtf8(file.originalPath).parent_path());
    if (std::vector<std::string> created; const std::error_code error = operations.makeFolders(folder, created)) {
        report.message = failureText("cannot create the folder", folder, error);
        return false;
    }
    bool exists = false;
    report.message = moveFileSafely(operations, report.path, file.originalPath, file.size, &exists);
    if (!report.message.empty()) {
        if (exists)
            report.result = FileResult::Conflict;
        return false;
    }
    report.result = FileResult::Restored;
    return true;
}

} // namespace

CleanupOutcome restoreMovedSounds(const std::string &manifestPath, const FileOperations &operations,
                                  const CleanupProgress &progress)
{
    CleanupOutcome outcome;
    outcome.manifestPath = manifestPath;
    std::string text;
    if (const std::error_code error = operations.readFile(manifestPath, text)) {
        outcome.error = failureText("cannot read the manifest", manifestPath, error);
        return outcome;
    }
    QuarantineManifest manifest;
    if (const std::string why = manifestFromText(text, manifest); !why.empty()) {
        outcome.error = manifestPath + " is not a manifest of moved sounds: " + why;
        return outcome;
    }
    const fs::path quarantine = pathFromUtf8(manifestPath).parent_path();

    // From the last file moved to the first, as an undo: each restored file
    // is then the last entry, and the manifest's rewrite only drops its tail.
    const std::vector<QuarantinedFile> &listed = manifest.files;
    ManifestWriter manifestFile(operations, manifestPath, manifest);
    for (std::size_t done = 0; done < listed.size(); ++done) {
        const std::size_t index = listed.size() - 1 - done;
        FileReport report;
        if (restoreOne(operations, listed[index], quarantine, report)) {
            manifestFile.erase(index);
            if (const std::error_code error = manifestFile.write()) {
                // The manifest still lists the file: put it where the manifest says.
                report.result = FileResult::Failed;
                report.message = failureText("cannot write the manifest", manifestPath, error);
                const std::string back = moveFileSafely(operations, report.destination, report.path, report.size);
                report.message += back.empty() ? "; the file was put back into the quarantine folder"
                                               : "; and putting it back failed: " + back;
                outcome.error = report.message;
            }
        }
        outcome.files.push_back(report);
        if (progress)
            progress(report, done + 1, listed.size());
        if (!outcome.error.empty())
            return outcome;
    }

    if (!manifestFile.empty()) {
        if (const std::error_code error = manifestFile.writeWholeAndFlush())
            outcome.error = failureText("cannot flush the manifest to the disk", manifestPath, error);
        return outcome;
    }
    manifestFile.removeSpares();
    if (const std::error_code error = operations.removeFile(manifestPath)) {
        outcome.error = failureText("every file is back, but cannot remove the manifest", manifestPath, error);
        return outcome;
    }
    outcome.manifestPath.clear();
    std::vector<std::string> folders{utf8FromPath(quarantine)};
    std::error_code error;
    for (fs::recursive_directory_iterator entry(quarantine, error), end; !error && entry != end; entry.increment(error))
        if (entry->is_directory(error) && !entry->is_symlink(error))
            folders.push_back(utf8FromPath(entry->path()));
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder)
        operations.removeEmptyFolder(*folder);
    return outcome;
}
