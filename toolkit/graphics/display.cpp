#include "toolkit/graphics/display.h"

#include "toolkit/graphics/screen_depth.h"

#include <utility>

struct DeviceContext {
};

namespace {

DeviceContext screenContext;

// 0 while no override is in force.
int overriddenDepth = 0;

int screenDepth()
{
    return overriddenDepth > 0 ? overriddenDepth : platformScreenDepth();
}

} // namespace

HDC GetDC(std::nullptr_t)
{
    return &screenContext;
}

int ReleaseDC(std::nullptr_t, HDC deviceContext)
{
    return deviceContext == &screenContext ? 1 : 0;
}

int GetDeviceCaps(HDC deviceContext, int index)
{
    if (deviceContext == nullptr)
        return 0;
    switch (index) {
    case BITSPIXEL: return screenDepth();
    case PLANES: return 1;
    default: return 0;
    }
}

int displayBitsPerPixel()
{
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    return bits;
}

DisplayDepthOverride::DisplayDepthOverride(int bitsPerPixel) : m_previous(std::exchange(overriddenDepth, bitsPerPixel))
{
}

DisplayDepthOverride::~DisplayDepthOverride()
{
    overriddenDepth = m_previous;
}
