#pragma once

#include <cstdint>

// Deterministic pictures that compress like photographs: broad colour
// gradients, soft texture, a few hard edges and fine grain. Benchmarks, tests
// and the fuzzing corpus make their inputs with these so that no binary sample
// has to be kept, and every run sees the same pixels for the same seed.
//
// Rows are produced one at a time so that a caller can fill a bitmap's own rows
// without an intermediate copy of the whole picture.

// Writes `width` pixels of row `y` of a colour picture as blue, green, red
// bytes (3 * width bytes at `bgr`).
void fillSyntheticPhotoRow(int width, int height, int y, std::uint32_t seed, std::uint8_t *bgr);

// Writes `width` gray levels of row `y` of a gray picture (width bytes at `gray`).
void fillSyntheticGrayRow(int width, int height, int y, std::uint32_t seed, std::uint8_t *gray);
