#include "toolkit/forms/tbounds.h"

#include <QWidget>

void placeControl(QWidget &control, const TBounds &bounds)
{
    control.setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
}
