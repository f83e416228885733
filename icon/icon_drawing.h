#pragma once

#include <QImage>

// Draws the program icon: a glowing blue glyph on black, 48 by 48 pixels in
// 256 colours. The glyph is an upright frame with a ring at its centre, a
// forked top and rows of dots. Needs no application object.
QImage drawProgramIcon();
