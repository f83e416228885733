#pragma once

#include <cstdint>
#include <vector>

// The floor the picture object is measured against: the same decode and encode
// done with plain libjpeg calls on memory buffers, with the choices the picture
// makes by default (floating-point transform, block smoothing, blue-green-red
// pixels; encoding at quality 90 with baseline tables).

struct PlainPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgr; // top-down rows of 3 * width bytes
};

// Decodes a whole JPEG file held in memory. Throws std::runtime_error on a
// codec failure.
PlainPicture plainDecode(const std::vector<std::uint8_t> &jpeg);

// Encodes the picture; the result is a complete JPEG file.
std::vector<std::uint8_t> plainEncode(const PlainPicture &picture);
