#include "toolkit/forms/desktop_open.h"

#include "toolkit/core/ascii_case.h"
#include "toolkit/filesystem/system_path_win32.h"
#include "toolkit/forms/tform.h"
#include "toolkit/forms/win32_native.h"


#include <shellapi.h>

namespace {

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

} // namespace

bool openThroughDesktop(const ShellRequest &request)
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
