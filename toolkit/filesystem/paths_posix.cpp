#include "toolkit/filesystem/paths.h"

#include <cstdlib>
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

namespace {

// `path` with every link on the way resolved, as far as it exists; the
// parts that do not exist yet are kept as written.
std::string resolvedPath(const std::string &path)
{
    std::string existing = lexicallyNormal(path), rest;
    for (;;) {
        if (char *resolved = ::realpath(existing.c_str(), nullptr)) {
            std::string full = resolved;
            std::free(resolved);
            return rest.empty() ? full : joinPath(full, rest);
        }
        const std::string parent = parentPath(existing);
        if (parent == existing)
            return lexicallyNormal(path);
        const std::string name = existing.substr(parent.size() + (parent.back() == '/' ? 0 : 1));
        rest = rest.empty() ? name : name + '/' + rest;
        existing = parent;
    }
}

} // namespace

bool isSameOrInside(const std::string &folder, const std::string &path)
{
    const std::string resolvedFolder = resolvedPath(folder), resolved = resolvedPath(path);
    return resolvedFolder == resolved || relativePathInside(resolvedFolder, resolved).has_value();
}

std::string absolutePath(const std::string &path)
{
    if (path.empty() || isAbsolutePath(path))
        return path.empty() ? path : lexicallyNormal(path);
    std::error_code error;
    const std::string here = std::filesystem::current_path(error).native();
    return error ? std::string() : lexicallyNormal(joinPath(here, path));
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
