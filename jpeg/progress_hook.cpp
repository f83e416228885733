#include "jpeg/progress_hook.h"

#include "jpeg/codec_context.h"
#include "toolkit/core/clock.h"
#include "toolkit/graphics/graphic.h"

#include <cstddef>
#include <string>

namespace {

constexpr std::int32_t throttleMilliseconds = 500;
constexpr int redrawRows = 4;

CodecContext *contextOf(jpeg_progress_mgr *progress)
{
    // The progress manager is a field of its context.
    return reinterpret_cast<CodecContext *>(reinterpret_cast<char *>(progress) - offsetof(CodecContext, progress));
}

void reportProgress(j_common_ptr cinfo)
{
    if (cinfo->progress == nullptr)
        return;
    CodecContext *context = contextOf(cinfo->progress);
    if (context->owner == nullptr)
        return;

    const std::uint32_t now = GetTickCount();
    // The first pass after set-up only starts the clock. This is decided
    // before the throttle: against a start of 0, a tick count in the upper
    // half of its range would look like the past and never start it. A tick
    // of 0 is kept as 1, since 0 means "not started".
    if (context->lastTick == 0) {
        context->lastTick = now == 0 ? 1 : now;
        return;
    }
    // Ticks wrap in 32 bits: compare their difference as a signed number.
    if (static_cast<std::int32_t>(now - context->lastTick) < throttleMilliseconds)
        return;
    context->lastTick = now == 0 ? 1 : now;

    TRect rect;
    if (cinfo->is_decompressor) {
        const auto *decoder = reinterpret_cast<j_decompress_ptr>(cinfo);
        rect.Top = context->lastRow;
        rect.Right = static_cast<int>(decoder->output_width);
        rect.Bottom = static_cast<int>(decoder->output_scanline);
        if (rect.Bottom < context->lastRow)
            rect.Bottom = static_cast<int>(decoder->output_height);
    }

    const jpeg_progress_mgr &progress = *cinfo->progress;
    if (progress.total_passes <= 0)
        return;
    const double passFraction = progress.pass_limit > 0 ? static_cast<double>(progress.pass_counter) / progress.pass_limit : 0.0;
    double exact = (passFraction + progress.completed_passes) * 100.0 / progress.total_passes;
    // The library's pass counts can overshoot; a percentage stays within 0..100.
    exact = exact < 0.0 ? 0.0 : (exact > 100.0 ? 100.0 : exact);
    const auto percent = static_cast<std::int32_t>(exact);
    if (percent == context->lastPercent)
        return;
    context->lastPercent = percent;
    if (cinfo->is_decompressor)
        context->lastRow = static_cast<std::int32_t>(reinterpret_cast<j_decompress_ptr>(cinfo)->output_scanline);

    const bool redrawNow = rect.Bottom - rect.Top >= redrawRows;
    context->owner->NotifyProgress(context->owner, TProgressStage::Running, static_cast<std::uint8_t>(percent), redrawNow,
                                   rect, std::string());
}

} // namespace

void ReportCodecProgress(j_common_ptr cinfo) noexcept
{
    if (!codec_detail::runCallbackBody(cinfo, [cinfo] { reportProgress(cinfo); }))
        codec_detail::jumpToGuard(cinfo);
}
