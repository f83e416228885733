#pragma once

#include "jpeg/codec_guard.h"
#include "jpeg/libjpeg.h"

#include <cstddef>
#include <cstdint>

class TGraphic;

// Everything one decode or encode needs beside the pixels: the codec object
// with its error and progress managers, the graphic that receives progress,
// the progress bookkeeping and three decoder choices kept for a final pass.
//
// Plain data, and it must stay so: the library's callbacks longjmp across
// frames that use it and it is filled with zero bytes, so nothing with a
// constructor or destructor may live here. InitDecompressContext or
// InitCompressContext fills it, and ReleaseContext destroys the codec object.
// The codec object and the progress hook point into the context, so it must
// not move or be copied while set up.
// ScopedCodecContext below provides storage that releases itself.
struct CodecContext {
    jpeg_error_mgr err;
    jpeg_progress_mgr progress; // progress_monitor is ReportCodecProgress
    TGraphic *owner;            // receives progress; nullptr: no progress is reported
    std::int32_t lastPercent;   // percentage of the last notification
    std::uint32_t lastTick;     // tick of the last pass not throttled; 0 before the first
    std::int32_t lastRow;       // decoder output row at the last notification
    // Decoder choices for the final output pass; the bridge itself never
    // reads or writes them.
    J_DCT_METHOD savedDctMethod;
    bool savedTwoPassQuantize;
    J_DITHER_MODE savedDitherMode;
    // One storage used as the one or the other codec object; common gives the
    // fields that both begin with.
    union Codec {
        jpeg_common_struct common;
        jpeg_decompress_struct decompress;
        jpeg_compress_struct compress;
    } codec;
};

// Zero-fills context and creates a decompression (or compression) object in
// it, with a copy of ErrorManagerTemplate and with context.progress attached;
// owner may be nullptr. The codec's memory comes from the heap, with no
// temporary files and no memory limit (a limit from the environment is
// ignored). The context must not hold a codec object that was not released
// (it would be lost). Raises EJPEG when the library refuses the version or
// object size, or has no memory; the context is then still safe to release.
void InitDecompressContext(CodecContext &context, TGraphic *owner);
void InitCompressContext(CodecContext &context, TGraphic *owner);

// Destroys the codec object, if one exists, with all its memory and its
// source or destination manager. Harmless on a released context and on a
// zero-filled one that was never set up. Never throws.
void ReleaseContext(CodecContext &context) noexcept;

// The storage of one CodecContext, zero-filled, released on destruction.
class ScopedCodecContext {
public:
    ScopedCodecContext() noexcept;
    ~ScopedCodecContext() { ReleaseContext(m_context); }
    ScopedCodecContext(const ScopedCodecContext &) = delete;
    ScopedCodecContext &operator=(const ScopedCodecContext &) = delete;

    CodecContext &get() { return m_context; }
    CodecContext *operator->() { return &m_context; }

private:
    CodecContext m_context;
};

namespace codec_detail {
// Set-up with a chosen library version and object size, so that the refusal
// of a wrong version or size can be shown.
void initContext(CodecContext &context, TGraphic *owner, bool decompress, int libraryVersion, std::size_t structSize);
} // namespace codec_detail

// callCodec (codec_guard.h) on the context's codec object.
template <class Call>
auto callCodec(CodecContext &context, Call &&call) -> decltype(call())
{
    return callCodec(&context.codec.common, std::forward<Call>(call));
}
