#pragma once

class QWidget;

// A control's place in its parent: left and top, width and height, in
// pixels as laid out for 96 dots per inch.
struct TBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Puts the control at its fixed place. Controls are never laid out by Qt,
// so a resized window moves and stretches nothing.
void placeControl(QWidget &control, const TBounds &bounds);
