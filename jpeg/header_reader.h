#pragma once

#include <cstdint>

class TStream;

// What a JPEG header tells without decoding.
struct JpegHeaderFacts {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool grayscale = false;     // the data's colour space is gray
    bool multipleScans = false; // progressive (several-scan) data
};

// Reads the header of the JPEG data at the stream's position (the stream is
// left wherever reading stopped). Raises EJPEG when the data has no valid
// header, or whatever the stream raises.
JpegHeaderFacts ReadJpegHeader(TStream &stream);
