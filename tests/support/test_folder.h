#pragma once

#include <filesystem>
#include <string>

// A temporary folder for one test, named after the running test, removed
// with everything in it when the object goes. Its path is canonical: the
// folder walkers report canonical folders, and a temporary folder reached
// through a link must compare equal to what they report. Paths are UTF-8 in
// the platform's own form ('\' on Windows), as the file-system services
// report them; relative ones given to it are written with '/'.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder &) = delete;
    TestFolder &operator=(const TestFolder &) = delete;

    // Absolute, without a trailing separator.
    const std::string &path() const { return m_path; }
    std::string operator/(const std::string &relative) const;

    void makeFolder(const std::string &relative) const;
    // Writes byte for byte, making the folders on the way; throws
    // std::runtime_error naming the file when it cannot.
    void writeFile(const std::string &relative, const std::string &content = "") const;
    // The whole content, or "<missing>" when the file cannot be read.
    static std::string readFile(const std::string &path);

private:
    std::string m_path;
};

// `path` (UTF-8, in the platform's form) as the C++ library takes it; on
// Windows a long one gets the "\\?\" form, which the library does not add.
std::filesystem::path fsPath(const std::string &path);
