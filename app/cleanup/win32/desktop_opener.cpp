#include "app/cleanup/win32/desktop_opener.h"

#include "toolkit/forms/shell_execute.h"

FileOpener desktopOpener()
{
    return [](const std::string &path) { return ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOW); };
}
