// Path text rules shared by both platforms, built on the platform's own
// separator and root rules in paths_posix.cpp and paths_win32.cpp.

#include "toolkit/filesystem/paths.h"

namespace {

// The length of the root at the start of `path`: "/" on POSIX; on Windows
// also "C:", "C:\" and "\\server\share\" style beginnings.
std::size_t rootLength(std::string_view path)
{
    if (!isAbsolutePath(path))
        return 0;
    if (path.size() >= 2 && path[1] == ':')  // only absolute on Windows
        return path.size() > 2 && isPathSeparator(path[2]) ? 3 : 2;
    std::size_t length = 0;
    while (length < path.size() && isPathSeparator(path[length]))
        ++length;
    if (length < 2)
        return length;
    // "\\server\share\": the server and share names belong to the root.
    for (int part = 0; part < 2 && length < path.size(); ++part) {
        while (length < path.size() && !isPathSeparator(path[length]))
            ++length;
        if (length < path.size())
            ++length;
    }
    return length;
}

bool samePart(const std::string &a, const std::string &b)
{
    if (!isPathSeparator('\\'))
        return a == b;
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

} // namespace

std::string parentPath(const std::string &path)
{
    const std::size_t root = rootLength(path);
    std::size_t end = path.size();
    while (end > root && !isPathSeparator(path[end - 1]))
        --end;
    while (end > root && isPathSeparator(path[end - 1]))
        --end;
    return end == 0 ? path : path.substr(0, end);
}

std::vector<std::string> pathParts(std::string_view path)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i)
        if (i == path.size() || isPathSeparator(path[i])) {
            if (i > start)
                parts.emplace_back(path.substr(start, i - start));
            start = i + 1;
        }
    return parts;
}

std::string lexicallyNormal(const std::string &path)
{
    const std::size_t root = rootLength(path);
    std::vector<std::string> kept;
    for (std::string &part : pathParts(std::string_view(path).substr(root))) {
        if (part == ".")
            continue;
        if (part == ".." && !kept.empty() && kept.back() != "..")
            kept.pop_back();
        else if (part != ".." || root == 0)
            kept.push_back(std::move(part));
    }
    std::string normal = withNativeSeparators(path.substr(0, root));
    for (const std::string &part : kept)
        normal = normal.empty() ? part : joinPath(normal, part);
    return normal.empty() ? "." : normal;
}

std::optional<std::string> relativePathInside(const std::string &folder, const std::string &path)
{
    const std::string normalFolder = lexicallyNormal(folder), normalPath = lexicallyNormal(path);
    const std::size_t folderRoot = rootLength(normalFolder), pathRoot = rootLength(normalPath);
    if (!samePart(normalFolder.substr(0, folderRoot), normalPath.substr(0, pathRoot)))
        return std::nullopt;
    const std::vector<std::string> outer = pathParts(std::string_view(normalFolder).substr(folderRoot));
    const std::vector<std::string> inner = pathParts(std::string_view(normalPath).substr(pathRoot));
    if (inner.size() <= outer.size())
        return std::nullopt;
    for (std::size_t i = 0; i < outer.size(); ++i)
        if (!samePart(outer[i], inner[i]))
            return std::nullopt;
    std::string relative;
    for (std::size_t i = outer.size(); i < inner.size(); ++i)
        relative += (relative.empty() ? "" : "/") + inner[i];
    return relative;
}
