#pragma once

// A point and a size in pixels, as the window layouts give them: for a
// screen of 96 dots per inch (the platform scales them for another).
struct TPoint {
    int x = 0;
    int y = 0;
    bool operator==(const TPoint &) const = default;
};

struct TSize {
    int width = 0;
    int height = 0;
    bool IsEmpty() const { return width <= 0 || height <= 0; }
    bool operator==(const TSize &) const = default;
};
