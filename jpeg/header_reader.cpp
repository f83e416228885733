#include "jpeg/header_reader.h"

#include "jpeg/codec_context.h"
#include "jpeg/source_manager.h"

JpegHeaderFacts ReadJpegHeader(TStream &stream)
{
    // No owner: the header is read without progress notifications.
    ScopedCodecContext context;
    InitDecompressContext(context.get(), nullptr);
    j_decompress_ptr codec = &context->codec.decompress;
    jpeg_stream_src(codec, stream);
    callCodec(codec, [codec] { return jpeg_read_header(codec, TRUE); });
    JpegHeaderFacts facts;
    facts.width = static_cast<std::int32_t>(codec->image_width);
    facts.height = static_cast<std::int32_t>(codec->image_height);
    facts.grayscale = codec->jpeg_color_space == JCS_GRAYSCALE;
    facts.multipleScans = callCodec(codec, [codec] { return jpeg_has_multiple_scans(codec); }) != FALSE;
    return facts;
}
