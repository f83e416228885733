#include "tests/jpeg/bridgetesting.h"

#include "jpeg/destinationmanager.h"
#include "jpeg/pixelorder.h"
#include "jpeg/sourcemanager.h"
#include "tests/jpeg/reference/imagefiles.h"
#include "tests/jpeg/reference/referencecodec.h"
#include "tests/jpeg/reference/testfolder.h"
#include "toolkit/core/exceptions.h"

Bytes referenceJpeg(const RasterImage &image, const std::vector<std::string> &options)
{
    TestFolder folder;
    writePnm(folder / "picture.pnm", image);
    encodeWithReference(options, folder / "picture.pnm", folder / "picture.jpg");
    return readFileBytes(folder / "picture.jpg");
}

RasterImage referenceDecode(const Bytes &jpeg, const std::vector<std::string> &options)
{
    TestFolder folder;
    writeFileBytes(folder / "picture.jpg", jpeg);
    std::vector<std::string> arguments = options;
    arguments.push_back("-bmp");
    decodeWithReference(arguments, folder / "picture.jpg", folder / "picture.bmp");
    return readBmp(folder / "picture.bmp");
}

void fillStream(TMemoryStream &stream, const Bytes &bytes)
{
    stream.SetSize64(0);
    stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    stream.SetPosition(0);
}

Bytes streamBytes(TMemoryStream &stream)
{
    if (stream.GetSize() == 0)
        return {};
    return {stream.Memory(), stream.Memory() + stream.GetSize()};
}

RasterImage decodeThroughBridge(TStream &stream, TGraphic *owner)
{
    ScopedCodecContext context;
    InitDecompressContext(context.get(), owner);
    j_decompress_ptr codec = &context->codec.decompress;
    jpeg_stream_src(codec, stream);
    callCodec(codec, [codec] { return jpeg_read_header(codec, TRUE); });
    useBlueGreenRedOutput(codec);
    callCodec(codec, [codec] { return jpeg_start_decompress(codec); });

    RasterImage image;
    image.width = static_cast<int>(codec->output_width);
    image.height = static_cast<int>(codec->output_height);
    image.bitsPerPixel = codec->output_components == 1 ? 8 : 24;
    if (image.bitsPerPixel == 8) {
        for (int level = 0; level < 256; ++level)
            image.palette.push_back({static_cast<std::uint8_t>(level), static_cast<std::uint8_t>(level), static_cast<std::uint8_t>(level)});
    }
    image.pixels.resize(static_cast<std::size_t>(image.bytesPerRow()) * image.height);
    while (codec->output_scanline < codec->output_height) {
        JSAMPROW row = image.row(static_cast<int>(codec->output_scanline));
        JSAMPROW *rows = &row;
        callCodec(codec, [codec, rows] { return jpeg_read_scanlines(codec, rows, 1); });
    }
    callCodec(codec, [codec] { return jpeg_finish_decompress(codec); });
    return image;
}

void encodeThroughBridge(const RasterImage &image, TStream &stream, int quality, TGraphic *owner)
{
    ScopedCodecContext context;
    InitCompressContext(context.get(), owner);
    j_compress_ptr codec = &context->codec.compress;
    jpeg_stream_dest(codec, stream);
    codec->image_width = static_cast<JDIMENSION>(image.width);
    codec->image_height = static_cast<JDIMENSION>(image.height);
    if (image.bitsPerPixel == 24) {
        useBlueGreenRedInput(codec);
    } else {
        codec->in_color_space = JCS_GRAYSCALE;
        codec->input_components = 1;
    }
    callCodec(codec, [codec] { jpeg_set_defaults(codec); });
    callCodec(codec, [codec, quality] { jpeg_set_quality(codec, quality, TRUE); });
    callCodec(codec, [codec] { jpeg_start_compress(codec, TRUE); });
    while (codec->next_scanline < codec->image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.row(static_cast<int>(codec->next_scanline)));
        JSAMPROW *rows = &row;
        callCodec(codec, [codec, rows] { return jpeg_write_scanlines(codec, rows, 1); });
    }
    callCodec(codec, [codec] { jpeg_finish_compress(codec); });
}

std::int64_t ShortWriteStream::Write(const void *buffer, std::int64_t count)
{
    return TMemoryStream::Write(buffer, count < m_accepted ? count : m_accepted);
}

std::int64_t RecordingStream::Write(const void *buffer, std::int64_t count)
{
    writes.push_back(count);
    return TMemoryStream::Write(buffer, count);
}

std::int64_t RecordingStream::Read(void *buffer, std::int64_t count)
{
    reads.push_back(count);
    return TMemoryStream::Read(buffer, count);
}

std::int64_t FailingStream::Read(void *buffer, std::int64_t count)
{
    if (m_allowedReads-- <= 0)
        throw EReadError("disk unplugged while reading");
    return TMemoryStream::Read(buffer, count);
}

std::int64_t FailingStream::Write(const void *buffer, std::int64_t count)
{
    if (m_allowedWrites-- <= 0)
        throw EWriteError("disk unplugged while writing");
    return TMemoryStream::Write(buffer, count);
}

std::string jpegErrorText(int code)
{
    return "JPEG error #" + std::to_string(code);
}
