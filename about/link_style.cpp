#include "about/link_style.h"

#include "toolkit/forms/toolkit_font.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

void applyLinkStyle(QWidget &control)
{
    QFont font = toolkitFont();
    font.setUnderline(true);
    control.setFont(font);
    QPalette palette = control.palette();
    // Every colour group: an inactive window keeps its links blue.
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    control.setPalette(palette);
    control.setCursor(Qt::PointingHandCursor);
}
