#pragma once

#include <string>

// How the windows name the two folders a scan reads: the Folders menu lists
// them one per item, each clean-up window in its first line. An empty folder
// string shows as "(none)".
std::string schemesFolderText(const std::string &schemesFolder);  // "Schemes: /mods/s/"
std::string audioFolderText(const std::string &audioFolder);      // "Audio: /mods/a/"
std::string scanFoldersLine(const std::string &schemesFolder, const std::string &audioFolder);
