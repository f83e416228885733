#include "tests/support/test_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "toolkit/filesystem/file_system.h"
#ifdef _WIN32
#include "toolkit/filesystem/system_path_win32.h"
#endif

namespace fs = std::filesystem;

fs::path fsPath(const std::string &path)
{
#ifdef _WIN32
    // The library does not take the "\\?\" form everywhere either (it cannot
    // split it into parents), so only long paths get it.
    constexpr std::size_t longPath = 200;
    return fs::path(path.size() < longPath ? toSystemText(path) : systemPath(path));
#else
    return fs::path(path);
#endif
}

TestFolder::TestFolder()
{
    std::string name = "vorrel";
    if (const testing::TestInfo *test = testing::UnitTest::GetInstance()->current_test_info())
        name += std::string("-") + test->test_suite_name() + "-" + test->name();
    std::replace(name.begin(), name.end(), '/', '_'); // parameterised names
    const std::u8string temp = fs::temp_directory_path().u8string();
    const std::string base = joinPath(std::string(temp.begin(), temp.end()), name);
    // A fresh name each time, made exclusively: tests may run side by side.
    std::random_device seed;
    for (int attempt = 0; m_path.empty(); ++attempt) {
        const std::string candidate = base + "-" + std::to_string(seed() % 1000000);
        if (fs::create_directory(fsPath(candidate)))
            m_path = FileSystem::native().canonicalPath(candidate).value();
        else if (attempt == 100)
            throw std::runtime_error("cannot make temporary folder " + candidate);
    }
}

TestFolder::~TestFolder()
{
    std::error_code ignored;
    fs::remove_all(fsPath(m_path), ignored);
}

std::string TestFolder::operator/(const std::string &relative) const
{
    return joinPath(m_path, withNativeSeparators(relative));
}

void TestFolder::makeFolder(const std::string &relative) const
{
    // The folder itself too (a test may have emptied it away); below it one
    // level at a time, each by its whole path: the library cannot split a
    // long "\\?\" path into its parents.
    fs::create_directories(fsPath(m_path));
    for (std::size_t slash = relative.find('/'); slash != std::string::npos; slash = relative.find('/', slash + 1))
        fs::create_directory(fsPath(*this / relative.substr(0, slash)));
    if (!relative.empty())
        fs::create_directory(fsPath(*this / relative));
}

void TestFolder::writeFile(const std::string &relative, const std::string &content) const
{
    const std::size_t slash = relative.rfind('/');
    makeFolder(slash != std::string::npos ? relative.substr(0, slash) : std::string());
    if (!std::ofstream(fsPath(*this / relative), std::ios::binary)
             .write(content.data(), static_cast<std::streamsize>(content.size())))
        throw std::runtime_error("cannot write test file " + (*this / relative));
}

std::string TestFolder::readFile(const std::string &path)
{
    std::ifstream file(fsPath(path), std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return file ? content.str() : "<missing>";
}
