#include "toolkit/forms/timage.h"

#include "toolkit/forms/control_window_win32.h"
#include "toolkit/forms/handler_guard.h"
#include "toolkit/graphics/canvas.h"

TImage::TImage(TWinControl *parent, const TBounds &bounds)
    : TControl(parent, bounds)
{
    auto native = createControlWindow(*this, bounds, paintedControlClass(), 0, 0, std::string());
    native->paint = [this](HDC context) {
        if (!m_picture)
            return;
        // The picture keeps its natural size in layout pixels: on a screen
        // of another scale the drawing is scaled as the window was.
        const int previousMode = ::SetGraphicsMode(context, GM_ADVANCED);
        XFORM previousTransform;
        ::GetWorldTransform(context, &previousTransform);
        const float scale = static_cast<float>(screenPixels(1000)) / 1000.0f;
        const XFORM scaling{scale, 0.0f, 0.0f, scale, 0.0f, 0.0f};
        ::SetWorldTransform(context, &scaling);
        callDuringPaint([this, context] {
            TCanvas canvas(*context);
            m_picture->drawAt(canvas, TPoint{0, 0});
        });
        ::SetWorldTransform(context, &previousTransform);
        ::SetGraphicsMode(context, previousMode);
    };
    native->click = [this] { Click(); };
    adoptNative(std::move(native));
}

void TImage::SetPicture(std::unique_ptr<ImageContent> picture)
{
    m_picture = std::move(picture);
    ::InvalidateRect(windowHandle(*this), nullptr, TRUE);
}

void TImage::Click()
{
    callHandler(OnClick, this);
}
