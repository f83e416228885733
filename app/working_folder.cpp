#include "app/working_folder.h"

#include <filesystem>
#include <system_error>

std::string currentWorkingFolder()
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return error ? std::string() : folder.string();
}

WorkingFolderRestorer::~WorkingFolderRestorer()
{
    if (m_folder.empty())
        return;
    std::error_code error;
    std::filesystem::current_path(m_folder, error);
}
