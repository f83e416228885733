#include "toolkit/forms/topendialog.h"

#include "toolkit/filesystem/system_path_win32.h"
#include "toolkit/forms/tform.h"
#include "toolkit/forms/control_window_win32.h"

#include <commdlg.h>

#include <cwchar>
#include <vector>

namespace {

// "description|patterns|description|patterns" as the dialog takes it: each
// part ended by a null character, the whole by a second one.
std::wstring dialogFilter(const std::string &filter)
{
    std::wstring parts = toSystemText(filter);
    for (wchar_t &character : parts) {
        if (character == L'|')
            character = L'\0';
    }
    if (!parts.empty())
        parts += L'\0';
    parts += L'\0';
    return parts;
}

} // namespace

std::optional<std::string> TOpenDialog::showSystemDialog() const
{
    const std::wstring filter = dialogFilter(m_filter);
    // Without a folder the dialog would open where it was last used; the
    // program opens at the working folder.
    const std::wstring initialFolder = m_initialDir.empty() ? currentFolderText() : toSystemText(m_initialDir);
    const std::wstring title = toSystemText(m_title);
    std::vector<wchar_t> file(32768, L'\0');

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_owner ? windowHandle(*m_owner) : nullptr;
    dialog.lpstrFilter = filter.size() > 1 ? filter.c_str() : nullptr;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    if (!::GetOpenFileNameW(&dialog))
        return std::nullopt;
    return fromSystemText(file.data(), std::wcslen(file.data()));
}
