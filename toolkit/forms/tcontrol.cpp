#include "toolkit/forms/tcontrol.h"

TControl::TControl(TWinControl *parent, const TBounds &bounds)
    : TComponent(parent)
    , m_parent(parent)
    , m_bounds(bounds)
{
}

TControl::~TControl()
{
    // The children's native controls go before this one's: a native parent
    // would otherwise take them along, or outlive them.
    destroyComponents();
}

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
