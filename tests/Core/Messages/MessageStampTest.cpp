#include "Core/Messages/MessageStamp.h"
#include "Core/Engine.h"
#include "Core/Messages/Message.h"
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(MessageStamp, SecondsGivenOutrightReadBackExactly)
{
    for (f64 seconds :
         {0.0, 2.5, 12.5, 1.0e-9, -1.0, 123456.789, -std::numeric_limits<f64>::infinity()})
        EXPECT_EQ(MessageStamp(seconds).Seconds(), seconds);
    EXPECT_TRUE(std::isnan(MessageStamp(-std::numeric_limits<f64>::quiet_NaN()).Seconds()));
    EXPECT_EQ(MessageStamp().Seconds(), 0.0);
    EXPECT_EQ(MessageStamp::Now().Seconds(), 0.0) << "no engine: the stamp is 0";
}

TEST(MessageStamp, AMessageStampReadsTheEngineTimerAtConstruction)
{
    // The stamp keeps a counter reading and converts it when read: it lies between the timer's
    // totals taken around the construction (within the two clocks' agreement), however late it
    // is read, and a copy reads the same.
    constexpr f64 Agreement = 20e-6;
    Engine engine;
    const f64 before = engine.GetTimer().GetTotalSeconds();
    Message message(0, 0, 0u, sizeof(Message));
    const f64 after = engine.GetTimer().GetTotalSeconds();
    const f64 stamp = message.GetTimeStamp();
    EXPECT_GE(stamp, 0.0);
    EXPECT_GE(stamp, before - Agreement);
    EXPECT_LE(stamp, after + Agreement);
    Message copy(0, 0, 0u, sizeof(Message));
    copy.timeStamp = message.timeStamp;
    EXPECT_EQ(copy.GetTimeStamp(), message.GetTimeStamp());
    message.SetTimeStamp(4.25);
    EXPECT_EQ(message.GetTimeStamp(), 4.25);
}
