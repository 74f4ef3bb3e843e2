#include "Core/Memory/SpinLock.h"
#include "Math/Types.h"
#include <algorithm>
#include <thread>

namespace Core
{
namespace
{
// Waiting for a held lock: rounds of doubling pause counts, then yields. A lock is held for a
// few dozen instructions, so it is nearly always free within the first rounds.
constexpr u32 SpinRoundsBeforeYield = 16;
constexpr u32 MaxPausesPerRound = 256;

void CpuRelax()
{
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}
} // namespace

void SpinLock::WaitWhileLocked() const
{
    // Read-only waiting keeps the cache line shared until the holder lets go; the growing pause
    // keeps several waiters from all pouncing at once, and a holder that was preempted gets the
    // processor back through the yield.
    u32 pauses = 1;
    for (u32 round = 0; m_locked.load(std::memory_order_relaxed); ++round)
    {
        if (round >= SpinRoundsBeforeYield)
        {
            std::this_thread::yield();
            continue;
        }
        for (u32 i = 0; i < pauses; ++i)
            CpuRelax();
        pauses = std::min(pauses * 2, MaxPausesPerRound);
    }
}
} // namespace Core
