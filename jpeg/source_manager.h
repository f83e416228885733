#pragma once

#include "jpeg/libjpeg.h"

class TStream;

inline constexpr int streamBlockSize = 4096;

// The data source that feeds a decompression object from a TStream, in
// blocks of 4096 bytes. Plain data in the codec object's permanent pool: it
// lives and dies with the codec object, which frees it without running any
// destructor, so nothing with a destructor may live here.
struct StreamSourceManager {
    jpeg_source_mgr pub;
    TStream *stream; // not owned
    JOCTET buffer[streamBlockSize];
    boolean startOfFile; // true from init_source until the first refill
};

// Makes stream the source of cinfo. Reading starts wherever the stream stands;
// the stream must outlive the decompression. A second call on the same object
// reuses the manager and buffer (bytes still buffered are dropped). Raises
// EJPEG when the codec cannot allocate the manager.
//
// While decoding: a stream with no byte at all fails with JERR_INPUT_EMPTY;
// a stream that ends later gets an end-of-image marker appended, silently;
// an exception from the stream reaches the caller of the library function
// unchanged. The source never seeks.
void jpeg_stream_src(j_decompress_ptr cinfo, TStream &stream);
