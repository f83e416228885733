#pragma once

#include <string>

// A temporary folder tree for one test, named after the running test and
// removed, with everything in it, when the object goes.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder &) = delete;
    TestFolder &operator=(const TestFolder &) = delete;

    // Absolute path, without a trailing '/'.
    const std::string &path() const { return m_path; }
    // Absolute path of a name inside the folder.
    std::string operator/(const std::string &name) const { return m_path + '/' + name; }

    // Makes a folder (and its parents) inside the tree; returns its path.
    std::string makeFolder(const std::string &name) const;
    // Writes a file inside the tree, byte for byte; returns its path.
    std::string writeFile(const std::string &name, const std::string &content) const;
    // The whole content of a file, or "<missing>" when it cannot be read.
    static std::string readFile(const std::string &path);

private:
    std::string m_path;
};
