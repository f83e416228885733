#include "scan/folder_walkers.h"

#include <cstddef>
#include <memory>
#include <string_view>
#include <utility>

#include "toolkit/filesystem/file_attributes.h"

namespace {

bool isFolder(const FindData &entry)
{
    return entry.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY;
}

// The recursive walk's name test: the last four characters must be exactly
// `extension`. A name shorter than that never passes.
bool endsWithExactly(std::string_view name, std::string_view extension)
{
    return name.size() >= extension.size() && name.substr(name.size() - extension.size()) == extension;
}

// One folder being walked: its path, its entries, and how far the walk got.
struct WalkLevel {
    std::shared_ptr<const std::string> folder;
    std::vector<FindData> entries;
    std::size_t next = 0;
};

} // namespace

void collectSchemesFlat(const FileSystem &fs, const std::string &folder, FileNameList &list, bool cutExtension)
{
    FolderSearch search = fs.searchFolder(folder, "*.sch");
    const auto sharedFolder = std::make_shared<const std::string>(folder);
    for (FindData &entry : search.entries) {
        if (!isFolder(entry))
            list.append(std::move(entry.cFileName), sharedFolder, cutExtension);
    }
}

bool collectRecursive(const FileSystem &fs, const std::string &folder, FileNameList &list, bool audioMode,
                      std::vector<UnreadablePath> &skippedFolders)
{
    const std::string_view extension = audioMode ? ".ogg" : ".sch";
    FolderSearch top = fs.searchFolder(folder, "*");
    if (!top.opened())
        return false;

    // An explicit stack instead of recursion: a deep tree cannot exhaust the
    // call stack, and each level keeps only its own entry list.
    std::vector<WalkLevel> stack;
    stack.push_back({std::make_shared<const std::string>(folder), std::move(top.entries), 0});
    while (!stack.empty()) {
        WalkLevel &level = stack.back();
        if (level.next == level.entries.size()) {
            stack.pop_back();
            continue;
        }
        FindData &entry = level.entries[level.next++];
        if (isFolder(entry)) {
            if (entry.cFileName == "." || entry.cFileName == "..")
                continue;
            std::string subfolder = joinPath(*level.folder, entry.cFileName);
            FolderSearch search = fs.searchFolder(subfolder, "*");
            if (!search.opened()) {
                skippedFolders.push_back({std::move(subfolder), search.error});
                continue;
            }
            // `level` and `entry` are not used after this: the push may move them.
            stack.push_back({std::make_shared<const std::string>(std::move(subfolder)), std::move(search.entries), 0});
        } else if (endsWithExactly(entry.cFileName, extension)) {
            list.append(std::move(entry.cFileName), level.folder, audioMode);
        }
    }
    return true;
}

bool collectAudioFlat(const FileSystem &fs, const std::string &folder, FileNameList &list)
{
    FolderSearch search = fs.searchFolder(folder, "*.ogg");
    if (!search.found())
        return false;
    const auto sharedFolder = std::make_shared<const std::string>(folder);
    for (FindData &entry : search.entries) {
        if (!isFolder(entry))
            list.append(std::move(entry.cFileName), sharedFolder, true);
    }
    return true;
}
