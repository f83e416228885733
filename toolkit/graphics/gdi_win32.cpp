#include "toolkit/graphics/gdi_win32.h"
#include "toolkit/graphics/screen_depth.h"

#include <cstring>
#include <memory>

#include <windows.h>

namespace {

constexpr std::size_t fileHeaderSize = 14;

// BITMAPINFO with room for a full colour table.
struct DibHeader {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

// The clipboard, open for as long as this lives.
class OpenClipboardScope {
public:
    OpenClipboardScope() : m_open(::OpenClipboard(nullptr) != FALSE) {}
    ~OpenClipboardScope()
    {
        if (m_open)
            ::CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope &) = delete;
    OpenClipboardScope &operator=(const OpenClipboardScope &) = delete;
    bool isOpen() const { return m_open; }

private:
    bool m_open;
};

} // namespace

void stretchDibRows(NativeSurface &surface, const DibRows &rows, int left, int top, int width, int height)
{
    auto info = std::make_unique<DibHeader>();
    info->header.biSize = sizeof(BITMAPINFOHEADER);
    info->header.biWidth = rows.width;
    // A negative height marks rows that lie top-down in memory.
    info->header.biHeight = rows.bottomUp ? rows.height : -rows.height;
    info->header.biPlanes = 1;
    info->header.biBitCount = static_cast<WORD>(rows.bitsPerPixel);
    info->header.biCompression = BI_RGB;
    if (rows.bitsPerPixel == 8) {
        info->header.biClrUsed = 256;
        for (int i = 0; i < 256; ++i) {
            const std::uint32_t colour = rows.colours[i];
            info->colours[i] = RGBQUAD{static_cast<BYTE>(colour), static_cast<BYTE>(colour >> 8),
                                       static_cast<BYTE>(colour >> 16), 0};
        }
    }
    HDC context = &surface;
    ::SetStretchBltMode(context, COLORONCOLOR);
    ::StretchDIBits(context, left, top, width, height, 0, 0, rows.width, rows.height, rows.pixels,
                    reinterpret_cast<const BITMAPINFO *>(info.get()), DIB_RGB_COLORS, SRCCOPY);
}

bool putBitmapFileOnClipboard(const std::vector<std::uint8_t> &file)
{
    if (file.size() <= fileHeaderSize || file[0] != 'B' || file[1] != 'M')
        return false;
    const std::size_t dibSize = file.size() - fileHeaderSize;
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, dibSize);
    if (memory == nullptr)
        return false;
    std::memcpy(::GlobalLock(memory), file.data() + fileHeaderSize, dibSize);
    ::GlobalUnlock(memory);
    OpenClipboardScope clipboard;
    // Once SetClipboardData succeeds, the memory is the system's.
    if (!clipboard.isOpen() || !::EmptyClipboard() || ::SetClipboardData(CF_DIB, memory) == nullptr) {
        ::GlobalFree(memory);
        return false;
    }
    return true;
}

std::vector<std::uint8_t> clipboardBitmapFile()
{
    OpenClipboardScope clipboard;
    if (!clipboard.isOpen())
        return {};
    HANDLE memory = ::GetClipboardData(CF_DIB);
    const std::size_t dibSize = memory == nullptr ? 0 : ::GlobalSize(memory);
    if (dibSize < sizeof(BITMAPINFOHEADER))
        return {};
    const auto *dib = static_cast<const std::uint8_t *>(::GlobalLock(memory));
    if (dib == nullptr)
        return {};
    BITMAPINFOHEADER header;
    std::memcpy(&header, dib, sizeof header);
    std::size_t colours = header.biClrUsed;
    if (colours == 0 && header.biBitCount <= 8)
        colours = std::size_t{1} << header.biBitCount;
    const std::size_t masks = header.biCompression == BI_BITFIELDS && header.biSize == sizeof header ? 12 : 0;
    const std::size_t pixelOffset = fileHeaderSize + header.biSize + masks + 4 * colours;

    std::vector<std::uint8_t> file(fileHeaderSize + dibSize);
    const auto put32 = [&file](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(file.size()));
    put32(10, static_cast<std::uint32_t>(pixelOffset));
    std::memcpy(file.data() + fileHeaderSize, dib, dibSize);
    ::GlobalUnlock(memory);
    return file;
}

int platformScreenDepth()
{
    HDC screen = ::GetDC(nullptr);
    if (screen == nullptr)
        return 24;
    const int bits = ::GetDeviceCaps(screen, BITSPIXEL) * ::GetDeviceCaps(screen, PLANES);
    ::ReleaseDC(nullptr, screen);
    return bits;
}
