#include "tests/toolkit/filesystem/temp_tree.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TempTree::TempTree()
{
    const testing::TestInfo *test = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "vorrel-" + std::string(test->test_suite_name()) + "-" + test->name();
    m_root = (fs::temp_directory_path() / name).string();
    fs::remove_all(m_root);
    fs::create_directories(m_root);
    // The walkers report canonical folders: a temp folder reached through a
    // link must compare equal to what they report.
    m_root = fs::canonical(m_root).string();
}

TempTree::~TempTree()
{
    std::error_code error;
    fs::remove_all(m_root, error);
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
    if (!out.write(content.data(), static_cast<std::streamsize>(content.size())))
        throw std::runtime_error("cannot write test file " + target.string());
}

void TempTree::link(const std::string &relative, const std::string &target) const
{
    fs::create_symlink(target, path(relative));
}

FolderSearch RefusingFileSystem::searchFolder(const std::string &folder, const std::string &pattern) const
{
    searchedFolders.push_back(folder);
    if (refusedFolders.count(folder) == 0)
        return FileSystem::searchFolder(folder, pattern);
    FolderSearch refused;
    refused.status = FolderSearch::Status::CannotOpen;
    refused.error = EACCES;
    return refused;
}

TextFileReader RefusingFileSystem::openTextFile(const std::string &path) const
{
    return refusedFiles.count(path) != 0 ? TextFileReader::refused(EACCES) : FileSystem::openTextFile(path);
}
