#include "scan/scan_run.h"

#include <optional>

#include "scan/comparison.h"
#include "scan/file_name_list.h"
#include "scan/folder_walkers.h"
#include "scan/scan_report.h"
#include "scan/scheme_reader.h"

std::optional<std::string> resolveFolder(const FileSystem &fs, const std::string &baseFolder, const std::string &folder)
{
    if (folder.empty())
        return std::nullopt;
    if (isAbsolutePath(folder))
        return fs.canonicalPath(folder);
    std::string base = baseFolder;
    if (!isAbsolutePath(base)) {
        const std::string current = fs.GetCurrentDirectoryA();
        if (current.empty())
            return std::nullopt;
        base = base.empty() ? current : joinPath(current, base);
    }
    return fs.canonicalPath(joinPath(base, folder));
}

namespace {

// Collects and reads the scheme files. Returns false when there is none.
bool collectReferences(const FileSystem &fs, const ScanRequest &request, ScanDetails &details,
                       std::vector<SchemeReference> &references, FileNameList &schemes)
{
    const std::optional<std::string> folder = resolveFolder(fs, request.baseFolder, request.schemesFolder);
    if (!folder)
        return false;
    details.schemesFolder = *folder;
    if (request.schemesSubfolders)
        collectRecursive(fs, *folder, schemes, false, details.unreadableSchemeFolders);
    else
        collectSchemesFlat(fs, *folder, schemes, false);
    if (schemes.empty())
        return false;

    SchemeReader reader(fs);
    reader.readSchemes(schemes, references, details.unreadableSchemeFiles);
    details.schemeFiles = schemes.size();
    details.references = references.size();
    details.schemeFilePaths.reserve(schemes.size());
    for (const FileNameNode &scheme : schemes)
        details.schemeFilePaths.push_back(pathOf(scheme));
    return true;
}

// Collects the audio files. Returns false when the report must say
// "Directory reading error.".
bool collectAudio(const FileSystem &fs, const ScanRequest &request, ScanDetails &details, FileNameList &audio)
{
    const std::optional<std::string> folder = resolveFolder(fs, request.baseFolder, request.audioFolder);
    if (!folder)
        return false;
    details.audioFolder = *folder;
    if (request.audioSubfolders)
        return collectRecursive(fs, *folder, audio, true, details.unreadableAudioFolders);
    return collectAudioFlat(fs, *folder, audio);
}

} // namespace

ScanDetails runScanDetailed(const ScanRequest &request, const FileSystem &fs)
{
    ScanDetails details;
    FileNameList schemes;
    std::vector<SchemeReference> references;
    if (!collectReferences(fs, request, details, references, schemes)) {
        details.outcome = ScanOutcome::NoSchemeFiles;
        details.lines = {ScanReport::started, ScanReport::noSchemeFiles};
        return details;
    }

    FileNameList audio;
    const bool audioRead = collectAudio(fs, request, details, audio);
    details.audioFiles = audio.size();
    if (!audioRead)
        details.outcome = ScanOutcome::DirectoryReadingError;

    for (const std::size_t index : removeReferencedAudio(audio, references)) {
        const SchemeReference &reference = references[index];
        details.missing.push_back({reference.name, pathOf(schemes[reference.schemeIndex]), reference.lineNumber});
    }
    details.referencedNames = std::move(references);

    for (const UnreadablePath &folder : details.unreadableSchemeFolders)
        details.lines.push_back(ScanReport::unreadableSchemeFolder(folder.path));
    for (const UnreadablePath &file : details.unreadableSchemeFiles)
        details.lines.push_back(ScanReport::unreadableSchemeFile(file.path));
    if (!audioRead)
        details.lines.push_back(ScanReport::directoryReadingError);
    for (const FileNameNode &node : audio) {
        details.lines.push_back(node.name);
        details.unreferenced.push_back({node.name, node.folder(), pathOf(node)});
    }
    if (!audio.empty())
        details.lines.push_back("");
    details.lines.push_back(ScanReport::finished);
    return details;
}

std::vector<std::string> runScan(const ScanRequest &request)
{
    return runScanDetailed(request).lines;
}
