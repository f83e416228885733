#include "toolkit/forms/tcontrol.h"

// The constructor, adoptNative and the destructor are the backend's: they
// need the native control's type.

void TControl::setBoundsSize(int width, int height)
{
    m_bounds.width = width;
    m_bounds.height = height;
}

int TWinControl::ControlCount() const
{
    int count = 0;
    for (int i = 0; i < ComponentCount(); ++i)
        count += dynamic_cast<TControl *>(Components(i)) ? 1 : 0;
    return count;
}

TControl *TWinControl::Controls(int index) const
{
    for (int i = 0; i < ComponentCount(); ++i) {
        if (auto *control = dynamic_cast<TControl *>(Components(i)); control && index-- == 0)
            return control;
    }
    return nullptr;
}
