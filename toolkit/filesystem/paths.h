#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Path text as the file-system services take and give it: UTF-8, with
// absolute paths in the platform's own form ("/sounds/audio" on POSIX,
// "C:\Sounds\audio" or "\\server\share\audio" on Windows). Paths are joined
// and classified here and nowhere else; the two platforms' rules live in
// paths_posix.cpp and paths_win32.cpp.

// True for a character that separates folders: '/' everywhere, and '\' as
// well on Windows.
bool isPathSeparator(char c);

// True when `path` does not depend on a base folder. On POSIX: it begins with
// '/'. On Windows: it begins with a drive letter and a colon ("C:\x", "C:"),
// with two separators (a UNC path "\\server\share" or a device path "\\?\"),
// or with one separator (the current drive's root).
bool isAbsolutePath(std::string_view path);

// `folder` and `name` joined by one separator (the platform's own), without
// doubling one that `folder` already ends with.
std::string joinPath(const std::string &folder, const std::string &name);

// `path` with every separator written the platform's own way.
std::string withNativeSeparators(std::string path);

// The folder that holds `path`: everything before its last separator, a
// root kept whole ("/x" gives "/", "C:\\x" gives "C:\\"); `path` itself
// when it has no separator but at a root.
std::string parentPath(const std::string &path);

// The parts of `path` between separators, empty ones left out.
std::vector<std::string> pathParts(std::string_view path);

// `path` with "." parts dropped and each ".." taking the part before it
// away (never the root), separators written the platform's way, none at
// the end but a root's. Purely on the text: no link is looked at.
std::string lexicallyNormal(const std::string &path);

// The part of `path` below `folder` as parts joined by '/', when `path`
// lies strictly inside `folder`, comparing their lexically normal forms
// part by part (without letter case on Windows); nothing otherwise.
std::optional<std::string> relativePathInside(const std::string &folder, const std::string &path);

// True when `path` is `folder` or lies below it, comparing resolved paths
// component by component (links and, on Windows, short names and junctions
// seen through; parts that do not exist yet taken as written); without
// letter case on Windows.
bool isSameOrInside(const std::string &folder, const std::string &path);

// The absolute form of `path`, taken against the working folder, with "."
// and ".." resolved as the system resolves them and without a separator at
// the end but a root's; the path need not exist, and links are not followed.
// On Windows that is GetFullPathNameW's reading (a name's trailing dots and
// blanks dropped, "\\?\" and UNC forms kept as the user form), except that a
// name that is also a device's ("aux", "CON") stays a name in its folder.
std::string absolutePath(const std::string &path);

// A UTF-8 path as std::filesystem takes it, and back, never throwing. Plain
// std::string conversions would read and write the ANSI code page on Windows
// and lose every name outside it, and the library's own UTF-8 conversion
// throws on a name with an unpaired surrogate, which NTFS allows; on Windows
// these go through the program's own UTF-16 conversion instead.
std::filesystem::path pathFromUtf8(const std::string &path);
std::string utf8FromPath(const std::filesystem::path &path);
// The same with '/' as the separator on every platform.
std::string genericUtf8FromPath(const std::filesystem::path &path);
