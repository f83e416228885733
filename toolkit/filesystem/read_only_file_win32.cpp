#include "toolkit/filesystem/read_only_file.h"

#include <algorithm>

#include <windows.h>

#include "toolkit/filesystem/system_path_win32.h"

ReadOnlyFile::Handle ReadOnlyFile::open(const std::string &path, int &error)
{
    // Others may read, write or delete meanwhile, as they may on POSIX; a
    // folder does not open (it needs FILE_FLAG_BACKUP_SEMANTICS).
    const HANDLE file = ::CreateFileW(systemPath(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = static_cast<int>(::GetLastError());
        return invalidHandle;
    }
    return reinterpret_cast<Handle>(file);
}

std::ptrdiff_t ReadOnlyFile::read(Handle file, char *buffer, std::size_t size, int &error)
{
    DWORD got = 0;
    const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (!::ReadFile(reinterpret_cast<HANDLE>(file), buffer, ask, &got, nullptr)) {
        error = static_cast<int>(::GetLastError());
        return -1;
    }
    return static_cast<std::ptrdiff_t>(got);
}

void ReadOnlyFile::close(Handle file) noexcept
{
    ::CloseHandle(reinterpret_cast<HANDLE>(file));
}
