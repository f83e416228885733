#pragma once

#include <string>

// Remembers the working folder and changes back to it when it goes out of
// scope, on every way out.
class WorkingFolderRestorer {
public:
    WorkingFolderRestorer();
    ~WorkingFolderRestorer();
    WorkingFolderRestorer(const WorkingFolderRestorer &) = delete;
    WorkingFolderRestorer &operator=(const WorkingFolderRestorer &) = delete;

    const std::string &folder() const { return m_folder; }

private:
    std::string m_folder;
};
