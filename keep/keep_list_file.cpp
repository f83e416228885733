#include "keep/keep_list_file.h"

#include <filesystem>

#include "toolkit/filesystem/paths.h"

std::string findKeepList(const std::string &audioFolder, const FileOperations &operations)
{
    std::filesystem::path folder = pathFromUtf8(audioFolder);
    for (;;) {
        const std::string candidate = joinPath(utf8FromPath(folder), KeepList::fileName);
        FileStamp stamp;
        if (!operations.stat(candidate, stamp))
            return candidate;
        if (!folder.has_relative_path())
            return {};
        folder = folder.parent_path();
    }
}

KeepList readKeepList(const std::string &path, const FileOperations &operations)
{
    std::string content;
    if (const std::error_code error = operations.readFile(path, content))
        return KeepList::unreadable(path, "cannot be read: " + error.message());
    return KeepList(path, content);
}

std::optional<KeepList> keepListFor(const std::string &audioFolder, const FileOperations &operations)
{
    const std::string path = findKeepList(audioFolder, operations);
    if (path.empty())
        return std::nullopt;
    return readKeepList(path, operations);
}
