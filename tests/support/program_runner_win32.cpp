#include "tests/support/program_runner.h"

#include <cstdio>

#include <windows.h>

#include "toolkit/filesystem/system_path_win32.h"

namespace {

// One argument quoted so that the C runtime's command-line parser gives it
// back unchanged: backslashes are literal except before a double quote.
std::wstring quoted(const std::wstring &argument)
{
    std::wstring text = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        text.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        text += c;
    }
    text.append(backslashes * 2, L'\\');
    return text + L"\"";
}

class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle) : m_handle(handle) {}
    ~OwnedHandle()
    {
        if (m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr)
            ::CloseHandle(m_handle);
    }
    OwnedHandle(const OwnedHandle &) = delete;
    OwnedHandle &operator=(const OwnedHandle &) = delete;
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// The file `path` made anew for the child to write; none when no file is named.
HANDLE outputFor(const std::string &path)
{
    if (path.empty())
        return INVALID_HANDLE_VALUE;
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return ::CreateFileW(systemPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

int runProgram(const std::string &program, const std::vector<std::string> &arguments, const std::string &outputFile,
               const std::string &errorFile)
{
    std::wstring commandLine = quoted(toSystemText(program));
    for (const std::string &argument : arguments)
        commandLine += L" " + quoted(toSystemText(argument));
    const OwnedHandle out(outputFor(outputFile));
    const OwnedHandle err(outputFor(errorFile));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outputFile.empty() ? ::GetStdHandle(STD_OUTPUT_HANDLE) : out.get();
    startup.hStdError = errorFile.empty() ? ::GetStdHandle(STD_ERROR_HANDLE) : err.get();
    // Under a busy Wine server a process start now and then fails for no
    // reason of the program's own; a few tries apart tell that from a
    // program that cannot start at all.
    PROCESS_INFORMATION process{};
    for (int attempt = 1;; ++attempt) {
        if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
            break;
        if (attempt == 4) {
            std::fprintf(stderr, "cannot start %s: system error %lu\n", program.c_str(), ::GetLastError());
            return -1;
        }
        ::Sleep(250 * attempt);
    }
    const OwnedHandle processHandle(process.hProcess);
    const OwnedHandle threadHandle(process.hThread);
    DWORD exitCode = 0;
    if (::WaitForSingleObject(process.hProcess, INFINITE) != WAIT_OBJECT_0 ||
        !::GetExitCodeProcess(process.hProcess, &exitCode))
        return -1;
    return static_cast<int>(exitCode);
}
