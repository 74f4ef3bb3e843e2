#pragma once
// The steady clock read through the processor's cycle counter: a few nanoseconds a read where
// std::chrono::steady_clock costs about thirty on this kind of machine. Readings are on the
// steady clock's own scale (FrameTimer ticks since its epoch), so they mix with FrameTimer's.
//
// The counter is anchored to the steady clock when the program starts and its rate measured
// then over a millisecond; from then on the rate is measured again, over the whole
// time since the anchor, about every ten milliseconds of reads, so the error stays far below a
// microsecond. Without an invariant cycle counter (or off x86), and during static
// initialisation before the anchor is taken, every read is the steady clock. Any thread may
// read.
#include "Math/Types.h"
#include <atomic>

namespace Core
{
class CycleClock
{
public:
    // Current time in FrameTimer ticks (100 ns) on the steady clock's scale.
    static s64 NowTicks()
    {
#if defined(__x86_64__) || defined(__i386__)
        if (s_usable)
        {
            const u64 cycles = __builtin_ia32_rdtsc();
            if (cycles < s_recalibrateAt.load(std::memory_order_relaxed))
            {
                const f64 elapsed = static_cast<f64>(cycles - s_anchorCycles) *
                                    s_ticksPerCycle.load(std::memory_order_relaxed);
                return s_anchorTicks + static_cast<s64>(elapsed);
            }
        }
#endif
        return NowTicksMeasured();
    }

    // Whether readings come from the cycle counter (fixed once the program has started).
    static bool IsUsable()
    {
        return s_usable;
    }
    // The raw counter; only meaningful while IsUsable.
    static u64 Cycles()
    {
#if defined(__x86_64__) || defined(__i386__)
        return __builtin_ia32_rdtsc();
#else
        return 0;
#endif
    }
    // The counter and the steady clock (FrameTimer ticks) read together, as closely as can be
    // had: where a span starts on both clocks. Two reads made one after the other would put a
    // preemption between them into every span measured from them. Cycles are 0 when the
    // counter is not usable.
    struct Reading
    {
        u64 cycles;
        s64 ticks;
    };
    static Reading ReadTogether();

    // A span of counter cycles in FrameTimer ticks, at the rate measured last (measured again
    // first when due, so a span read long after nothing else read the clock is not converted at
    // the first, short measurement's rate).
    static s64 TicksForCycles(u64 cycles)
    {
#if defined(__x86_64__) || defined(__i386__)
        if (s_usable && __builtin_ia32_rdtsc() >= s_recalibrateAt.load(std::memory_order_relaxed))
            NowTicksMeasured();
#endif
        return static_cast<s64>(static_cast<f64>(cycles) *
                                s_ticksPerCycle.load(std::memory_order_relaxed));
    }

private:
    // The steady clock, and a new rate when one is due.
    static s64 NowTicksMeasured();
    friend struct CycleClockCalibration;

    // Written once while the program starts, before any other thread exists.
    static bool s_usable;
    static u64 s_anchorCycles;
    static s64 s_anchorTicks;
    static s64 s_anchorNanoseconds;
    // Any reading thread may be the one that measures again.
    static std::atomic<f64> s_ticksPerCycle;
    static std::atomic<u64> s_recalibrateAt;
};
} // namespace Core
