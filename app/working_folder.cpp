#include "app/working_folder.h"

#include "toolkit/filesystem/file_system.h"

#include <filesystem>
#include <system_error>

WorkingFolderRestorer::WorkingFolderRestorer() : m_folder(FileSystem::native().GetCurrentDirectoryA())
{
}

WorkingFolderRestorer::~WorkingFolderRestorer()
{
    if (m_folder.empty())
        return;
    std::error_code error;
    std::filesystem::current_path(m_folder, error);
}
