#pragma once

#include "toolkit/forms/tbounds.h"
#include "toolkit/forms/tnotifyevent.h"

#include <QPushButton>

// Push button with a click event. Never a default or cancel button: Return
// and Escape do not press it.
class TButton : public QPushButton {
public:
    TButton(QWidget *parent, const TBounds &bounds, const QString &caption);

    TNotifyEvent OnClick;
};
