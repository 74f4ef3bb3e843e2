#pragma once
// The steady clock read through the processor's cycle counter: a few nanoseconds a read where
// std::chrono::steady_clock costs about thirty on this kind of machine. Readings are on the
// steady clock's own scale (FrameTimer ticks since its epoch), so they mix with FrameTimer's.
//
// The counter is anchored to the steady clock at the first read and its rate measured then over
// a tenth of a millisecond; from then on the rate is measured again, over the whole time since
// the anchor, about every ten milliseconds of reads, so the error stays far below a
// microsecond. Without an invariant cycle counter (or off x86) every read is the steady clock.
// Any thread may read.
#include "Math/Types.h"

namespace Core
{
class CycleClock
{
public:
    // Current time in FrameTimer ticks (100 ns) on the steady clock's scale.
    static s64 NowTicks();
};
} // namespace Core
