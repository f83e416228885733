#include "icon/icon_drawing.h"

#include <QPainter>
#include <QPainterPath>

#include <array>

namespace {

constexpr int iconSize = 48;

// The glyph's strokes, in pixels of the 48 by 48 picture.
QPainterPath glyphStrokes()
{
    QPainterPath path;
    path.addRoundedRect(QRectF(15.5, 14.5, 17, 29), 3, 3); // the upright frame
    path.addEllipse(QPointF(24, 26), 5, 5);                // the ring at its centre
    path.moveTo(24, 14.5);                                  // the forked top
    path.lineTo(24, 9.5);
    path.lineTo(18, 3.5);
    path.moveTo(24, 9.5);
    path.lineTo(30, 3.5);
    return path;
}

// Two rows of three dots under the ring, and a row on each side of the frame.
constexpr std::array<QPointF, 12> glyphDots{{
    {19.5, 35.5}, {24, 35.5}, {28.5, 35.5},
    {19.5, 40}, {24, 40}, {28.5, 40},
    {9.5, 21}, {9.5, 26}, {9.5, 31},
    {38.5, 21}, {38.5, 26}, {38.5, 31},
}};

// Strokes at one width and colour, dots slightly heavier so they read at
// this size.
void drawGlyph(QPainter &painter, qreal width, const QColor &colour)
{
    QPen pen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(glyphStrokes());
    pen.setWidthF(width + 0.6);
    painter.setPen(pen);
    for (const QPointF &dot : glyphDots)
        painter.drawPoint(dot);
}

} // namespace

QImage drawProgramIcon()
{
    QImage picture(iconSize, iconSize, QImage::Format_RGB32);
    picture.fill(Qt::black);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setCompositionMode(QPainter::CompositionMode_Plus);
        // The glow: wide faint strokes under narrower brighter ones, adding
        // up towards the centre of each line.
        drawGlyph(painter, 6.0, QColor(0, 18, 70));
        drawGlyph(painter, 3.6, QColor(0, 40, 120));
        drawGlyph(painter, 2.2, QColor(20, 80, 170));
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        drawGlyph(painter, 1.0, QColor(170, 220, 255));
    }
    return picture.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
}
