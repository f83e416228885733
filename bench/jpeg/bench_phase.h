#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One measured piece of work. Each phase runs in a child process of its own so
// that its memory peak is not mixed with another phase's.
struct PhaseInput {
    int width = 0;
    int height = 0;
    std::uint32_t seed = 0;
    std::vector<std::uint8_t> jpeg; // the file that decode phases read
};

struct PhaseResult {
    double seconds = 0;  // best of the runs
    long baseKiB = 0;    // resident size before the first run (input ready)
    long growthKiB = 0;  // most that the resident size rose during one run
};

// Times one run of work and widens result by it: the best time so far, and the
// rise of the resident peak over the resident size at the start of the run.
template <class Work>
void timeRun(PhaseResult &result, Work &&work);

struct BenchPhase {
    std::string name;
    // Prepares the input (not timed), then times `repetitions` runs of the work.
    PhaseResult (*run)(const PhaseInput &input, int repetitions);
};

// The phases that use plain libjpeg calls: "floor-decode" and "floor-encode".
std::vector<BenchPhase> floorPhases();
// The same work through the picture object: "picture-decode", "picture-encode".
std::vector<BenchPhase> picturePhases();

#include "bench/jpeg/memory_peak.h"

#include <algorithm>
#include <chrono>

template <class Work>
void timeRun(PhaseResult &result, Work &&work)
{
    resetPeakResident();
    const long before = residentKiB();
    if (result.baseKiB == 0)
        result.baseKiB = before;
    const auto start = std::chrono::steady_clock::now();
    work();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.seconds = result.seconds == 0 ? seconds : std::min(result.seconds, seconds);
    result.growthKiB = std::max(result.growthKiB, peakResidentKiB() - before);
}
