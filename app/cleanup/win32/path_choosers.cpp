#include "app/cleanup/win32/path_choosers.h"

#include <commdlg.h>
#include <shobjidl.h>

#include <memory>
#include <vector>

#include "app/cleanup/win32/win32_text.h"
#include "toolkit/filesystem/paths.h"

namespace {

struct ComRelease {
    void operator()(IUnknown *object) const { object->Release(); }
};
template <typename Interface>
using ComPointer = std::unique_ptr<Interface, ComRelease>;

// COM for this thread while a chooser is open, unless it is on already.
class ComUse {
public:
    ComUse() : m_started(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComUse()
    {
        if (m_started)
            CoUninitialize();
    }
    ComUse(const ComUse &) = delete;
    ComUse &operator=(const ComUse &) = delete;

private:
    bool m_started;
};

// The folder of `current` when it names an existing one; else nothing.
std::wstring startFolder(const std::string &current)
{
    if (current.empty())
        return {};
    const std::wstring path = wideText(current);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return path;
    const std::wstring parent = wideText(parentPath(current));
    const DWORD parentAttributes = GetFileAttributesW(parent.c_str());
    if (parentAttributes != INVALID_FILE_ATTRIBUTES && (parentAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return parent;
    return {};
}

void sayChooserFailed(HWND owner, const std::string &title, unsigned long code)
{
    char number[16];
    wsprintfA(number, "0x%08lX", code);
    MessageBoxW(owner, wideText("The system's chooser could not open (error " + std::string(number) + ").").c_str(),
                wideText(title).c_str(), MB_OK | MB_ICONWARNING);
}

} // namespace

std::optional<std::string> chooseFolder(HWND owner, const std::string &title, const std::string &current)
{
    const ComUse com;
    IFileOpenDialog *created = nullptr;
    HRESULT result = CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&created));
    if (FAILED(result)) {
        sayChooserFailed(owner, title, static_cast<unsigned long>(result));
        return std::nullopt;
    }
    const ComPointer<IFileOpenDialog> chooser(created);
    FILEOPENDIALOGOPTIONS options = 0;
    chooser->GetOptions(&options);
    chooser->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR | FOS_PATHMUSTEXIST);
    chooser->SetTitle(wideText(title).c_str());
    if (const std::wstring folder = startFolder(current); !folder.empty()) {
        IShellItem *item = nullptr;
        if (SUCCEEDED(SHCreateItemFromParsingName(folder.c_str(), nullptr, IID_PPV_ARGS(&item)))) {
            const ComPointer<IShellItem> start(item);
            chooser->SetFolder(start.get());
        }
    }
    result = chooser->Show(owner);
    if (result == HRESULT_FROM_WIN32(ERROR_CANCELLED))
        return std::nullopt;
    IShellItem *chosen = nullptr;
    if (FAILED(result) || FAILED(result = chooser->GetResult(&chosen))) {
        sayChooserFailed(owner, title, static_cast<unsigned long>(result));
        return std::nullopt;
    }
    const ComPointer<IShellItem> folder(chosen);
    wchar_t *path = nullptr;
    if (FAILED(result = folder->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
        sayChooserFailed(owner, title, static_cast<unsigned long>(result));
        return std::nullopt;
    }
    const std::unique_ptr<wchar_t, decltype(&CoTaskMemFree)> owned(path, CoTaskMemFree);
    return utf8Text(path);
}

std::optional<std::string> chooseFile(HWND owner, const std::string &title, const std::string &filter,
                                      const std::string &current)
{
    // "Description (*.ext)" as the chooser takes it: the description and
    // the pattern, each ending in a null, and a null after the last pair.
    const std::size_t open = filter.rfind('(');
    const std::size_t close = filter.rfind(')');
    const std::string pattern =
        open != std::string::npos && close > open ? filter.substr(open + 1, close - open - 1) : std::string("*.*");
    std::wstring filters = wideText(filter);
    filters += L'\0';
    filters += wideText(pattern);
    filters += L'\0';

    const std::wstring titleText = wideText(title);
    const std::wstring folder = startFolder(current);
    // Room for the longest path the system can give.
    std::vector<wchar_t> file(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = titleText.c_str();
    // The working folder stays where the program started: its settings live there.
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (GetOpenFileNameW(&dialog))
        return utf8Text(file.data());
    if (const DWORD error = CommDlgExtendedError())
        sayChooserFailed(owner, title, error);
    return std::nullopt;
}
