#pragma once

#include <set>
#include <string>
#include <vector>

#include "toolkit/filesystem/file_system.h"

// A temporary folder tree named after the running test, removed at scope end.
class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree &) = delete;
    TempTree &operator=(const TempTree &) = delete;

    const std::string &root() const { return m_root; }
    std::string path(const std::string &relative) const { return m_root + "/" + relative; }
    // Writes `content` byte for byte, creating the folders on the way.
    void file(const std::string &relative, const std::string &content = "") const;

private:
    std::string m_root;
};

// Refuses chosen folders and files as missing permissions would, even for
// root, and notes every folder searched.
class RefusingFileSystem : public FileSystem {
public:
    std::set<std::string> refusedFolders, refusedFiles;
    mutable std::vector<std::string> searchedFolders;

    FolderSearch searchFolder(const std::string &folder, const std::string &pattern) const override;
    TextFileReader openTextFile(const std::string &path) const override;
};
