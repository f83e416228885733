#pragma once

#include <string>

// A temporary folder for one test, named after the running test, removed
// with everything in it when the object goes. Its path is canonical: the
// folder walkers report canonical folders, and a temporary folder reached
// through a link must compare equal to what they report.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder &) = delete;
    TestFolder &operator=(const TestFolder &) = delete;

    // Absolute, without a trailing '/'.
    const std::string &path() const { return m_path; }
    std::string operator/(const std::string &relative) const { return m_path + '/' + relative; }

    void makeFolder(const std::string &relative) const;
    // Writes byte for byte, making the folders on the way; throws
    // std::runtime_error naming the file when it cannot.
    void writeFile(const std::string &relative, const std::string &content = "") const;
    // The whole content, or "<missing>" when the file cannot be read.
    static std::string readFile(const std::string &path);

private:
    std::string m_path;
};
