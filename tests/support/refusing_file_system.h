#pragma once

#include "toolkit/filesystem/file_system.h"

#include <set>
#include <string>
#include <vector>

// Refuses chosen folders and files as missing permissions would, even for
// root, and notes every folder searched.
class RefusingFileSystem : public FileSystem {
public:
    std::set<std::string> refusedFolders, refusedFiles;
    mutable std::vector<std::string> searchedFolders;

    FolderSearch searchFolder(const std::string &folder, const std::string &pattern) const override;
    TextFileReader openTextFile(const std::string &path) const override;
};
