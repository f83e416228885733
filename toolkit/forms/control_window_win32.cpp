#include "toolkit/forms/control_window_win32.h"

#include "toolkit/core/exceptions.h"
#include "toolkit/filesystem/system_path_win32.h"

#include <cwchar>

namespace {

// Marks the windows that stand for a control and leads back to it.
const wchar_t controlProperty[] = L"VorrelControl";

int screenDotsPerInch()
{
    static const int dotsPerInch = [] {
        HDC screen = ::GetDC(nullptr);
        const int found = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
        if (screen)
            ::ReleaseDC(nullptr, screen);
        return found > 0 ? found : 96;
    }();
    return dotsPerInch;
}

// Child window identifiers start above IDOK and IDCANCEL, which the dialog
// manager sends for Return and Escape.
int nextControlIdentifier()
{
    static int identifier = 0x100;
    return identifier++;
}

// Whether the system has a face of that name, rather than some other face
// standing in for it.
bool hasFace(const wchar_t *face)
{
    LOGFONTW description{};
    description.lfHeight = -11;
    description.lfCharSet = DEFAULT_CHARSET;
    std::wcscpy(description.lfFaceName, face);
    HFONT font = ::CreateFontIndirectW(&description);
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ previous = ::SelectObject(screen, font);
    wchar_t found[LF_FACESIZE] = L"";
    ::GetTextFaceW(screen, LF_FACESIZE, found);
    ::SelectObject(screen, previous);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(font);
    return ::lstrcmpiW(found, face) == 0;
}

// "MS Sans Serif"; where it is missing (Wine without Windows' fonts), a face
// of its build whose captions still fit the controls' fixed sizes.
const wchar_t *toolkitFace()
{
    static const wchar_t *const face = [] {
        for (const wchar_t *candidate : {L"MS Sans Serif", L"Microsoft Sans Serif", L"Arial", L"Nimbus Sans"}) {
            if (hasFace(candidate))
                return candidate;
        }
        return L"MS Sans Serif";
    }();
    return face;
}

struct SharedFont {
    HFONT font = createStyledFont({});
    ~SharedFont() { ::DeleteObject(font); }
};

LRESULT CALLBACK paintedControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (handleMessageForChildren(window, message, wParam, lParam, result))
        return result;
    TControl *control = controlOfWindow(window);
    if (!control)
        return ::DefWindowProcW(window, message, wParam, lParam);
    NativeControl &native = control->native();
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC context = ::BeginPaint(window, &paint);
        if (native.paint)
            native.paint(context);
        ::EndPaint(window, &paint);
        return 0;
    }
    case WM_LBUTTONDOWN:
        native.pressed = true;
        ::SetCapture(window);
        return 0;
    case WM_LBUTTONUP: {
        // A click is a press and a release inside the control.
        const bool wasPressed = native.pressed;
        native.pressed = false;
        if (::GetCapture() == window)
            ::ReleaseCapture();
        RECT client;
        ::GetClientRect(window, &client);
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (wasPressed && ::PtInRect(&client, at) && native.click)
            native.click();
        return 0;
    }
    case WM_CAPTURECHANGED:
        native.pressed = false;
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

NativeControl::~NativeControl()
{
    if (window) {
        ::RemovePropW(window, controlProperty);
        ::DestroyWindow(window);
    }
    if (ownFont)
        ::DeleteObject(ownFont);
}

int screenPixels(int layoutPixels)
{
    return ::MulDiv(layoutPixels, screenDotsPerInch(), 96);
}

int layoutPixels(int screenPixels)
{
    return ::MulDiv(screenPixels, 96, screenDotsPerInch());
}

HFONT toolkitFontHandle()
{
    static const SharedFont shared;
    return shared.font;
}

HFONT createStyledFont(const TFontStyle &style)
{
    LOGFONTW description{};
    // 8 points: 11 pixels of character height at 96 dots per inch.
    description.lfHeight = -::MulDiv(8, screenDotsPerInch(), 72);
    description.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
    description.lfUnderline = style.underline ? TRUE : FALSE;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = DEFAULT_QUALITY;
    std::wcscpy(description.lfFaceName, toolkitFace());
    return ::CreateFontIndirectW(&description);
}

void tieWindowToControl(HWND window, TControl &control)
{
    ::SetPropW(window, controlProperty, &control);
}

TControl *controlOfWindow(HWND window)
{
    return window ? static_cast<TControl *>(::GetPropW(window, controlProperty)) : nullptr;
}

std::unique_ptr<NativeControl> createControlWindow(TControl &control, const TBounds &bounds, const wchar_t *className,
                                                   DWORD style, DWORD exStyle, const std::string &text)
{
    auto native = std::make_unique<NativeControl>();
    HWND parent = windowHandle(*control.Parent());
    native->window = ::CreateWindowExW(
        exStyle, className, toSystemText(text).c_str(), style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
        screenPixels(bounds.left), screenPixels(bounds.top), screenPixels(bounds.width), screenPixels(bounds.height),
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextControlIdentifier())), ::GetModuleHandleW(nullptr),
        nullptr);
    if (!native->window)
        throw Exception("Cannot create a control's window (system error " + std::to_string(::GetLastError()) + ")");
    tieWindowToControl(native->window, control);
    ::SendMessageW(native->window, WM_SETFONT, reinterpret_cast<WPARAM>(toolkitFontHandle()), FALSE);
    // A later control lies over an earlier one.
    ::SetWindowPos(native->window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return native;
}

void registerControlClass(const wchar_t *name, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    ::RegisterClassExW(&windowClass);
}

const wchar_t *paintedControlClass()
{
    static const wchar_t *const name = [] {
        registerControlClass(L"VorrelPaintedControl", paintedControlProcedure);
        return L"VorrelPaintedControl";
    }();
    return name;
}

bool handleMessageForChildren(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result)
{
    switch (message) {
    case WM_COMMAND: {
        TControl *sender = controlOfWindow(reinterpret_cast<HWND>(lParam));
        if (!sender || !sender->native().command)
            return false;
        sender->native().command(HIWORD(wParam));
        result = 0;
        return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT: {
        TControl *child = controlOfWindow(reinterpret_cast<HWND>(lParam));
        if (!child)
            return false;
        HDC context = reinterpret_cast<HDC>(wParam);
        const bool windowColour = child->native().windowBackground;
        if (!windowColour && child->Font().color == clDefault)
            return false;
        if (child->Font().color != clDefault)
            ::SetTextColor(context, static_cast<COLORREF>(child->Font().color));
        const int background = windowColour ? COLOR_WINDOW : COLOR_BTNFACE;
        ::SetBkColor(context, ::GetSysColor(background));
        result = reinterpret_cast<LRESULT>(::GetSysColorBrush(background));
        return true;
    }
    case WM_SETCURSOR: {
        TControl *under = controlOfWindow(reinterpret_cast<HWND>(wParam));
        if (!under || under->Cursor() != TCursor::HandPoint || LOWORD(lParam) != HTCLIENT)
            return false;
        ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
        result = TRUE;
        return true;
    }
    default:
        return false;
    }
}

std::string windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return fromSystemText(text.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

std::wstring currentFolderText()
{
    std::wstring folder(32768, L'\0');
    const DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
    folder.resize(length < folder.size() ? length : 0);
    return folder;
}
