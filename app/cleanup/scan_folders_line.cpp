#include "app/cleanup/scan_folders_line.h"

namespace {

std::string shown(const std::string &folder)
{
    return folder.empty() ? std::string("(none)") : folder;
}

} // namespace

std::string schemesFolderText(const std::string &schemesFolder)
{
    return "Schemes: " + shown(schemesFolder);
}

std::string audioFolderText(const std::string &audioFolder)
{
    return "Audio: " + shown(audioFolder);
}

std::string scanFoldersLine(const std::string &schemesFolder, const std::string &audioFolder)
{
    return schemesFolderText(schemesFolder) + "    " + audioFolderText(audioFolder);
}
