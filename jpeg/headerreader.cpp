#include "jpeg/headerreader.h"

#include "jpeg/codecguard.h"
#include "jpeg/errormanager.h"
#include "jpeg/sourcemanager.h"

#include <cstring>

HeaderOnlyDecompressor::HeaderOnlyDecompressor() : m_err(ErrorManagerTemplate)
{
    std::memset(&m_codec, 0, sizeof m_codec);
    m_codec.err = &m_err;
    jpeg_decompress_struct *codec = &m_codec;
    try {
        callCodec(codec, [codec] { jpeg_CreateDecompress(codec, JPEG_LIB_VERSION, sizeof(jpeg_decompress_struct)); });
    } catch (...) {
        // The destructor does not run for a constructor that fails.
        jpeg_destroy_decompress(codec);
        throw;
    }
    // Ignore a memory limit from the environment (see InitDecompressContext).
    m_codec.mem->max_memory_to_use = 0;
}

HeaderOnlyDecompressor::~HeaderOnlyDecompressor()
{
    jpeg_destroy_decompress(&m_codec);
}

JpegHeaderFacts ReadJpegHeader(TStream &stream)
{
    HeaderOnlyDecompressor reader;
    jpeg_decompress_struct *codec = reader.codec();
    jpeg_stream_src(codec, stream);
    callCodec(codec, [codec] { return jpeg_read_header(codec, TRUE); });
    JpegHeaderFacts facts;
    facts.width = static_cast<std::int32_t>(codec->image_width);
    facts.height = static_cast<std::int32_t>(codec->image_height);
    facts.grayscale = codec->jpeg_color_space == JCS_GRAYSCALE;
    facts.multipleScans = callCodec(codec, [codec] { return jpeg_has_multiple_scans(codec); }) != FALSE;
    return facts;
}
