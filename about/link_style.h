#pragma once

class TControl;

// The look of a link: the window's font underlined, pure blue (red 0,
// green 0, blue 255) and the hand pointer while the mouse is over it. The
// colour never changes: there is no visited state and no hover effect.
void applyLinkStyle(TControl &control);
