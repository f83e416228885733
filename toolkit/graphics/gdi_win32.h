#pragma once

#include "toolkit/graphics/canvas.h"

#include <cstdint>
#include <vector>

// Plain-data bridges to GDI and the system clipboard. The toolkit's own
// palette and device-context names cannot meet <windows.h> in one file, so
// the pictures cross here as bytes and numbers.

// Rows of a bitmap as they lie in memory, 4-byte aligned: 24 bits blue,
// green, red, or 8-bit indices into 256 colours (0x00RRGGBB each).
struct DibRows {
    const std::uint8_t *pixels = nullptr;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;
    bool bottomUp = false;
    const std::uint32_t *colours = nullptr;
};

// Draws rows scaled into the given rectangle of surface, straight from the
// caller's memory.
void stretchDibRows(NativeSurface &surface, const DibRows &rows, int left, int top, int width, int height);

// Puts a BMP file's picture on the clipboard as a device-independent bitmap;
// false (nothing changed) when the clipboard cannot be opened or the file is
// not a BMP file.
bool putBitmapFileOnClipboard(const std::vector<std::uint8_t> &file);
// The clipboard's device-independent bitmap as a BMP file; empty when the
// clipboard holds none or cannot be opened.
std::vector<std::uint8_t> clipboardBitmapFile();
