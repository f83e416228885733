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
    // The text is drawn in the foreground role, which a label on a
    // button-face background takes as ButtonText unless told otherwise: fix
    // the role, then colour it in every colour group, so that an inactive
    // window keeps its links blue.
    control.setForegroundRole(QPalette::WindowText);
    QPalette palette = control.palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    control.setPalette(palette);
    control.setCursor(Qt::PointingHandCursor);
}
