#pragma once

// A control's place in its parent: left and top, width and height, in
// pixels as laid out for 96 dots per inch. Controls stay at their place:
// a resized window moves and stretches nothing.
struct TBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const TBounds &) const = default;
};
