// The progress hook: throttling, percentages and rectangles.
#include "jpeg/progress_hook.h"
#include "tests/jpeg/bridge_driver.h"
#include "tests/support/progress_recorder.h"
#include "toolkit/core/clock.h"
#include "toolkit/graphics/bitmap.h"

#include <gtest/gtest.h>

namespace {

// One call of the hook with the codec's counters as the library leaves them;
// percent -1: no notification expected.
struct HookStep {
    std::uint32_t tick;
    unsigned scanline;
    long counter, limit;
    int completedPasses, totalPasses, percent;
    bool redrawNow;
    TRect rect;
};

void runDecodeSteps(const std::vector<HookStep> &steps)
{
    TBitmap owner;
    ProgressRecorder recorder(owner);
    ScopedCodecContext context;
    InitDecompressContext(context.get(), &owner);
    std::uint32_t now = 0;
    TickCountOverride clock([&now] { return now; });
    context->codec.decompress.output_width = 100, context->codec.decompress.output_height = 50;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const HookStep &step = steps[i];
        SCOPED_TRACE("step " + std::to_string(i));
        now = step.tick;
        context->codec.decompress.output_scanline = step.scanline;
        context->progress.pass_counter = step.counter;
        context->progress.pass_limit = step.limit;
        context->progress.completed_passes = step.completedPasses;
        context->progress.total_passes = step.totalPasses;
        const std::size_t before = recorder.notifications.size();
        ReportCodecProgress(&context->codec.common);
        ASSERT_EQ(recorder.notifications.size(), before + (step.percent >= 0 ? 1 : 0));
        if (step.percent < 0)
            continue;
        const ProgressNotification &got = recorder.notifications.back();
        EXPECT_EQ(got.sender, &owner);
        EXPECT_EQ(got.stage, TProgressStage::Running);
        EXPECT_EQ(got.percent, step.percent);
        EXPECT_EQ(got.redrawNow, step.redrawNow);
        EXPECT_EQ(got.rect, step.rect);
        EXPECT_EQ(got.message, "");
    }
}

// Each sequence starts with a fresh codec; the second crosses the wrap of the
// 32-bit tick count.
TEST(ProgressHook, DecodingIsThrottledAcrossTheWrapAndReportsTheRowsDoneSinceLastTime)
{
    runDecodeSteps({
                       {1000, 5, 10, 100, 0, 1, -1, false, {}},                // first call starts the clock
                       {1400, 10, 20, 100, 0, 1, -1, false, {}},               // 400 ms later
                       {1500, 10, 20, 100, 0, 1, 20, true, {0, 0, 100, 10}},   // 500 ms after the start
                       {2100, 12, 20, 100, 0, 1, -1, false, {}},               // same percentage, clock moves
                       {2500, 12, 30, 100, 0, 1, -1, false, {}},               // 400 ms after that
                       {2600, 12, 30, 100, 0, 1, 30, false, {0, 10, 100, 12}}, // 2 rows: no redraw
                       {3200, 3, 0, 100, 1, 2, 50, true, {0, 12, 100, 50}},    // new pass at the top
                       {3800, 40, 999, 1000, 1, 2, 99, true, {0, 3, 100, 40}}, // truncated toward zero
                       {4400, 50, 20, 10, 5, 2, 100, true, {0, 40, 100, 50}},  // overshoot stays at 100
                   });
    runDecodeSteps({
                       {0xFFFFFF00u, 10, 10, 100, 0, 1, -1, false, {}},
                       {0x000000F0u, 20, 20, 100, 0, 1, -1, false, {}},             // 496 ms later
                       {0x00000100u, 20, 20, 100, 0, 1, 20, true, {0, 0, 100, 20}}, // 512 ms later
                   });
}

TEST(ProgressHook, NoOwnerOrNoProgressManagerNeverReadsTheClock)
{
    int clockReads = 0;
    TickCountOverride clock([&clockReads] { return 1000u * static_cast<std::uint32_t>(++clockReads); });
    ScopedCodecContext withoutOwner;
    InitDecompressContext(withoutOwner.get(), nullptr);
    for (int i = 0; i < 3; ++i)
        ReportCodecProgress(&withoutOwner->codec.common);
    TBitmap owner;
    ProgressRecorder recorder(owner);
    ScopedCodecContext detached;
    InitDecompressContext(detached.get(), &owner);
    detached->codec.common.progress = nullptr;
    ReportCodecProgress(&detached->codec.common);
    EXPECT_EQ(clockReads, 0);
    EXPECT_TRUE(recorder.notifications.empty());
}

} // namespace
