#include "toolkit/forms/tcontrol.h"

#include "toolkit/forms/qt_native.h"
#include "toolkit/forms/toolkit_font_qt.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

NativeControl::NativeControl(QWidget *control, QWidget *children)
    : widget(control)
    , childArea(children ? children : control)
{
}

NativeControl::~NativeControl()
{
    delete widget.data();
}

std::unique_ptr<NativeControl> placedControl(QWidget *widget, const TBounds &bounds)
{
    widget->setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
    return std::make_unique<NativeControl>(widget, nullptr);
}

QWidget *qtWidget(const TControl &control)
{
    return control.native().widget;
}

QWidget *qtChildArea(const TWinControl &parent)
{
    return parent.native().childArea;
}

void NativeControlDeleter::operator()(NativeControl *native) const noexcept
{
    delete native;
}

void TControl::SetFont(const TFontStyle &style)
{
    m_font = style;
    QWidget *widget = qtWidget(*this);
    QFont font = toolkitFont(style.bold);
    font.setUnderline(style.underline);
    widget->setFont(font);
    QPalette palette; // the parent's colours, unless the style names one
    if (style.color != clDefault) {
        const QColor color(style.color & 0xFF, (style.color >> 8) & 0xFF, (style.color >> 16) & 0xFF);
        // Whichever role the background makes the text's (a label on a
        // button face takes ButtonText), in every colour group, so that an
        // inactive window keeps the colour.
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            palette.setColor(role, color);
    }
    widget->setPalette(palette);
    if (native().sizesToText) {
        widget->adjustSize();
        setBoundsSize(widget->width(), widget->height());
    }
}

void TControl::SetCursor(TCursor cursor)
{
    m_cursor = cursor;
    if (cursor == TCursor::HandPoint)
        qtWidget(*this)->setCursor(Qt::PointingHandCursor);
    else
        qtWidget(*this)->unsetCursor();
}

bool TControl::TakesFocus() const
{
    return (qtWidget(*this)->focusPolicy() & Qt::TabFocus) != 0;
}

void TControl::nameChanged()
{
    qtWidget(*this)->setObjectName(qtText(Name()));
}
