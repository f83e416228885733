#include "toolkit/filesystem/file_replacement.h"

#include <filesystem>
#include <utility>

#include "toolkit/filesystem/paths.h"

namespace {

const FileOperations *&replacementOperations()
{
    static const FileOperations *operations = &FileOperations::native();
    return operations;
}

// The file a path finally names: a symbolic link is followed, so that the
// link itself is never replaced by a plain file.
std::string finalTarget(const std::string &path)
{
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(pathFromUtf8(path), error);
    return error ? path : utf8FromPath(target);
}

} // namespace

std::error_code replaceFileText(const std::string &path, const std::string &content)
{
    return replaceFileText(path, content, *replacementOperations());
}

std::error_code replaceFileText(const std::string &path, const std::string &content, const FileOperations &operations)
{
    const std::string target = finalTarget(path);
    std::string temporary;
    std::error_code error;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target + ".new" + (attempt == 0 ? std::string() : std::to_string(attempt));
        error = operations.rewriteTail(temporary, 0, content, true);
        if (error != std::errc::file_exists)
            break;  // written, or not a name clash: the folder takes no new file
    }
    if (error == std::errc::file_exists)
        return error;  // nothing of ours to remove
    if (!error) {
        std::error_code ignored;
        const std::filesystem::file_status old = std::filesystem::status(pathFromUtf8(target), ignored);
        if (std::filesystem::exists(old))
            std::filesystem::permissions(pathFromUtf8(temporary), old.permissions(), ignored);
        error = operations.renameReplacing(temporary, target);
    }
    if (error)
        (void)operations.removeFile(temporary);
    return error;
}

FileReplacementOverride::FileReplacementOverride(const FileOperations &operations)
    : m_previous(std::exchange(replacementOperations(), &operations))
{
}

FileReplacementOverride::~FileReplacementOverride()
{
    replacementOperations() = m_previous;
}
