#include "tests/toolkit/forms/test_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include <unistd.h>

TestFolder::TestFolder()
{
    const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + '.' + test->name();
    for (char &c : name)
        c = c == '/' ? '_' : c;
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("vorrel-" + name + '-' + std::to_string(::getpid()));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
    m_path = root.string();
}

TestFolder::~TestFolder()
{
    std::error_code error;
    // A test may have taken write rights away; the tree must still go.
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(m_path, error);
}

std::string TestFolder::makeFolder(const std::string &name) const
{
    const std::string path = *this / name;
    std::filesystem::create_directories(path);
    return path;
}

std::string TestFolder::writeFile(const std::string &name, const std::string &content) const
{
    const std::string path = *this / name;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

std::string TestFolder::readFile(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return "<missing>";
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}
