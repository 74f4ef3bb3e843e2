#include "Core/CycleClock.h"
#include "Core/FrameTimer.h"
#include <chrono>
#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#define QUILL_HAS_CYCLE_COUNTER 1
#endif

namespace Core
{
bool CycleClock::s_usable = false;
u64 CycleClock::s_anchorCycles = 0;
s64 CycleClock::s_anchorTicks = 0;
s64 CycleClock::s_anchorNanoseconds = 0;
std::atomic<f64> CycleClock::s_ticksPerCycle{0.0};
std::atomic<u64> CycleClock::s_recalibrateAt{0};

namespace
{
using Nanoseconds = std::chrono::nanoseconds;
constexpr s64 NanosecondsPerTick = 1000000000 / FrameTimer::TicksPerSecond;
// The first rate is measured over this span; later ones over the whole time since the anchor.
constexpr s64 FirstCalibrationNanoseconds = 1000000;
// A steady-clock read is paired with the counter read just before and just after it; a pair
// whose two counter reads lie further apart than this (the thread was interrupted, or the
// machine is loaded) is taken again, and the closest of the attempts kept. An undisturbed pair
// spans some hundred cycles; the first rate, measured over a millisecond, is off by the pairs'
// spans over that millisecond, so a loose bound here shows as tens of microseconds of disagreement
// a few milliseconds later.
constexpr u64 MaxPairCycles = 1000;
constexpr int PairAttempts = 64;
constexpr f64 RecalibrationNanoseconds = 1.0e7;
constexpr u32 ExtendedFeatureLeaf = 0x80000007u;
constexpr u32 InvariantCounterBit = 1u << 8;

s64 SteadyNanoseconds()
{
    return std::chrono::duration_cast<Nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

#ifdef QUILL_HAS_CYCLE_COUNTER
struct ClockPair
{
    u64 cycles;
    s64 nanoseconds;
};

// The steady clock and the counter read as nearly at once as can be had.
ClockPair ReadPair()
{
    ClockPair best{0, 0};
    u64 bestSpan = ~u64{0};
    for (int attempt = 0; attempt < PairAttempts; ++attempt)
    {
        const u64 before = __builtin_ia32_rdtsc();
        const s64 nanoseconds = SteadyNanoseconds();
        const u64 after = __builtin_ia32_rdtsc();
        if (after - before < bestSpan)
        {
            bestSpan = after - before;
            best = {before + (after - before) / 2, nanoseconds};
        }
        if (bestSpan <= MaxPairCycles)
            break;
    }
    return best;
}

bool HasInvariantCounter()
{
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid_max(0x80000000u, nullptr) < ExtendedFeatureLeaf)
        return false;
    __get_cpuid(ExtendedFeatureLeaf, &eax, &ebx, &ecx, &edx);
    return (edx & InvariantCounterBit) != 0;
}
#endif
} // namespace

// Takes the anchor and the first rate while the program starts.
struct CycleClockCalibration
{
    CycleClockCalibration()
    {
#ifdef QUILL_HAS_CYCLE_COUNTER
        if (!HasInvariantCounter())
            return;
        const ClockPair anchor = ReadPair();
        const s64 anchorNanoseconds = anchor.nanoseconds;
        const u64 anchorCycles = anchor.cycles;
        ClockPair last = anchor;
        while (last.nanoseconds - anchorNanoseconds < FirstCalibrationNanoseconds)
            last = ReadPair();
        const s64 now = last.nanoseconds;
        const u64 cycles = last.cycles;
        if (cycles <= anchorCycles)
            return;
        CycleClock::s_anchorCycles = anchorCycles;
        CycleClock::s_anchorNanoseconds = anchorNanoseconds;
        CycleClock::s_anchorTicks = anchorNanoseconds / NanosecondsPerTick;
        Measure(cycles, now);
        CycleClock::s_usable = true;
#endif
    }

    static void Measure(u64 cycles, s64 nanoseconds)
    {
        const f64 nanosecondsPerCycle =
            static_cast<f64>(nanoseconds - CycleClock::s_anchorNanoseconds) /
            static_cast<f64>(cycles - CycleClock::s_anchorCycles);
        CycleClock::s_ticksPerCycle.store(nanosecondsPerCycle / NanosecondsPerTick,
                                          std::memory_order_relaxed);
        CycleClock::s_recalibrateAt.store(
            cycles + static_cast<u64>(RecalibrationNanoseconds / nanosecondsPerCycle),
            std::memory_order_relaxed);
    }
};

namespace
{
const CycleClockCalibration g_calibration;
} // namespace

CycleClock::Reading CycleClock::ReadTogether()
{
#ifdef QUILL_HAS_CYCLE_COUNTER
    if (s_usable)
    {
        const ClockPair pair = ReadPair();
        return {pair.cycles, pair.nanoseconds / NanosecondsPerTick};
    }
#endif
    return {0, SteadyNanoseconds() / NanosecondsPerTick};
}

s64 CycleClock::NowTicksMeasured()
{
#ifdef QUILL_HAS_CYCLE_COUNTER
    if (s_usable)
    {
        u64 due = s_recalibrateAt.load(std::memory_order_relaxed);
        const u64 cycles = __builtin_ia32_rdtsc();
        if (cycles >= due &&
            s_recalibrateAt.compare_exchange_strong(due, ~u64{0}, std::memory_order_relaxed))
        {
            // This thread measures; the others go on with the rate they have.
            const ClockPair pair = ReadPair();
            CycleClockCalibration::Measure(pair.cycles, pair.nanoseconds);
            return pair.nanoseconds / NanosecondsPerTick;
        }
        if (cycles < s_recalibrateAt.load(std::memory_order_relaxed))
            return NowTicks();
    }
#endif
    return SteadyNanoseconds() / NanosecondsPerTick;
}
} // namespace Core
