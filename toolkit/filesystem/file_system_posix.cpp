#include "toolkit/filesystem/file_system.h"

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "toolkit/filesystem/directory_stream.h"
#include "toolkit/filesystem/file_attributes.h"
#include "toolkit/filesystem/wildcard_match.h"

namespace {

bool isDotEntry(std::string_view name)
{
    return name == "." || name == "..";
}

// The attribute word of an entry from its own status (lstat) and, for a
// link, whether the link leads to a folder.
std::uint32_t attributesFrom(const struct stat &own, bool linkLeadsToFolder, std::string_view name)
{
    std::uint32_t attributes = 0;
    if (S_ISLNK(own.st_mode)) {
        attributes |= FILE_ATTRIBUTE_REPARSE_POINT;
        if (linkLeadsToFolder)
            attributes |= FILE_ATTRIBUTE_DIRECTORY;
    } else if (S_ISDIR(own.st_mode)) {
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    }
    // "." and ".." are the folder itself and its parent, not hidden entries.
    if (!name.empty() && name.front() == '.' && !isDotEntry(name))
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    if (attributes == 0)
        attributes = FILE_ATTRIBUTE_NORMAL;
    return attributes;
}

// The attribute word of `name` inside the open folder `folderDescriptor`.
std::uint32_t attributesAt(int folderDescriptor, const char *name)
{
    struct stat own {};
    if (::fstatat(folderDescriptor, name, &own, AT_SYMLINK_NOFOLLOW) != 0)
        return INVALID_FILE_ATTRIBUTES;
    bool linkLeadsToFolder = false;
    if (S_ISLNK(own.st_mode)) {
        struct stat target {};
        linkLeadsToFolder = ::fstatat(folderDescriptor, name, &target, 0) == 0 && S_ISDIR(target.st_mode);
    }
    return attributesFrom(own, linkLeadsToFolder, name);
}

// The attribute word from the entry type the listing already knows, so that
// the common cases (plain files and folders) cost no extra system call.
std::uint32_t attributesOf(const DirectoryStream &folder, const dirent &entry)
{
    const std::string_view name(entry.d_name);
    const std::uint32_t hidden = (!name.empty() && name.front() == '.') ? FILE_ATTRIBUTE_HIDDEN : 0;
    switch (entry.d_type) {
    case DT_DIR:
        return FILE_ATTRIBUTE_DIRECTORY | hidden;
    case DT_REG:
        return hidden != 0 ? hidden : FILE_ATTRIBUTE_NORMAL;
    default:
        return attributesAt(folder.descriptor(), entry.d_name);
    }
}

} // namespace

const FileSystem &FileSystem::native()
{
    static const FileSystem services;
    return services;
}

FolderSearch FileSystem::searchFolder(const std::string &folder, const std::string &pattern) const
{
    DirectoryStream listing(folder);
    if (!listing.isOpen())
        return {FolderSearch::Status::CannotOpen, listing.error(), {}};
    FolderSearch search = startSearch(pattern);
    while (const dirent *entry = listing.next()) {
        const std::string_view name(entry->d_name);
        if (isDotEntry(name) || !matchesWildcard(pattern, name))
            continue;
        search.entries.push_back({std::string(name), attributesOf(listing, *entry)});
    }
    if (listing.error() != 0)
        return {FolderSearch::Status::CannotOpen, listing.error(), {}};
    finishSearch(search);
    return search;
}

std::string FileSystem::GetCurrentDirectoryA() const
{
    std::unique_ptr<char, decltype(&std::free)> path(::getcwd(nullptr, 0), &std::free);
    return path ? std::string(path.get()) : std::string();
}

std::optional<std::string> FileSystem::canonicalPath(const std::string &path) const
{
    if (path.empty())
        return std::nullopt;
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    if (!resolved)
        return std::nullopt;
    return std::string(resolved.get());
}

TextFileReader FileSystem::openTextFile(const std::string &path) const
{
    return TextFileReader(path);
}

std::optional<std::uintmax_t> FileSystem::fileSize(const std::string &path) const
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return static_cast<std::uintmax_t>(status.st_size);
}
