#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The platform's calls for reading one file from its start to its end,
// behind one small interface (read_only_file_posix.cpp: open/read/close;
// read_only_file_win32.cpp: CreateFileW/ReadFile/CloseHandle). Errors are
// the system's own codes: errno on POSIX, GetLastError() on Windows.
namespace ReadOnlyFile {

// A file descriptor on POSIX, a HANDLE on Windows; -1 is neither's valid
// value (it is INVALID_HANDLE_VALUE on Windows).
using Handle = std::intptr_t;
inline constexpr Handle invalidHandle = -1;

// Opens `path` for reading; invalidHandle and `error` set when it cannot.
Handle open(const std::string &path, int &error);

// Reads up to `size` bytes into `buffer`: the count read, 0 at the end of
// the file, or -1 with `error` set.
std::ptrdiff_t read(Handle file, char *buffer, std::size_t size, int &error);

// Closes a handle that open() returned.
void close(Handle file) noexcept;

} // namespace ReadOnlyFile
