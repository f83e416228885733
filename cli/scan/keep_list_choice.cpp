#include "cli/scan/keep_list_choice.h"

#include <filesystem>

#include "keep/keep_list_file.h"
#include "toolkit/filesystem/paths.h"

std::optional<KeepList> chosenKeepList(const ScanArguments &arguments, const std::string &audioFolder)
{
    if (arguments.noKeepList || (arguments.keepList.empty() && audioFolder.empty()))
        return std::nullopt;
    std::error_code error;
    const std::string path = arguments.keepList.empty()
                                 ? findKeepList(audioFolder, FileOperations::native())
                                 : utf8FromPath(std::filesystem::absolute(pathFromUtf8(arguments.keepList), error));
    if (path.empty())
        return std::nullopt;
    return readKeepList(path, FileOperations::native());
}
