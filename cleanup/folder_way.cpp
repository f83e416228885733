#include "cleanup/folder_way.h"

#include "toolkit/filesystem/paths.h"

std::string pathBelow(const std::string &base, const std::string &relative)
{
    return joinPath(base, withNativeSeparators(relative));
}

FolderWay checkFolderWay(const FileOperations &operations, const std::string &base, const std::string &relative)
{
    FolderWay way;
    const std::vector<std::string> parts = pathParts(relative);
    for (std::size_t i = 0; i + 1 < parts.size(); ++i)
        way.folders.push_back(way.folders.empty() ? parts[i] : way.folders.back() + '/' + parts[i]);
    for (const std::string &folder : way.folders) {
        FileStamp stamp;
        const std::string path = pathBelow(base, folder);
        if (const std::error_code error = operations.stat(path, stamp)) {
            if (error != std::errc::no_such_file_or_directory)
                way.problem = "cannot look at " + path + ": " + error.message();
            return way;
        }
        if (stamp.kind != EntryKind::Folder) {
            way.problem = path + (stamp.kind == EntryKind::Link ? " is a symbolic link" : " is not a folder");
            return way;
        }
        ++way.existing;
    }
    return way;
}

std::string firstPartInTheWay(const FileOperations &operations, const std::string &path)
{
    for (std::string part = path;; part = parentPath(part)) {
        FileStamp stamp;
        if (const std::error_code error = operations.stat(part, stamp);
            error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory) {
            if (parentPath(part) == part)
                return {};
            continue;
        }
        return stamp.kind == EntryKind::File || stamp.kind == EntryKind::Other ? part : std::string();
    }
}
