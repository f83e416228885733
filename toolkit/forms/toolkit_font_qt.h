#pragma once

#include <QFont>

// The toolkit's default control font: "MS Sans Serif" at 8 points, which is
// 11 pixels of character height on the 96 dots-per-inch screen the window
// layouts are drawn for. Where that face is not installed a sans-serif face
// of the same pixel size stands in, slightly condensed, so the captions
// still fit the unchanged control sizes.
QFont toolkitFont(bool bold = false);
