#pragma once

#include "jpeg/libjpeg.h"

#include <cstdint>

class TStream;

// A decompression object for reading headers only: a copy of
// ErrorManagerTemplate as its error manager and no progress manager. The
// object is destroyed with the reader. Drive it through callCodec.
class HeaderOnlyDecompressor {
public:
    // Raises EJPEG when the library refuses to create the object.
    HeaderOnlyDecompressor();
    ~HeaderOnlyDecompressor();
    HeaderOnlyDecompressor(const HeaderOnlyDecompressor &) = delete;
    HeaderOnlyDecompressor &operator=(const HeaderOnlyDecompressor &) = delete;

    jpeg_decompress_struct *codec() { return &m_codec; }

private:
    // The codec object points at m_err: the reader never moves.
    jpeg_error_mgr m_err;
    jpeg_decompress_struct m_codec;
};

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
