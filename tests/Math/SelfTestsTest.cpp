#include "Math/SelfTests.h"
#include "Math/MathUtils.h"

#include <gtest/gtest.h>

// The start-up self-checks pass on a correct build, whatever state the generator is in.
TEST(SelfTests, EverySuitePasses)
{
    for (u32 seed : {1u, 12345u})
    {
        Math::SeedRand(seed);
        EXPECT_TRUE(Math::TestMatrix4());
        testing::internal::CaptureStdout();
        EXPECT_TRUE(Math::RunSelfTests());
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "no Euler inaccuracy reported";
    }
}
