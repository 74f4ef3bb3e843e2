#include "Core/CycleClock.h"
#include "Core/FrameTimer.h"
#include <atomic>
#include <chrono>
#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#define QUILL_HAS_CYCLE_COUNTER 1
#endif

namespace Core
{
namespace
{
using Nanoseconds = std::chrono::nanoseconds;
constexpr s64 NanosecondsPerTick = 1000000000 / FrameTimer::TicksPerSecond;
// The first rate is measured over this span; later ones over the whole time since the anchor.
constexpr s64 FirstCalibrationNanoseconds = 100000;
constexpr f64 RecalibrationSeconds = 0.01;
constexpr u32 ExtendedFeatureLeaf = 0x80000007u;
constexpr u32 InvariantCounterBit = 1u << 8;

s64 SteadyNanoseconds()
{
    return std::chrono::duration_cast<Nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

#ifdef QUILL_HAS_CYCLE_COUNTER
bool HasInvariantCounter()
{
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid_max(0x80000000u, nullptr) < ExtendedFeatureLeaf)
        return false;
    __get_cpuid(ExtendedFeatureLeaf, &eax, &ebx, &ecx, &edx);
    return (edx & InvariantCounterBit) != 0;
}

// The anchor pair and the current rate; the rate and the next recalibration point are atomics
// because any reading thread may be the one that measures again.
struct Calibration
{
    bool usable = false;
    u64 anchorCycles = 0;
    s64 anchorNanoseconds = 0;
    std::atomic<f64> nanosecondsPerCycle{0.0};
    std::atomic<u64> recalibrateAt{0};

    Calibration()
    {
        usable = HasInvariantCounter();
        if (!usable)
            return;
        anchorNanoseconds = SteadyNanoseconds();
        anchorCycles = __rdtsc();
        s64 now = anchorNanoseconds;
        u64 cycles = anchorCycles;
        while (now - anchorNanoseconds < FirstCalibrationNanoseconds)
        {
            now = SteadyNanoseconds();
            cycles = __rdtsc();
        }
        if (cycles <= anchorCycles)
        {
            usable = false;
            return;
        }
        Measure(cycles, now);
    }

    void Measure(u64 cycles, s64 nanoseconds)
    {
        const f64 rate = static_cast<f64>(nanoseconds - anchorNanoseconds) /
                         static_cast<f64>(cycles - anchorCycles);
        nanosecondsPerCycle.store(rate, std::memory_order_relaxed);
        recalibrateAt.store(cycles + static_cast<u64>(RecalibrationSeconds * 1e9 / rate),
                            std::memory_order_relaxed);
    }
};

Calibration& TheCalibration()
{
    static Calibration calibration;
    return calibration;
}
#endif
} // namespace

s64 CycleClock::NowTicks()
{
#ifdef QUILL_HAS_CYCLE_COUNTER
    Calibration& calibration = TheCalibration();
    if (calibration.usable)
    {
        const u64 cycles = __rdtsc();
        u64 due = calibration.recalibrateAt.load(std::memory_order_relaxed);
        if (cycles >= due && calibration.recalibrateAt.compare_exchange_strong(
                                 due, ~u64{0}, std::memory_order_relaxed))
        {
            // This thread measures; the others go on with the rate they have.
            const s64 nanoseconds = SteadyNanoseconds();
            calibration.Measure(__rdtsc(), nanoseconds);
            return nanoseconds / NanosecondsPerTick;
        }
        const f64 elapsed = static_cast<f64>(cycles - calibration.anchorCycles) *
                            calibration.nanosecondsPerCycle.load(std::memory_order_relaxed);
        return (calibration.anchorNanoseconds + static_cast<s64>(elapsed)) / NanosecondsPerTick;
    }
#endif
    return SteadyNanoseconds() / NanosecondsPerTick;
}
} // namespace Core
