#include "cli/scan/program_io.h"

#include <algorithm>
#include <memory>

#include <windows.h>
#include <shellapi.h>

#include "toolkit/filesystem/utf16_text.h"

namespace {

bool writeAll(DWORD which, std::string_view text)
{
    const HANDLE stream = ::GetStdHandle(which);
    if (stream == nullptr || stream == INVALID_HANDLE_VALUE)
        return false;
    DWORD mode = 0;
    if (::GetConsoleMode(stream, &mode)) {
        // A console shows text in its own code page; given UTF-16 it shows
        // every name, whatever that code page is.
        const std::u16string wide = utf8ToUtf16(text);
        const auto *data = reinterpret_cast<const wchar_t *>(wide.data());
        std::size_t done = 0;
        while (done < wide.size()) {
            // A piece ends before a surrogate pair, not inside it: a console
            // given half a pair shows two replacement marks.
            const DWORD ask = static_cast<DWORD>(utf16PieceLength(std::u16string_view(wide).substr(done), 16 * 1024));
            DWORD written = 0;
            if (!::WriteConsoleW(stream, data + done, ask, &written, nullptr) || written == 0)
                return false;
            done += written;
        }
        return true;
    }
    // A file or a pipe: the bytes as they are, written past the C runtime so
    // that nothing turns '\n' into "\r\n".
    std::size_t done = 0;
    while (done < text.size()) {
        const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(stream, text.data() + done, ask, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

struct LocalFreeDeleter {
    void operator()(LPWSTR *arguments) const noexcept { ::LocalFree(arguments); }
};

} // namespace

std::vector<std::string> programArguments(int, char **)
{
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalFreeDeleter> wide(::CommandLineToArgvW(::GetCommandLineW(), &count));
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i) {
        const wchar_t *argument = wide.get()[i];
        arguments.push_back(utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t *>(argument), ::wcslen(argument))));
    }
    return arguments;
}

bool writeStandardOutput(std::string_view text)
{
    return writeAll(STD_OUTPUT_HANDLE, text);
}

bool writeStandardError(std::string_view text)
{
    return writeAll(STD_ERROR_HANDLE, text);
}
