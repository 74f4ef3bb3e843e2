#include "Core/FrameTimer.h"
#include "Core/CycleClock.h"
#include <algorithm>
#include <chrono>

namespace
{
constexpr s64 TicksPerMillisecond = FrameTimer::TicksPerSecond / 1000;
constexpr s64 TicksPerMicrosecond = FrameTimer::TicksPerSecond / 1000000;
} // namespace

s64 FrameTimer::NowTicks()
{
    using Ticks = std::chrono::duration<s64, std::ratio<1, TicksPerSecond>>;
    return std::chrono::duration_cast<Ticks>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

FrameTimer::FrameTimer()
{
    const Core::CycleClock::Reading start = Core::CycleClock::ReadTogether();
    m_startCycles = start.cycles;
    const s64 now = start.ticks;
    m_start.store(now, std::memory_order_relaxed);
    m_lap.store(now, std::memory_order_relaxed);
}

f32 FrameTimer::GetLapSeconds() const
{
    const s64 span = NowTicks() - m_lap.load(std::memory_order_relaxed);
    return static_cast<f32>(span) / static_cast<f32>(TicksPerSecond);
}

void FrameTimer::ResetLap()
{
    m_lap.store(NowTicks(), std::memory_order_relaxed);
}

f64 FrameTimer::GetTotalMilliseconds() const
{
    const s64 span = NowTicks() - m_start.load(std::memory_order_relaxed);
    return static_cast<f64>(span) / static_cast<f64>(TicksPerMillisecond);
}

f64 FrameTimer::GetTotalSeconds() const
{
    const s64 span = NowTicks() - m_start.load(std::memory_order_relaxed);
    return static_cast<f64>(span) / static_cast<f64>(TicksPerSecond);
}

f64 FrameTimer::GetStampSeconds() const
{
    // The two clocks agree to well under a microsecond; a stamp taken just after the timer
    // started may land a hair before its start.
    const s64 span = Core::CycleClock::NowTicks() - m_start.load(std::memory_order_relaxed);
    return static_cast<f64>(std::max<s64>(span, 0)) / static_cast<f64>(TicksPerSecond);
}

s64 FrameTimer::GetLapMicroseconds() const
{
    return (NowTicks() - m_lap.load(std::memory_order_relaxed)) / TicksPerMicrosecond;
}
