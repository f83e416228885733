#include "jpeg/codec_context.h"

#include "jpeg/error_manager.h"
#include "jpeg/progress_hook.h"

#include <cstring>

namespace codec_detail {

void initContext(CodecContext &context, TGraphic *owner, bool decompress, int libraryVersion, std::size_t structSize)
{
    std::memset(&context, 0, sizeof context);
    context.err = ErrorManagerTemplate;
    context.codec.common.err = &context.err;
    if (decompress)
        callCodec(context, [&context, libraryVersion, structSize] {
            jpeg_CreateDecompress(&context.codec.decompress, libraryVersion, structSize);
        });
    else
        callCodec(context, [&context, libraryVersion, structSize] {
            jpeg_CreateCompress(&context.codec.compress, libraryVersion, structSize);
        });
    // The memory manager takes a limit from the environment when it starts;
    // the picture needs none, and without a limit it never asks for the
    // temporary files that the library cannot have here.
    context.codec.common.mem->max_memory_to_use = 0;
    // Creation clears progress, so it is attached afterwards.
    context.progress.progress_monitor = ReportCodecProgress;
    context.owner = owner;
    context.codec.common.progress = &context.progress;
}

} // namespace codec_detail

void InitDecompressContext(CodecContext &context, TGraphic *owner)
{
    codec_detail::initContext(context, owner, true, JPEG_LIB_VERSION, sizeof(jpeg_decompress_struct));
}

void InitCompressContext(CodecContext &context, TGraphic *owner)
{
    codec_detail::initContext(context, owner, false, JPEG_LIB_VERSION, sizeof(jpeg_compress_struct));
}

void ReleaseContext(CodecContext &context) noexcept
{
    if (context.codec.common.err == nullptr)
        return;
    jpeg_destroy(&context.codec.common);
    context.codec.common.err = nullptr;
}

ScopedCodecContext::ScopedCodecContext() noexcept
{
    std::memset(&m_context, 0, sizeof m_context);
}
