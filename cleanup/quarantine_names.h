#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The names the clean-up gives its own files, and the rules a name read
// from a manifest must keep. A run's files carry a name no other run uses,
// so that whatever a run cut short leaves behind is never mistaken for a
// user's file or another run's, and only names a manifest records are
// ever removed.

// A string unique to this run of the program: process, time and a
// counter.
std::string newRunName();

// The name of a temporary copy this run makes beside a destination, and
// of the manifest writer's spare files beside the manifest.
std::string temporaryName(const std::string &run, std::size_t number);
std::string spareName(const std::string &run, int number);

// True for a name in the form temporaryName / spareName give, and nothing
// more: no separator, no "." or "..".
bool isTemporaryName(std::string_view name);
bool isSpareName(std::string_view name);

// True for a relative path that stays inside the folder it is relative to:
// not absolute, rooted or drive-relative, no empty, "." or ".." parts.
// Its separators are the platform's: a backslash is part of a name on
// POSIX and a separator on Windows.
bool isPlainRelativePath(std::string_view path);
