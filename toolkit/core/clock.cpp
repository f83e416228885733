#include "toolkit/core/clock.h"

#include <time.h>

#include <utility>

namespace {

// The monotonic clock counts from system start on Linux and never jumps when
// the wall clock is set.
std::uint32_t systemTickCount()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto milliseconds = static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(milliseconds);
}

std::function<std::uint32_t()> &currentClock()
{
    static std::function<std::uint32_t()> clock = systemTickCount;
    return clock;
}

} // namespace

std::uint32_t GetTickCount()
{
    return currentClock()();
}

TickCountOverride::TickCountOverride(std::function<std::uint32_t()> clock)
    : m_previous(std::exchange(currentClock(), std::move(clock)))
{
}

TickCountOverride::~TickCountOverride()
{
    currentClock() = std::move(m_previous);
}
