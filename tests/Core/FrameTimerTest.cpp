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
