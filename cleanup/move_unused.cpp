#include "cleanup/move_unused.h"

#include <algorithm>
#include <filesystem>
#include <unordered_map>
#include <unordered_set>

#include "cleanup/file_mover.h"
#include "cleanup/manifest_writer.h"
#include "cleanup/near_misses.h"
#include "cleanup/quarantine_manifest.h"
#include "scan/scan_run.h"
#include "toolkit/filesystem/paths.h"

namespace {

namespace fs = std::filesystem;

bool isInside(const fs::path &child, const fs::path &parent)
{
    const auto [p, c] = std::mismatch(parent.begin(), parent.end(), child.begin(), child.end());
    return p == parent.end();
}

std::string nearMissText(const NearReference &near)
{
    return "near miss of \"" + near.name + "\" (" + near.schemeFile + ", line " + std::to_string(near.lineNumber)
           + "); name it explicitly to move it";
}

// Checks the quarantine folder before anything is moved; returns why it
// cannot be used, or nothing.
std::string refusal(const fs::path &quarantine, const ScanDetails &details, const FileSystem &fileSystem,
                    const FileOperations &operations)
{
    if (!quarantine.is_absolute())
        return "the quarantine folder must be an absolute path: " + utf8FromPath(quarantine);
    if (details.outcome == ScanOutcome::NoSchemeFiles || details.audioFolder.empty())
        return "the scan found no scheme files or no audio folder, so nothing is known to be unused";
    const fs::path audio = pathFromUtf8(details.audioFolder);
    const std::optional<std::string> resolved = fileSystem.canonicalPath(utf8FromPath(quarantine));
    if (isInside(quarantine, audio) || (resolved && isInside(pathFromUtf8(*resolved), audio)))
        return "the quarantine folder " + utf8FromPath(quarantine) + " lies inside the audio folder "
               + details.audioFolder + "; choose one outside it";
    FileStamp stamp;
    const std::string manifest = utf8FromPath(quarantine / QuarantineManifest::fileName);
    if (!operations.stat(manifest, stamp))
        return "the quarantine folder already holds a manifest, " + manifest
               + "; restore it or choose another folder";
    return {};
}

} // namespace

CleanupOutcome moveUnusedSounds(const MoveRequest &request, const FileSystem &fileSystem,
                                const FileOperations &operations, const CleanupProgress &progress)
{
    CleanupOutcome outcome;
    fs::path quarantine = pathFromUtf8(request.quarantineFolder).lexically_normal();
    if (quarantine.has_relative_path() && !quarantine.has_filename())
        quarantine = quarantine.parent_path();  // no trailing separator

    const ScanDetails details = runScanDetailed(request.scan, fileSystem);
    outcome.error = refusal(quarantine, details, fileSystem, operations);
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
    const std::string manifestPath = utf8FromPath(quarantine / QuarantineManifest::fileName);
    ManifestWriter manifestFile(operations, manifestPath, manifest);
    std::size_t listed = 0;

    for (std::size_t done = 0; done < chosen.size(); ++done) {
        const std::string &path = chosen[done];
        FileReport report{FileResult::Skipped, path, {}, 0, {}};
        const auto found = unreferencedByPath.find(path);
        const fs::path relative = pathFromUtf8(path).lexically_relative(pathFromUtf8(details.audioFolder));
        FileStamp stamp;
        std::error_code error;
        if (found == unreferencedByPath.end()) {
            report.message = "no longer unreferenced: a scheme uses it now, or it is gone";
        } else if (nearMisses.unreferenced[found->second] && request.allUnreferenced && !request.includeNearMisses) {
            report.message = nearMissText(*nearMisses.unreferenced[found->second]);
        } else if (relative.empty() || *relative.begin() == "..") {
            report.result = FileResult::Failed;
            report.message = "not inside the audio folder " + details.audioFolder;
        } else if ((error = operations.stat(path, stamp))) {
            report.result = FileResult::Failed;
            report.message = failureText("cannot read the size of", path, error);
        } else {
            report.size = stamp.size;
            report.destination = utf8FromPath(quarantine / relative);
            if (request.dryRun) {
                report.result = FileResult::WouldMove;
            } else if (std::vector<std::string> created;
                       (error = operations.makeFolders(utf8FromPath(pathFromUtf8(report.destination).parent_path()), created))) {
                report.result = FileResult::Failed;
                report.message = failureText("cannot create the folder", utf8FromPath(pathFromUtf8(report.destination).parent_path()), error);
            } else if (std::string why = moveFileSafely(operations, path, report.destination, stamp.size); !why.empty()) {
                report.result = FileResult::Failed;
                report.message = std::move(why);
            } else {
                manifestFile.append({path, genericUtf8FromPath(relative), stamp.size, stamp.modifiedNanoseconds});
                outcome.manifestPath = manifestPath;
                report.result = FileResult::Moved;
                // Flushed to the disk once at the end: a flush per file would
                // cost a disk round trip each; stopping the program between
                // two files still leaves a whole, truthful manifest.
                if ((error = manifestFile.write())) {
                    // Unrecorded, the file would be lost to a restore: put it back and stop.
                    manifestFile.popBack();
                    report.result = FileResult::Failed;
                    report.message = failureText("cannot write the manifest", manifestPath, error);
                    const std::string back = moveFileSafely(operations, report.destination, path, stamp.size);
                    report.message += back.empty() ? "; the file was put back" : "; and putting it back failed: " + back;
                    outcome.error = report.message;
                    if (listed == 0)
                        outcome.manifestPath.clear();
                } else {
                    ++listed;
                }
            }
        }
        outcome.files.push_back(report);
        if (progress)
            progress(report, done + 1, chosen.size());
        if (!outcome.error.empty())
            break;
    }
    if (listed > 0)
        if (const std::error_code error = manifestFile.writeWholeAndFlush();
            error && outcome.error.empty())
            outcome.error = failureText("cannot flush the manifest to the disk", manifestPath, error);
    return outcome;
}
