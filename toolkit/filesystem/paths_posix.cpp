#include "toolkit/filesystem/paths.h"

#include <system_error>

bool isPathSeparator(char c)
{
    return c == '/';
}

bool isAbsolutePath(std::string_view path)
{
    return !path.empty() && path.front() == '/';
}

std::string joinPath(const std::string &folder, const std::string &name)
{
    if (!folder.empty() && folder.back() == '/')
        return folder + name;
    return folder + '/' + name;
}

std::string withNativeSeparators(std::string path)
{
    return path;
}

std::string absolutePath(const std::string &path)
{
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(path, error).lexically_normal();
    if (full.has_relative_path() && !full.has_filename())
        full = full.parent_path();
    return full.string();
}

std::filesystem::path pathFromUtf8(const std::string &path)
{
    return std::filesystem::path(path);
}

std::string utf8FromPath(const std::filesystem::path &path)
{
    return path.native();
}

std::string genericUtf8FromPath(const std::filesystem::path &path)
{
    return path.generic_string();
}
