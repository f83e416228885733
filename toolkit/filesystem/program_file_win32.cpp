#include "toolkit/filesystem/program_file.h"

#include "toolkit/filesystem/system_path_win32.h"

#include <windows.h>

std::string programFile()
{
    // A result that fills the buffer may be cut off: ask again with more room.
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return userPath(std::move(buffer));
        }
        buffer.resize(buffer.size() * 2);
    }
}
