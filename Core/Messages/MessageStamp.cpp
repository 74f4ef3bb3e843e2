#include "Core/Messages/MessageStamp.h"
#include "Core/CycleClock.h"
#include "Core/Engine.h"
#include <cmath>
#include <cstring>
#include <limits>

namespace
{
// Sign and exponent all ones: a negative NaN (or, with no payload, minus infinity).
constexpr u64 CycleTag = 0xFFF0000000000000ull;
constexpr u64 PayloadMask = 0x000FFFFFFFFFFFFFull;
// Readings past this many cycles since the timer started (days of running) are stored as
// seconds at once.
constexpr u64 MaxCycles = PayloadMask - 1;

u64 BitsOf(f64 value)
{
    u64 bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}
} // namespace

MessageStamp::MessageStamp(f64 seconds)
    : m_bits(BitsOf(std::isnan(seconds) ? std::numeric_limits<f64>::quiet_NaN() : seconds))
{
}

MessageStamp MessageStamp::Now()
{
    MessageStamp stamp;
    if (g_Engine == nullptr)
        return stamp;
    const FrameTimer& timer = g_Engine->GetTimer();
    if (Core::CycleClock::IsUsable())
    {
        // Before the start (a hair, as the two clocks are read apart) wraps to a huge count
        // and takes the other way, which reads 0.
        const u64 cycles = Core::CycleClock::Cycles() - timer.GetStartCycles();
        if (cycles < MaxCycles)
        {
            stamp.m_bits = CycleTag | (cycles + 1);
            return stamp;
        }
    }
    return MessageStamp(timer.GetStampSeconds());
}

f64 MessageStamp::Seconds() const
{
    const u64 payload = m_bits & PayloadMask;
    if ((m_bits & ~PayloadMask) == CycleTag && payload != 0)
    {
        const s64 ticks = Core::CycleClock::TicksForCycles(payload - 1);
        return static_cast<f64>(ticks) / static_cast<f64>(FrameTimer::TicksPerSecond);
    }
    f64 seconds = 0.0;
    std::memcpy(&seconds, &m_bits, sizeof(seconds));
    return seconds;
}
