#pragma once

#include "tests/jpeg/reference/rasterimage.h"

#include <filesystem>

// Image files exchanged with the reference encoder and decoder.

// PPM (24-bit picture) or PGM (8-bit gray picture, levels taken as they are).
void writePnm(const std::filesystem::path &path, const RasterImage &image);

// Windows BMP with the 40-byte information header, 8 bits with colour table or
// 24 bits, rows bottom-up (positive height) or top-down (negative height).
// Throws std::runtime_error naming the file when it is not such a BMP.
RasterImage readBmp(const std::filesystem::path &path);

// Writes a bottom-up 24-bit BMP, or an 8-bit one with the image's palette.
void writeBmp(const std::filesystem::path &path, const RasterImage &image);
