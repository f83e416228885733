#include "toolkit/forms/shell_execute.h"

#include "toolkit/core/ascii_case.h"
#include "toolkit/filesystem/system_path_win32.h"
#include "toolkit/forms/tform.h"
#include "toolkit/forms/win32_native.h"

#include <map>
#include <utility>

#include <shellapi.h>

namespace {

ShellHandler &shellHandler()
{
    static ShellHandler handler;
    return handler;
}

std::map<std::string, std::string> &documentStandIns()
{
    static std::map<std::string, std::string> standIns;
    return standIns;
}

std::optional<std::string> optionalText(const char *text)
{
    if (!text)
        return std::nullopt;
    return std::string(text);
}

bool sameIgnoringCase(const std::string &a, const std::string &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(static_cast<unsigned char>(a[i])) != asciiLower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool startsWithNoCase(const std::string &text, const std::string &start)
{
    return text.size() >= start.size() && sameIgnoringCase(text.substr(0, start.size()), start);
}

// An address names its scheme before a colon ("mailto:", "https:"); a
// single letter before the colon is a drive.
bool isAddress(const std::string &file)
{
    const std::string::size_type colon = file.find(':');
    return colon != std::string::npos && colon > 1 && file.find_first_of("\\/") > colon;
}

bool isWebAddress(const std::string &text)
{
    return startsWithNoCase(text, "http://") || startsWithNoCase(text, "https://");
}

bool fileExists(const std::string &path)
{
    return ::GetFileAttributesW(systemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool shellOpen(HWND owner, const std::string &file, const std::optional<std::string> &parameters,
               const std::optional<std::string> &directory, int showCommand)
{
    const std::wstring wideFile = toSystemText(file);
    const std::wstring wideParameters = parameters ? toSystemText(*parameters) : std::wstring();
    const std::wstring wideDirectory = directory ? toSystemText(*directory) : std::wstring();
    const HINSTANCE result = ::ShellExecuteW(owner, L"open", wideFile.c_str(),
                                             parameters ? wideParameters.c_str() : nullptr,
                                             directory ? wideDirectory.c_str() : nullptr, showCommand);
    // Values above 32 mean the shell carried the request out.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool openThroughShell(const ShellRequest &request)
{
    if (request.verb && !request.verb->empty() && !sameIgnoringCase(*request.verb, "open"))
        return false;
    HWND owner = request.owner ? windowHandle(*request.owner) : nullptr;
    if (sameIgnoringCase(request.file, "iexplore.exe")) {
        // The named browser program with the address; where it cannot
        // start, the desktop's own browser opens the address.
        const std::string address = request.parameters.value_or(std::string());
        if (!isWebAddress(address))
            return false;
        return shellOpen(owner, request.file, request.parameters, request.directory, request.showCommand) ||
               shellOpen(owner, address, std::nullopt, std::nullopt, request.showCommand);
    }
    if (request.parameters && !request.parameters->empty())
        return shellOpen(owner, request.file, request.parameters, request.directory, request.showCommand);
    if (isAddress(request.file))
        return shellOpen(owner, request.file, std::nullopt, std::nullopt, request.showCommand);
    return shellOpen(owner, documentToOpen(request.file, request.directory), std::nullopt, request.directory,
                     request.showCommand);
}

} // namespace

bool ShellExecuteA(const TForm *owner, const char *verb, const char *file, const char *parameters,
                   const char *directory, int showCommand)
{
    ShellRequest request{owner, optionalText(verb), file ? file : "", optionalText(parameters),
                         optionalText(directory), showCommand};
    if (const ShellHandler &handler = shellHandler()) {
        handler(request);
        return true;
    }
    return openThroughShell(request);
}

void setDocumentStandIn(const std::string &documentName, const std::string &standIn)
{
    if (standIn.empty())
        documentStandIns().erase(documentName);
    else
        documentStandIns()[documentName] = standIn;
}

std::string documentToOpen(const std::string &file, const std::optional<std::string> &directory)
{
    std::wstring relativeTo;
    if (directory && !directory->empty()) {
        relativeTo = toSystemText(*directory);
        if (relativeTo.back() != L'\\' && relativeTo.back() != L'/')
            relativeTo += L'\\';
    }
    const std::wstring wanted = relativeTo + toSystemText(file);
    std::wstring full(32768, L'\0');
    const DWORD length = ::GetFullPathNameW(wanted.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    const std::string path = length > 0 && length < full.size() ? fromSystemText(full.data(), length) : file;
    if (!fileExists(path)) {
        const auto standIn = documentStandIns().find(file);
        if (standIn != documentStandIns().end() && fileExists(standIn->second))
            return standIn->second;
    }
    return path;
}

ShellHandlerOverride::ShellHandlerOverride(ShellHandler handler)
    : m_previous(std::exchange(shellHandler(), std::move(handler)))
{
}

ShellHandlerOverride::~ShellHandlerOverride()
{
    shellHandler() = std::move(m_previous);
}
