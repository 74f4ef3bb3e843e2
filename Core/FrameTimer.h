#pragma once
// The engine's clock. Counts 100-nanosecond ticks of a monotonic clock. Lap seconds are computed
// in single precision (the frame time), totals in double precision (message time stamps).
// Written only on the main thread; reads from worker threads only load the two tick counts.
#include "Math/Types.h"
#include <atomic>

class FrameTimer
{
public:
    static constexpr s64 TicksPerSecond = 10000000;

    FrameTimer();

    f32 GetLapSeconds() const;
    void ResetLap();
    f64 GetTotalMilliseconds() const;
    f64 GetTotalSeconds() const;
    // GetTotalSeconds read through the cycle counter (Core::CycleClock): the message time stamp,
    // taken for every message on any thread. Never below zero.
    f64 GetStampSeconds() const;
    s64 GetLapMicroseconds() const;
    // The cycle counter when the timer started (Core::CycleClock; 0 when it is not usable): a
    // message stamp keeps the cycles since then and turns them into seconds when it is read.
    u64 GetStartCycles() const { return m_startCycles; }

    // Current time in ticks; exposed so tests can reason about spans.
    static s64 NowTicks();

private:
    std::atomic<s64> m_start;
    std::atomic<s64> m_lap;
    u64 m_startCycles = 0; // written by the constructor only
};
