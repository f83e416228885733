#include "toolkit/forms/timage.h"

#include "toolkit/forms/click_tracker_qt.h"
#include "toolkit/forms/handler_guard.h"
#include "toolkit/forms/qt_native.h"
#include "toolkit/graphics/canvas.h"

#include <QPainter>
#include <QWidget>

namespace {

// Paints the image's picture; a click on it clicks the image.
class ImageWidget : public ClickableWidget<QWidget> {
public:
    ImageWidget(TImage &image, QWidget *parent) : ClickableWidget([&image] { image.Click(); }, parent), m_image(image) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        const ImageContent *picture = m_image.Picture();
        if (!picture)
            return;
        QPainter painter(this);
        TCanvas canvas(painter);
        callDuringPaint([&] { picture->drawAt(canvas, TPoint{0, 0}); });
    }

private:
    TImage &m_image;
};

} // namespace

TImage::TImage(TWinControl *parent, const TBounds &bounds)
    : TControl(parent, bounds)
{
    auto *image = new ImageWidget(*this, qtChildArea(*parent));
    adoptNative(placedControl(image, bounds));
    image->setFocusPolicy(Qt::NoFocus);
}

void TImage::SetPicture(std::unique_ptr<ImageContent> picture)
{
    m_picture = std::move(picture);
    qtWidget(*this)->update();
}

void TImage::Click()
{
    callHandler(OnClick, this);
}
