#pragma once

#include <string>

// The process's current working folder as an absolute path; empty when it
// cannot be read (for example when it was removed).
std::string currentWorkingFolder();

// Remembers the working folder and changes back to it when it goes out of
// scope, on every way out.
class WorkingFolderRestorer {
public:
    WorkingFolderRestorer() : m_folder(currentWorkingFolder()) {}
    ~WorkingFolderRestorer();
    WorkingFolderRestorer(const WorkingFolderRestorer &) = delete;
    WorkingFolderRestorer &operator=(const WorkingFolderRestorer &) = delete;

    const std::string &folder() const { return m_folder; }

private:
    std::string m_folder;
};
