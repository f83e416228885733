#include "toolkit/filesystem/paths.h"

#include <algorithm>

bool isPathSeparator(char c)
{
    return c == '/' || c == '\\';
}

bool isAbsolutePath(std::string_view path)
{
    if (!path.empty() && isPathSeparator(path.front()))
        return true;
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    return path.size() >= 2 && isLetter(path[0]) && path[1] == ':';
}

std::string joinPath(const std::string &folder, const std::string &name)
{
    if (!folder.empty() && isPathSeparator(folder.back()))
        return folder + name;
    return folder + '\\' + name;
}

std::string withNativeSeparators(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// Compared as written, after lexical normalisation and without letter case.
bool isSameOrInside(const std::string &folder, const std::string &path)
{
    const std::string normalFolder = lexicallyNormal(folder), normal = lexicallyNormal(path);
    return relativePathInside(normalFolder, normal).has_value()
           || (normalFolder.size() == normal.size() && relativePathInside(normalFolder, joinPath(normal, "x")) == "x");
}
