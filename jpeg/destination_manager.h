#pragma once

#include "jpeg/libjpeg.h"

class TStream;

// The destination that drains a compression object into a TStream in blocks
// of 4096 bytes. The manager is plain data in the codec object's permanent
// pool; its buffer comes from the image pool at the start of each
// compression and goes at its end. The pools free memory without running
// destructors: nothing with a destructor may live here.
struct StreamDestinationManager {
    jpeg_destination_mgr pub;
    TStream *stream; // not owned
    JOCTET *buffer;
};

// Makes stream the destination of cinfo; output is written at the stream's
// position, which is never moved otherwise. A second call reuses the manager.
// Raises EJPEG when the codec cannot allocate the manager.
//
// While encoding: a stream that takes fewer bytes than written fails with
// JERR_FILE_WRITE; an exception from the stream reaches the caller of the
// library function unchanged. Bytes already written stay in the stream.
void jpeg_stream_dest(j_compress_ptr cinfo, TStream &stream);
