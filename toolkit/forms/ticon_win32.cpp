#include "toolkit/forms/ticon.h"

#include "toolkit/core/exceptions.h"
#include "toolkit/filesystem/system_path_win32.h"
#include "toolkit/forms/win32_native.h"
#include "toolkit/graphics/canvas.h"

std::shared_ptr<const NativeIcon> adoptIcon(HICON icon)
{
    auto native = std::make_shared<NativeIcon>();
    native->icon = icon;
    ICONINFO parts{};
    if (::GetIconInfo(icon, &parts)) {
        BITMAP picture{};
        // A colour icon's size is its colour bitmap's; a monochrome icon's
        // mask holds the picture and its mask one above the other.
        if (parts.hbmColor && ::GetObjectW(parts.hbmColor, sizeof picture, &picture)) {
            native->width = picture.bmWidth;
            native->height = picture.bmHeight;
        } else if (parts.hbmMask && ::GetObjectW(parts.hbmMask, sizeof picture, &picture)) {
            native->width = picture.bmWidth;
            native->height = picture.bmHeight / 2;
        }
        if (parts.hbmColor)
            ::DeleteObject(parts.hbmColor);
        if (parts.hbmMask)
            ::DeleteObject(parts.hbmMask);
    }
    return native;
}

void TIcon::LoadFromFile(const std::string &fileName)
{
    // Width and height 0: the first picture of the file at its own size.
    HANDLE icon = ::LoadImageW(nullptr, toSystemText(fileName).c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
    if (!icon)
        throw EInvalidGraphic("The file " + fileName + " holds no readable icon");
    m_native = adoptIcon(static_cast<HICON>(icon));
}

bool TIcon::Empty() const
{
    return !m_native;
}

int TIcon::Width() const
{
    return m_native ? m_native->width : 0;
}

int TIcon::Height() const
{
    return m_native ? m_native->height : 0;
}

TSize TIcon::naturalSize() const
{
    return {Width(), Height()};
}

void TIcon::drawAt(TCanvas &canvas, const TPoint &topLeft) const
{
    if (m_native)
        ::DrawIconEx(&canvas.Surface(), topLeft.x, topLeft.y, m_native->icon, m_native->width, m_native->height, 0,
                     nullptr, DI_NORMAL);
}
