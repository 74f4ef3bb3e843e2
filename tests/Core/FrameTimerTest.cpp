#include "Core/FrameTimer.h"
#include <gtest/gtest.h>
#include <thread>

TEST(FrameTimer, LapAndTotalStartTogether)
{
    FrameTimer timer;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    const f64 total = timer.GetTotalSeconds();
    const f32 lap = timer.GetLapSeconds();
    EXPECT_GE(total, 0.002);
    EXPECT_GE(lap, 0.002f);
    // Both read the clock separately, so the later read is never the smaller span.
    EXPECT_GE(static_cast<f64>(lap) + 1e-6, total);
    EXPECT_NEAR(timer.GetTotalMilliseconds(), total * 1000.0, 5.0);
}

TEST(FrameTimer, ResetLapLeavesTheTotalRunning)
{
    FrameTimer timer;
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
    timer.ResetLap();
    // Read the lap first: the total then spans at least the 3 ms before the reset more.
    const s64 lapMicroseconds = timer.GetLapMicroseconds();
    const f32 lap = timer.GetLapSeconds();
    const f64 total = timer.GetTotalSeconds();
    EXPECT_GT(total - lap, 0.0029);
    EXPECT_GE(static_cast<f64>(lap) * 1e6 + 1.0, static_cast<f64>(lapMicroseconds));
}

TEST(FrameTimer, ClockCountsHundredNanosecondTicksForwards)
{
    const s64 first = FrameTimer::NowTicks();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const s64 second = FrameTimer::NowTicks();
    EXPECT_GE(second - first, 10000); // 1 ms = 10,000 ticks
}

TEST(FrameTimer, StampSecondsReadTheSameAsTheTotal)
{
    // The stamp comes from the cycle counter, the total from the steady clock: read in between
    // two totals, a stamp lies between them (within the two clocks' agreement), here and after
    // the counter's rate has been measured again.
    constexpr f64 Agreement = 20e-6;
    FrameTimer timer;
    for (int round = 0; round < 3; ++round)
    {
        const f64 before = timer.GetTotalSeconds();
        const f64 stamp = timer.GetStampSeconds();
        const f64 after = timer.GetTotalSeconds();
        EXPECT_GE(stamp, 0.0);
        EXPECT_GE(stamp, before - Agreement) << round;
        EXPECT_LE(stamp, after + Agreement) << round;
        std::this_thread::sleep_for(std::chrono::milliseconds(12)); // past a recalibration
    }
}
