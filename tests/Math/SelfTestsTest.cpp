#include "Math/SelfTests.h"
#include "Math/MathUtils.h"
#include "Math/Matrix2.h"
#include "Math/Matrix4.h"
#include "Math/PingPongValue.h"
#include "Math/SelfTests_Operations.h"
#include "Math/Vector2.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>

using namespace Math;

namespace
{
constexpr int EULER_TRIALS = 50000;

// The suites write only the Euler trial's reports; the tests read them or keep them out of the
// test log.
template <typename Suite> bool RunQuietly(Suite suite, std::string* output = nullptr)
{
    testing::internal::CaptureStdout();
    const bool passed = suite();
    const std::string written = testing::internal::GetCapturedStdout();
    if (output)
    {
        *output = written;
    }
    return passed;
}

int s_pingPongUpdates = 0;

// Counts the updates of the last suite and makes them as they are.
void CountingUpdate(PingPongValue& value, f32 dt)
{
    ++s_pingPongUpdates;
    value.Update(dt);
}

class SelfTestsTest : public ::testing::Test
{
protected:
    void TearDown() override { ResetSelfTestOperations(); }
};
} // namespace

// With the mended ping-pong suite every suite passes, whatever state the generator is in.
TEST_F(SelfTestsTest, EverySuitePasses)
{
    for (u32 seed : {1u, 12345u})
    {
        SeedRand(seed);
        EXPECT_TRUE(RunQuietly(TestMatrix4)) << "seed " << seed;
        EXPECT_TRUE(RunQuietly(RunSelfTests)) << "seed " << seed;
    }
}

// One wrong operation per suite: from the same draws, the suite passes with the real operation
// and fails with the wrong one.
TEST_F(SelfTestsTest, AWrongOperationFailsItsSuite)
{
    const struct
    {
        const char* suite;
        bool (*run)();
        void (*breakOperation)(SelfTestOperations& operations);
    } faults[] = {
        {"TestMathUtilities", TestMathUtilities,
         [](SelfTestOperations& o)
         { o.lerp = [](f32 from, f32 to, f32 t) { return from + (to - from) * (1.0f - t); }; }},
        {"TestMatrix2", TestMatrix2,
         [](SelfTestOperations& o)
         {
             o.matrix2Times = [](const Matrix2& m, const Vector2& v)
             { return Vector2(m.m00 * v.x + m.m10 * v.y, m.m01 * v.x + m.m11 * v.y); };
         }},
        {"TestMatrix4", TestMatrix4,
         [](SelfTestOperations& o)
         { o.matrix4Determinant = [](const Matrix4& m) { return -m.Determinant(); }; }},
        {"TestQuaternion", TestQuaternion,
         [](SelfTestOperations& o)
         {
             o.quaternionNormalize = [](Quaternion& q)
             {
                 const f32 length = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z);
                 q = q * (1.0f / length);
                 return length;
             };
         }},
        {"TestVector2", TestVector2,
         [](SelfTestOperations& o)
         { o.vector2Length = [](const Vector2& v) { return std::fabs(v.x) + std::fabs(v.y); }; }},
        {"TestVector3", TestVector3,
         [](SelfTestOperations& o)
         { o.vector3Cross = [](const Vector3& a, const Vector3& b) { return b.Cross(a); }; }},
        {"TestVector4", TestVector4,
         [](SelfTestOperations& o)
         {
             o.vector4Dot = [](const Vector4& a, const Vector4& b)
             { return a.x * b.x + a.y * b.y + a.z * b.z; };
         }},
        {"TestPingPongValue", TestPingPongValue,
         [](SelfTestOperations& o)
         { o.pingPongUpdate = [](PingPongValue& p, f32 dt) { p.value += p.rate * dt; }; }},
    };
    for (const auto& fault : faults)
    {
        ResetSelfTestOperations();
        SeedRand(1);
        EXPECT_TRUE(RunQuietly(fault.run)) << fault.suite;

        SelfTestOperations operations = RealSelfTestOperations();
        fault.breakOperation(operations);
        SetSelfTestOperations(operations);
        SeedRand(1);
        EXPECT_FALSE(RunQuietly(fault.run)) << fault.suite;
    }
}

// A failing suite ends the run: the suites after it never run, and neither does the Euler trial
// when a quaternion test before it fails.
TEST_F(SelfTestsTest, AFailingSuiteStopsTheRun)
{
    SelfTestOperations operations = RealSelfTestOperations();
    operations.pingPongUpdate = CountingUpdate;
    SetSelfTestOperations(operations);
    SeedRand(1);
    s_pingPongUpdates = 0;
    std::string output;
    EXPECT_TRUE(RunQuietly(RunSelfTests, &output));
    EXPECT_GT(s_pingPongUpdates, 0);
    EXPECT_NE(output, "");

    operations.quaternionNormalize = [](Quaternion& q) { return q.w; };
    SetSelfTestOperations(operations);
    SeedRand(1);
    s_pingPongUpdates = 0;
    EXPECT_FALSE(RunQuietly(RunSelfTests, &output));
    EXPECT_EQ(s_pingPongUpdates, 0);
    EXPECT_EQ(output, "") << "the Euler trial ran";
}

// Each report is an empty line, the framed title with the trial number, the drawn angles and the
// angles of the round trip; it comes for a trial that brought some angle back with less
// magnitude (beyond what the six printed digits blur). ToEuler keeps yaw within a quarter turn,
// so a yaw drawn beyond it is reported, and still the trial passes.
TEST_F(SelfTestsTest, TheEulerTrialReportsAnglesThatLoseMagnitudeAndPasses)
{
    constexpr f32 PRINTED_PRECISION = 0.0005f;
    SeedRand(1);
    std::string output;
    EXPECT_TRUE(RunQuietly(TestQuaternion, &output));

    std::istringstream lines(output);
    std::string empty, title, drawnLine, roundTripLine;
    int reports = 0, lastTrial = -1;
    while (std::getline(lines, empty))
    {
        ASSERT_EQ(empty, "");
        ASSERT_TRUE(std::getline(lines, title) && std::getline(lines, drawnLine) &&
                    std::getline(lines, roundTripLine));
        int trial = -1;
        char end = 0;
        ASSERT_EQ(
            std::sscanf(title.c_str(), "******Euler inaccuracy!****** (on test %d%c", &trial, &end),
            2)
            << title;
        EXPECT_EQ(title, "******Euler inaccuracy!****** (on test " + std::to_string(trial) + ")");
        EXPECT_GT(trial, lastTrial);
        EXPECT_LT(trial, EULER_TRIALS);
        lastTrial = trial;
        f32 drawn[3], back[3];
        ASSERT_EQ(std::sscanf(drawnLine.c_str(), "(%f, %f, %f)", &drawn[0], &drawn[1], &drawn[2]),
                  3)
            << drawnLine;
        ASSERT_EQ(std::sscanf(roundTripLine.c_str(), "(%f, %f, %f)", &back[0], &back[1], &back[2]),
                  3)
            << roundTripLine;
        f32 largestLoss = -1.0f;
        for (int i = 0; i < 3; ++i)
        {
            largestLoss = std::max(largestLoss, std::fabs(drawn[i]) - std::fabs(back[i]));
        }
        EXPECT_GT(largestLoss, 0.001f - PRINTED_PRECISION) << drawnLine << " " << roundTripLine;
        ++reports;
    }
    EXPECT_GT(reports, 0);
}
