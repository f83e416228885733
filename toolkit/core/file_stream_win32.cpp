#include "toolkit/core/file_stream.h"

#include "toolkit/core/exceptions.h"

#include <algorithm>
#include <system_error>

#include <windows.h>

#include "toolkit/filesystem/system_path_win32.h"

namespace {

HANDLE handleOf(std::intptr_t file)
{
    return reinterpret_cast<HANDLE>(file);
}

// The system's text for the calling thread's last error.
std::string systemReason()
{
    return std::system_category().message(static_cast<int>(::GetLastError()));
}

} // namespace

TFileStream::TFileStream(const std::string &fileName, TFileMode mode) : m_fileName(fileName)
{
    const DWORD access = mode == TFileMode::OpenRead ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    const DWORD disposition = mode == TFileMode::Create ? CREATE_ALWAYS : OPEN_EXISTING;
    // Others may read, write or delete meanwhile, as they may on POSIX.
    const HANDLE file = ::CreateFileW(systemPath(fileName).c_str(), access,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, disposition,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (mode == TFileMode::Create)
            throw EFCreateError("Cannot create file \"" + fileName + "\": " + systemReason());
        throw EFOpenError("Cannot open file \"" + fileName + "\": " + systemReason());
    }
    m_file = reinterpret_cast<std::intptr_t>(file);
}

TFileStream::~TFileStream()
{
    ::CloseHandle(handleOf(m_file));
}

std::int64_t TFileStream::Read(void *buffer, std::int64_t count)
{
    std::int64_t done = 0;
    auto *bytes = static_cast<char *>(buffer);
    while (done < count) {
        DWORD got = 0;
        const auto ask = static_cast<DWORD>(std::min<std::int64_t>(count - done, 1 << 30));
        if (!::ReadFile(handleOf(m_file), bytes + done, ask, &got, nullptr))
            throw EReadError("Cannot read file \"" + m_fileName + "\": " + systemReason());
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

std::int64_t TFileStream::Write(const void *buffer, std::int64_t count)
{
    std::int64_t done = 0;
    const auto *bytes = static_cast<const char *>(buffer);
    while (done < count) {
        DWORD written = 0;
        const auto ask = static_cast<DWORD>(std::min<std::int64_t>(count - done, 1 << 30));
        if (!::WriteFile(handleOf(m_file), bytes + done, ask, &written, nullptr) || written == 0)
            throw EWriteError("Cannot write file \"" + m_fileName + "\": " + systemReason());
        done += written;
    }
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    DWORD method = FILE_BEGIN;
    switch (origin) {
    case TSeekOrigin::Beginning: method = FILE_BEGIN; break;
    case TSeekOrigin::Current: method = FILE_CURRENT; break;
    case TSeekOrigin::End: method = FILE_END; break;
    }
    LARGE_INTEGER distance{};
    distance.QuadPart = offset;
    LARGE_INTEGER position{};
    if (!::SetFilePointerEx(handleOf(m_file), distance, &position, method))
        throw EReadError("Cannot seek in file \"" + m_fileName + "\": " + systemReason());
    return position.QuadPart;
}

void TFileStream::SetSize64(std::int64_t size)
{
    const std::int64_t position = GetPosition();
    // The end of a Windows file is set at the file pointer: move there, cut
    // or extend, and come back (or stop at the new end).
    if (size < 0 || Seek(size, TSeekOrigin::Beginning) != size || !::SetEndOfFile(handleOf(m_file)))
        throw EWriteError("Cannot set the size of file \"" + m_fileName + "\" to " + std::to_string(size) + " bytes");
    Seek(std::min(position, size), TSeekOrigin::Beginning);
}
