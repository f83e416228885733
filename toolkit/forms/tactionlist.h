#pragma once

#include "toolkit/forms/tcomponent.h"

// A list of actions. The program's lists hold none; the object exists so
// the window has every component it declares.
class TActionList : public TComponent {
public:
    explicit TActionList(TComponent *owner) : TComponent(owner) {}
};
