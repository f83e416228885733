#include "cli/scan/keep_list_choice.h"

#include <filesystem>

#include "keep/keep_list_file.h"
#include "toolkit/filesystem/paths.h"

std::optional<KeepList> chosenKeepList(const ScanArguments &arguments, const std::string &audioFolder)
{
    if (arguments.noKeepList || (arguments.keepList.empty() && audioFolder.empty()))
        return std::nullopt;
    if (arguments.keepList.empty())
        return keepListFor(audioFolder, FileOperations::native());
    std::error_code error;
    return readKeepList(utf8FromPath(std::filesystem::absolute(pathFromUtf8(arguments.keepList), error)),
                        FileOperations::native());
}
