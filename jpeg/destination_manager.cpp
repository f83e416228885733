#include "jpeg/destination_manager.h"

#include "jpeg/codec_guard.h"
#include "jpeg/source_manager.h"
#include "toolkit/core/stream.h"

#include <cstdint>

namespace {

StreamDestinationManager *destinationOf(j_compress_ptr cinfo)
{
    return reinterpret_cast<StreamDestinationManager *>(cinfo->dest);
}

// Writes count bytes of the buffer; fails the compression unless all of them
// were taken.
void writeBlock(j_compress_ptr cinfo, std::size_t count) noexcept
{
    StreamDestinationManager *destination = destinationOf(cinfo);
    std::int64_t written = 0;
    if (!codec_detail::runCallbackBody(reinterpret_cast<j_common_ptr>(cinfo), [&] {
            written = destination->stream->Write(destination->buffer, static_cast<std::int64_t>(count));
        }))
        codec_detail::jumpToGuard(reinterpret_cast<j_common_ptr>(cinfo));
    if (written != static_cast<std::int64_t>(count))
        ERREXIT(cinfo, JERR_FILE_WRITE);
}

void initDestination(j_compress_ptr cinfo) noexcept
{
    StreamDestinationManager *destination = destinationOf(cinfo);
    destination->buffer = static_cast<JOCTET *>(
        (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, streamBlockSize * sizeof(JOCTET)));
    destination->pub.next_output_byte = destination->buffer;
    destination->pub.free_in_buffer = streamBlockSize;
}

boolean emptyOutputBuffer(j_compress_ptr cinfo) noexcept
{
    // Called only when the buffer is full, whatever free_in_buffer says.
    writeBlock(cinfo, streamBlockSize);
    StreamDestinationManager *destination = destinationOf(cinfo);
    destination->pub.next_output_byte = destination->buffer;
    destination->pub.free_in_buffer = streamBlockSize;
    return TRUE;
}

void termDestination(j_compress_ptr cinfo) noexcept
{
    const std::size_t count = streamBlockSize - destinationOf(cinfo)->pub.free_in_buffer;
    if (count > 0)
        writeBlock(cinfo, count);
}

} // namespace

void jpeg_stream_dest(j_compress_ptr cinfo, TStream &stream)
{
    if (cinfo->dest == nullptr || cinfo->dest->init_destination != initDestination) {
        cinfo->dest = static_cast<jpeg_destination_mgr *>(callCodec(cinfo, [cinfo] {
            return (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT,
                                              sizeof(StreamDestinationManager));
        }));
    }
    StreamDestinationManager *destination = destinationOf(cinfo);
    destination->pub.init_destination = initDestination;
    destination->pub.empty_output_buffer = emptyOutputBuffer;
    destination->pub.term_destination = termDestination;
    destination->stream = &stream;
    destination->buffer = nullptr;
    destination->pub.next_output_byte = nullptr;
    destination->pub.free_in_buffer = 0;
}
