#pragma once

#include "jpeg/libjpeg.h"

// The progress monitor of a codec object set up by InitDecompressContext or
// InitCompressContext (it finds its CodecContext through cinfo->progress).
// Called by the library during long passes; notifies the context's owner,
// through NotifyProgress with stage Running, at most once per 500 ms of
// GetTickCount and only when the whole percentage changed:
// - nothing without progress manager or owner (the clock is not even read);
// - the first pass after set-up only starts the clock, whatever the tick
//   count (a count in the upper half of its 32-bit range included);
// - decoding: rectangle from the row reached at the last notification down
//   to the current output row (to the bottom when a new pass began above it),
//   full width; redrawNow when it spans 4 rows or more;
// - encoding: empty rectangle, redrawNow false.
// An exception from the owner's handler (EAbort cancels) leaves the running
// library call as described in codec_guard.h.
void ReportCodecProgress(j_common_ptr cinfo) noexcept;
