#include "toolkit/forms/deferred_error_box.h"

#include "toolkit/forms/tapplication.h"

#include <exception>
#include <utility>
#include <vector>

#include <windows.h>

namespace {

const UINT showDeferredErrors = WM_APP;

std::vector<std::exception_ptr> &deferredErrors()
{
    static std::vector<std::exception_ptr> errors;
    return errors;
}

LRESULT CALLBACK deferredErrorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != showDeferredErrors)
        return ::DefWindowProcW(window, message, wParam, lParam);
    const std::vector<std::exception_ptr> errors = std::exchange(deferredErrors(), {});
    for (const std::exception_ptr &error : errors)
        TApplication::ShowCurrentException(error);
    return 0;
}

// A window that only receives messages: the error boxes of a paint are
// posted to it and shown once the loop gets to them.
HWND deferredErrorWindow()
{
    static const HWND window = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = deferredErrorProcedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"VorrelDeferredErrors";
        ::RegisterClassExW(&windowClass);
        return ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 windowClass.hInstance, nullptr);
    }();
    return window;
}

} // namespace

void showErrorBoxLater(std::exception_ptr error) noexcept
{
    try {
        deferredErrors().push_back(std::move(error));
        ::PostMessageW(deferredErrorWindow(), showDeferredErrors, 0, 0);
    } catch (...) {
        // No memory left to keep the error; the paint still ends.
    }
}
