#include "toolkit/forms/tfolderdialog.h"

#include "toolkit/core/exceptions.h"
#include "toolkit/filesystem/system_path_win32.h"
#include "toolkit/forms/tform.h"
#include "toolkit/forms/control_window_win32.h"

#include <objbase.h>
#include <shobjidl.h>

#include <cstdio>
#include <memory>

namespace {

// COM for this thread while the dialog is open.
class ComApartment {
public:
    ComApartment() : m_result(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComApartment()
    {
        if (SUCCEEDED(m_result))
            ::CoUninitialize();
    }
    ComApartment(const ComApartment &) = delete;
    ComApartment &operator=(const ComApartment &) = delete;

private:
    HRESULT m_result;
};

struct ComRelease {
    void operator()(IUnknown *object) const { object->Release(); }
};
template <typename Interface>
using ComPointer = std::unique_ptr<Interface, ComRelease>;

void check(HRESULT result, const char *what)
{
    if (FAILED(result)) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
        throw Exception(std::string("The folder chooser cannot ") + what + " (system error " + code + ")");
    }
}

} // namespace

std::optional<std::string> TFolderDialog::showSystemDialog() const
{
    const ComApartment apartment;
    IFileOpenDialog *created = nullptr;
    check(::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&created)), "open");
    const ComPointer<IFileOpenDialog> dialog(created);
    FILEOPENDIALOGOPTIONS options = 0;
    check(dialog->GetOptions(&options), "open");
    check(dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST), "open");
    if (!m_title.empty())
        dialog->SetTitle(toSystemText(m_title).c_str());
    const std::wstring initialFolder = m_initialDir.empty() ? currentFolderText() : toSystemText(m_initialDir);
    IShellItem *folder = nullptr;
    if (SUCCEEDED(::SHCreateItemFromParsingName(initialFolder.c_str(), nullptr, IID_PPV_ARGS(&folder)))) {
        const ComPointer<IShellItem> openAt(folder);
        dialog->SetFolder(openAt.get());
    }

    const HRESULT shown = dialog->Show(m_owner ? windowHandle(*m_owner) : nullptr);
    if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED))
        return std::nullopt;
    check(shown, "be shown");
    IShellItem *chosenItem = nullptr;
    check(dialog->GetResult(&chosenItem), "give the chosen folder");
    const ComPointer<IShellItem> chosen(chosenItem);
    PWSTR path = nullptr;
    check(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path), "give the chosen folder's path");
    const std::unique_ptr<wchar_t, decltype(&::CoTaskMemFree)> ownedPath(path, ::CoTaskMemFree);
    return userPath(path);
}
