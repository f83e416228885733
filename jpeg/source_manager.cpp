#include "jpeg/source_manager.h"

#include "jpeg/codec_guard.h"
#include "toolkit/core/stream.h"

#include <cstdint>

namespace {

StreamSourceManager *sourceOf(j_decompress_ptr cinfo)
{
    return reinterpret_cast<StreamSourceManager *>(cinfo->src);
}

void initSource(j_decompress_ptr cinfo) noexcept
{
    sourceOf(cinfo)->startOfFile = TRUE;
}

boolean fillInputBuffer(j_decompress_ptr cinfo) noexcept
{
    StreamSourceManager *source = sourceOf(cinfo);
    std::int64_t count = 0;
    if (!codec_detail::runCallbackBody(reinterpret_cast<j_common_ptr>(cinfo),
                                       [&] { count = source->stream->Read(source->buffer, streamBlockSize); }))
        codec_detail::jumpToGuard(reinterpret_cast<j_common_ptr>(cinfo));
    // A stream that claims more than the block it was given is not trusted
    // beyond the block.
    if (count > streamBlockSize)
        count = streamBlockSize;
    if (count <= 0) {
        if (source->startOfFile)
            ERREXIT(cinfo, JERR_INPUT_EMPTY);
        // The data ended early: let the decoder finish on an end-of-image
        // marker instead of failing.
        WARNMS(cinfo, JWRN_JPEG_EOF);
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        count = 2;
    }
    source->pub.next_input_byte = source->buffer;
    source->pub.bytes_in_buffer = static_cast<std::size_t>(count);
    source->startOfFile = FALSE;
    return TRUE;
}

void skipInputData(j_decompress_ptr cinfo, long count) noexcept
{
    if (count <= 0)
        return;
    StreamSourceManager *source = sourceOf(cinfo);
    while (static_cast<unsigned long>(count) > source->pub.bytes_in_buffer) {
        count -= static_cast<long>(source->pub.bytes_in_buffer);
        // Never suspends; at the end of the data each refill brings the
        // two-byte marker, so the loop always ends.
        source->pub.fill_input_buffer(cinfo);
    }
    source->pub.next_input_byte += count;
    source->pub.bytes_in_buffer -= static_cast<std::size_t>(count);
}

void termSource(j_decompress_ptr) noexcept
{
}

} // namespace

void jpeg_stream_src(j_decompress_ptr cinfo, TStream &stream)
{
    // Reuse only a manager of our own kind: a foreign one may be smaller.
    if (cinfo->src == nullptr || cinfo->src->init_source != initSource) {
        cinfo->src = static_cast<jpeg_source_mgr *>(callCodec(cinfo, [cinfo] {
            return (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(StreamSourceManager));
        }));
    }
    StreamSourceManager *source = sourceOf(cinfo);
    source->pub.init_source = initSource;
    source->pub.fill_input_buffer = fillInputBuffer;
    source->pub.skip_input_data = skipInputData;
    source->pub.resync_to_restart = jpeg_resync_to_restart;
    source->pub.term_source = termSource;
    source->stream = &stream;
    source->startOfFile = TRUE;
    source->pub.bytes_in_buffer = 0;
    source->pub.next_input_byte = nullptr;
}
