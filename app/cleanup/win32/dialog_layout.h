#pragma once

#include "app/cleanup/win32/windows_api.h"

#include <vector>

// Keeps a resizable dialog's controls in place as the user resizes it,
// going by where each lies against the dialog's list: the list takes the
// new room; what lies below it moves down with the bottom edge; what starts
// right of the list's middle moves with the right edge; and what else
// reaches (nearly) as far right as the list grows as wide as it does.
class DialogLayout {
public:
    // Takes the dialog's layout as the template made it, the smallest it may get.
    void capture(HWND dialog, HWND list);
    void resize(HWND dialog) const;
    void limit(MINMAXINFO &info) const;

private:
    struct Placed {
        HWND control;
        RECT rect;  // in the dialog's client area as first laid out
        bool followRight, growWidth, followBottom, growHeight;
    };
    SIZE m_client{};
    SIZE m_window{};
    std::vector<Placed> m_controls;
};
