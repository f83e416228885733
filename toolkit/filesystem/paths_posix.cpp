#include "toolkit/filesystem/paths.h"

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
