#pragma once

// Resident memory of this process in KiB, from /proc/self/status: the current
// size (VmRSS) and the peak so far (VmHWM). 0 when the file cannot be read.
long residentKiB();
long peakResidentKiB();

// Starts a new peak: VmHWM drops to the current resident size (Linux's
// clear_refs "5"), so that the next peakResidentKiB() belongs to what runs in
// between. False when the system does not allow it.
bool resetPeakResident();
