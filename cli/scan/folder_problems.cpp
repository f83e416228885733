#include "cli/scan/folder_problems.h"

#include <optional>
#include <system_error>
#include <utility>

#include "toolkit/filesystem/file_attributes.h"

namespace {

// Whether the existing entry `path` is a folder (or leads to one), asked of
// its parent's listing so that the answer comes through the same services
// as the scan's. A root has no parent and is always a folder.
bool isFolder(const FileSystem &fs, const std::string &path)
{
    std::string::size_type cut = path.size();
    while (cut > 0 && !isPathSeparator(path[cut - 1]))
        --cut;
    if (cut == 0 || cut == path.size())
        return true;
    const std::string name = path.substr(cut);
    std::string parent = path.substr(0, cut);
    for (const FindData &entry : fs.searchFolder(parent, name).entries)
        if (entry.cFileName == name)
            return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return true;  // the parent cannot be listed: let the folder's own search speak
}

std::optional<std::string> problemOf(const FileSystem &fs, const std::string &absolute)
{
    const std::optional<std::string> canonical = fs.canonicalPath(absolute);
    if (!canonical)
        return "no such folder";
    if (!isFolder(fs, *canonical))
        return "not a folder";
    const FolderSearch search = fs.searchFolder(*canonical, "*");
    if (search.opened())
        return std::nullopt;
    if (search.error == 0)
        return "cannot be read";
    return "cannot be read (" + std::system_category().message(search.error) + ")";
}

} // namespace

std::vector<FolderProblem> findFolderProblems(const FileSystem &fs, const ScanRequest &request)
{
    const std::string base = request.baseFolder.empty() ? fs.GetCurrentDirectoryA() : request.baseFolder;
    std::vector<FolderProblem> problems;
    for (const auto &[which, folder] : {std::pair("schemes", &request.schemesFolder), std::pair("audio", &request.audioFolder)}) {
        const std::string absolute = withNativeSeparators(isAbsolutePath(*folder) || base.empty() ? *folder : joinPath(base, *folder));
        if (std::optional<std::string> reason = problemOf(fs, absolute))
            problems.push_back({which, absolute, std::move(*reason)});
    }
    return problems;
}

std::string folderProblemText(const FolderProblem &problem)
{
    return problem.which + " folder " + problem.path + ": " + problem.reason;
}
