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
    m_root = fs::temp_directory_path().string() + "/vorrel-" + test->test_suite_name() + "-" + test->name();
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

void TempTree::file(const std::string &relative, const std::string &content) const
{
    const fs::path target = path(relative);
    fs::create_directories(target.parent_path());
    if (!std::ofstream(target, std::ios::binary).write(content.data(), static_cast<std::streamsize>(content.size())))
        throw std::runtime_error("cannot write test file " + target.string());
}

FolderSearch RefusingFileSystem::searchFolder(const std::string &folder, const std::string &pattern) const
{
    searchedFolders.push_back(folder);
    return refusedFolders.contains(folder) ? FolderSearch{FolderSearch::Status::CannotOpen, EACCES, {}}
                                           : FileSystem::searchFolder(folder, pattern);
}

TextFileReader RefusingFileSystem::openTextFile(const std::string &path) const
{
    return refusedFiles.contains(path) ? TextFileReader::refused(EACCES) : FileSystem::openTextFile(path);
}
