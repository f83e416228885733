#pragma once

#include <cstdint>
#include <functional>

// Milliseconds since the system started, in 32 bits: wraps to 0 after about
// 49.7 days, so callers compare ticks by their difference, never by order.
std::uint32_t GetTickCount();

// Replaces the clock behind GetTickCount for as long as it lives (tests use it
// to drive time-dependent code); the previous clock returns on destruction.
// Overrides nest; they must end in the reverse order of their making.
class TickCountOverride {
public:
    explicit TickCountOverride(std::function<std::uint32_t()> clock);
    ~TickCountOverride();
    TickCountOverride(const TickCountOverride &) = delete;
    TickCountOverride &operator=(const TickCountOverride &) = delete;

private:
    std::function<std::uint32_t()> m_previous;
};
