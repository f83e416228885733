#include "tests/toolkit/filesystem/temp_tree.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

TempTree::TempTree()
{
    const testing::TestInfo *test = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "vorrel-";
    name += test != nullptr ? std::string(test->test_suite_name()) + "-" + test->name() : "test";
    for (char &c : name) {
        if (c == '/')
            c = '_';
    }
    std::error_code error;
    m_root = (fs::temp_directory_path(error) / name).string();
    fs::remove_all(m_root, error);
    fs::create_directories(m_root);
    // The walkers report canonical folders; a temp folder reached through a
    // link must compare equal to what they report.
    m_root = fs::canonical(m_root).string();
}

TempTree::~TempTree()
{
    std::error_code error;
    // Tests may have taken permissions away; give them back so removal works.
    for (auto it = fs::recursive_directory_iterator(m_root, fs::directory_options::skip_permission_denied, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (!it->is_symlink())
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
    fs::remove_all(m_root, error);
}

std::string TempTree::path(const std::string &relative) const
{
    return m_root + "/" + relative;
}

void TempTree::folder(const std::string &relative) const
{
    fs::create_directories(path(relative));
}

void TempTree::file(const std::string &relative, const std::string &content) const
{
    const fs::path target = path(relative);
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out)
        throw std::runtime_error("cannot write test file " + target.string());
}

void TempTree::link(const std::string &relative, const std::string &target) const
{
    fs::create_symlink(target, path(relative));
}

FolderSearch RefusingFileSystem::searchFolder(const std::string &folder, const std::string &pattern) const
{
    searchedFolders.push_back(folder);
    if (refusedFolders.count(folder) != 0) {
        FolderSearch refused;
        refused.status = FolderSearch::Status::CannotOpen;
        refused.error = EACCES;
        return refused;
    }
    return FileSystem::searchFolder(folder, pattern);
}

TextFileReader RefusingFileSystem::openTextFile(const std::string &path) const
{
    if (refusedFiles.count(path) != 0)
        return TextFileReader::refused(EACCES);
    return FileSystem::openTextFile(path);
}

bool runningAsRoot()
{
    return ::geteuid() == 0;
}
