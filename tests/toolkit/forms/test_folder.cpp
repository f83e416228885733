#include "tests/toolkit/forms/test_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include <unistd.h>

namespace fs = std::filesystem;

TestFolder::TestFolder()
{
    const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + '.' + test->name();
    for (char &c : name)
        c = c == '/' ? '_' : c;
    m_path = (fs::temp_directory_path() / ("vorrel-" + name + '-' + std::to_string(::getpid()))).string();
    fs::remove_all(m_path);
    fs::create_directories(m_path);
}

TestFolder::~TestFolder()
{
    std::error_code error;
    fs::remove_all(m_path, error);
}

std::string TestFolder::makeFolder(const std::string &name) const
{
    fs::create_directories(*this / name);
    return *this / name;
}

void TestFolder::writeFile(const std::string &name, const std::string &content) const
{
    fs::create_directories(fs::path(*this / name).parent_path());
    std::ofstream(*this / name, std::ios::binary) << content;
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
