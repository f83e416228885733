#pragma once

#include "tests/jpeg/reference/rasterimage.h"

#include <filesystem>
#include <string>
#include <vector>

// JPEG files made by the reference encoder from synthetic pictures: the
// inputs of the comparisons with the reference decoder.
struct ReferenceInput {
    std::string name;
    int width;
    int height;
    bool gray; // a gray picture (PGM), encoded as gray data
    std::vector<std::string> encoderOptions;
};

// Baseline, progressive, restart markers, 4:4:4 sampling, gray data, odd
// sizes from 1 x 1 to a few hundred thousand pixels.
const std::vector<ReferenceInput> &referenceInputs();

// Encodes the input's picture with the reference encoder into folder and
// returns the JPEG file's path.
std::filesystem::path makeReferenceJpeg(const ReferenceInput &input, const std::filesystem::path &folder);

// The synthetic picture behind an input.
RasterImage referencePicture(const ReferenceInput &input);
