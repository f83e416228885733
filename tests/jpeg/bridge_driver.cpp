#include "tests/jpeg/bridge_driver.h"

#include "jpeg/destination_manager.h"
#include "jpeg/pixel_order.h"
#include "jpeg/source_manager.h"

RasterImage decodeThroughBridge(TStream &stream)
{
    ScopedCodecContext context;
    InitDecompressContext(context.get(), nullptr);
    j_decompress_ptr codec = &context->codec.decompress;
    jpeg_stream_src(codec, stream);
    callCodec(codec, [codec] { return jpeg_read_header(codec, TRUE); });
    useBlueGreenRedOutput(codec);
    callCodec(codec, [codec] { return jpeg_start_decompress(codec); });
    RasterImage image = codec->output_components == 1 ? makeGrayImage(0, 0, 0) : RasterImage{};
    image.width = static_cast<int>(codec->output_width);
    image.height = static_cast<int>(codec->output_height);
    image.pixels.resize(static_cast<std::size_t>(image.bytesPerRow()) * image.height);
    while (codec->output_scanline < codec->output_height) {
        JSAMPROW row = image.row(static_cast<int>(codec->output_scanline));
        callCodec(codec, [codec, &row] { return jpeg_read_scanlines(codec, &row, 1); });
    }
    callCodec(codec, [codec] { return jpeg_finish_decompress(codec); });
    return image;
}

void encodeThroughBridge(const RasterImage &image, TStream &stream, int quality, unsigned commentLength)
{
    ScopedCodecContext context;
    InitCompressContext(context.get(), nullptr);
    j_compress_ptr codec = &context->codec.compress;
    jpeg_stream_dest(codec, stream);
    codec->image_width = static_cast<JDIMENSION>(image.width);
    codec->image_height = static_cast<JDIMENSION>(image.height);
    if (image.bitsPerPixel == 24) {
        useBlueGreenRedInput(codec);
    } else {
        codec->in_color_space = image.bitsPerPixel == 8 ? JCS_GRAYSCALE : JCS_CMYK;
        codec->input_components = image.bitsPerPixel / 8;
    }
    callCodec(codec, [codec] { jpeg_set_defaults(codec); });
    callCodec(codec, [codec, quality] { jpeg_set_quality(codec, quality, TRUE); });
    callCodec(codec, [codec] { jpeg_start_compress(codec, TRUE); });
    const std::vector<JOCTET> comment(commentLength, 'c');
    if (commentLength != 0)
        callCodec(codec, [&] { jpeg_write_marker(codec, JPEG_COM, comment.data(), commentLength); });
    while (codec->next_scanline < codec->image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.row(static_cast<int>(codec->next_scanline)));
        callCodec(codec, [codec, &row] { return jpeg_write_scanlines(codec, &row, 1); });
    }
    callCodec(codec, [codec] { jpeg_finish_compress(codec); });
}
