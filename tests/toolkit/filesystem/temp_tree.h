#pragma once

#include <set>
#include <string>
#include <vector>

#include "toolkit/filesystem/file_system.h"

// A temporary folder tree for one test, named after the running test and
// removed when the object goes out of scope.
class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree &) = delete;
    TempTree &operator=(const TempTree &) = delete;

    // Absolute path of the tree's root, or of `relative` inside it.
    const std::string &root() const { return m_root; }
    std::string path(const std::string &relative) const;

    // Creates the folder `relative` with its parents.
    void folder(const std::string &relative) const;
    // Writes `content` byte for byte to `relative`, creating its folders.
    void file(const std::string &relative, const std::string &content = "") const;
    // Creates the symbolic link `relative` pointing at `target`.
    void link(const std::string &relative, const std::string &target) const;

private:
    std::string m_root;
};

// File-system services that refuse chosen folders and files, as missing
// permissions would even for root, and note every folder searched.
class RefusingFileSystem : public FileSystem {
public:
    std::set<std::string> refusedFolders;
    std::set<std::string> refusedFiles;
    mutable std::vector<std::string> searchedFolders;

    FolderSearch searchFolder(const std::string &folder, const std::string &pattern) const override;
    TextFileReader openTextFile(const std::string &path) const override;
};

// True when the process runs as root, where permission bits do not refuse.
bool runningAsRoot();
