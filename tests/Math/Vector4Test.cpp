#include "Math/Vector4.h"
#include "DebugDrawRecorder.h"
#include "Math/Point4.h"
#include "Math/Vector2.h"
#include "Math/Vector3.h"
#include "MathTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <type_traits>

using namespace Math;
using MathTest::Vec4Near;

static_assert(std::is_trivially_copyable<Vector2>::value, "plain value");
static_assert(std::is_trivially_copyable<Vector3>::value, "plain value");
static_assert(std::is_trivially_copyable<Vector4>::value, "plain value");
static_assert(std::is_trivially_copyable<Point4>::value, "plain value");
static_assert(sizeof(Point4) == 4 * sizeof(f32), "points share the vector's layout");

TEST(Vector2, NormalizeReturnsTheOldLengthOrZeroesTinyVectors)
{
    Vector2 v(3.0f, 4.0f);
    EXPECT_EQ(v.Normalize(), 5.0f);
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.y, 0.8f);

    Vector2 tiny(0.000001f, 0.0f);
    EXPECT_EQ(tiny.Normalize(), 0.0f);
    EXPECT_EQ(tiny.x, 0.0f);
    EXPECT_EQ(tiny.y, 0.0f);
}

TEST(Vector2, RandomDirectionIsUnitLength)
{
    SeedRand(1);
    for (int i = 0; i < 1000; ++i)
    {
        const Vector2 v = Vector2::RandomDirection();
        ASSERT_NEAR(std::sqrt(v.Dot(v)), 1.0f, 1e-5f);
    }
}

TEST(Vector3, EqualityToleratesExactlyTheEngineEpsilon)
{
    EXPECT_TRUE(Vector3(0, 0, 0) == Vector3(0.00001f, 0, 0));
    EXPECT_FALSE(Vector3(0, 0, 0) == Vector3(0.00002f, 0, 0));
    EXPECT_TRUE(Vector3(0, 0, 0) != Vector3(0, 0, 0.00002f));
    Vector3 v(1, 2, 3);
    v *= 2.0f;
    v += Vector3(1, 1, 1);
    EXPECT_TRUE(v == Vector3(3, 5, 7));
}

TEST(Vector4, LengthAndNormalizeIncludeW)
{
    Vector4 v(0, 0, 3, 4);
    EXPECT_EQ(v.Length(), 5.0f);
    EXPECT_EQ(v.LengthSquared(), 25.0f);
    EXPECT_EQ(v.Normalize(), 5.0f);
    EXPECT_TRUE(Vec4Near(v, Vector4(0, 0, 0.6f, 0.8f)));

    Vector4 tiny(0, 0, 0.000001f, 0);
    EXPECT_EQ(tiny.Normalize(), 0.0f);
    EXPECT_TRUE(tiny.IsZero());
}

TEST(Vector4, IsZeroIgnoresW)
{
    EXPECT_TRUE(Vector4(0, 0, 0, 1).IsZero());
    EXPECT_FALSE(Vector4(0, 0, 0.000001f, 0).IsZero());
}

TEST(Vector4, CrossDotAndScalarOperations)
{
    const Vector4 x(1, 0, 0, 5), y(0, 1, 0, 7);
    EXPECT_TRUE(Vec4Near(x.Cross(y), Vector4(0, 0, 1, 0)));
    EXPECT_EQ(Vector4(1, 2, 3, 4).Dot(Vector4(5, 6, 7, 8)), 70.0f);
    Vector4 v(2, 4, 6, 8);
    v /= 2.0f;
    EXPECT_TRUE(Vec4Near(v, Vector4(1, 2, 3, 4)));
    v -= Vector4(1, 1, 1, 1);
    v *= 3.0f;
    EXPECT_TRUE(Vec4Near(v, Vector4(0, 3, 6, 9)));
    EXPECT_TRUE(Vec4Near(-v, Vector4(0, -3, -6, -9)));
    v.SetZero();
    EXPECT_TRUE(Vec4Near(v, Vector4()));
}

TEST(Vector4, AreParallelToleratesOnlyTinyCrossProducts)
{
    EXPECT_TRUE(Vector4::AreParallel(Vector4(1, 0, 0, 0), Vector4(-2, 0, 0, 0)));
    EXPECT_FALSE(Vector4::AreParallel(Vector4(1, 0, 0, 0), Vector4(0, 1, 0, 0)));
    EXPECT_FALSE(Vector4::AreParallel(Vector4(std::nanf(""), 0, 0, 0), Vector4(1, 0, 0, 0)));
}

TEST(Vector4, RandomDirectionsAreUnitVectorsInTheirPlanes)
{
    SeedRand(3);
    for (int i = 0; i < 200; ++i)
    {
        const Vector4 any = Vector4::RandomDirection();
        const Vector4 xy = Vector4::RandomDirectionXY();
        const Vector4 xz = Vector4::RandomDirectionXZ();
        const Vector4 yz = Vector4::RandomDirectionYZ();
        ASSERT_NEAR(any.Length(), 1.0f, 1e-5f);
        ASSERT_NEAR(xy.Length(), 1.0f, 1e-5f);
        ASSERT_NEAR(xz.Length(), 1.0f, 1e-5f);
        ASSERT_NEAR(yz.Length(), 1.0f, 1e-5f);
        ASSERT_EQ(any.w, 0.0f);
        ASSERT_EQ(xy.z, 0.0f);
        ASSERT_EQ(xz.y, 0.0f);
        ASSERT_EQ(yz.x, 0.0f);
    }
}

TEST(Vector4, RandomDirectionsDrawTheirComponentsInTheFixedOrder)
{
    // The same seed must give the same directions on every machine, so the draw order is part
    // of the behaviour: each expected vector is rebuilt from the raw draws in that order.
    constexpr u32 SEED = 9;
    SeedRand(SEED);
    const f32 y2 = RandRange(-1.0f, 1.0f);
    const f32 x2 = RandRange(-1.0f, 1.0f);
    Vector2 expected2(x2, y2);
    expected2.Normalize();
    SeedRand(SEED);
    const Vector2 drawn2 = Vector2::RandomDirection();
    EXPECT_NEAR(drawn2.x, expected2.x, 1e-6f);
    EXPECT_NEAR(drawn2.y, expected2.y, 1e-6f);

    const struct
    {
        Vector4 (*draw)();
        const char* order; // components in draw order
    } cases[] = {{&Vector4::RandomDirection, "zyx"},
                 {&Vector4::RandomDirectionXY, "yx"},
                 {&Vector4::RandomDirectionXZ, "zx"},
                 {&Vector4::RandomDirectionYZ, "zy"}};
    for (const auto& c : cases)
    {
        SeedRand(SEED);
        Vector4 expected;
        for (const char* component = c.order; *component; ++component)
        {
            const f32 value = RandRange(-1.0f, 1.0f);
            (*component == 'x' ? expected.x : *component == 'y' ? expected.y : expected.z) = value;
        }
        expected.Normalize();
        SeedRand(SEED);
        EXPECT_TRUE(Vec4Near(c.draw(), expected, 1e-6f)) << "order " << c.order;
    }
}

TEST(Vector4, MakeOrthonormalBasisIsPerpendicularAndKeepsW)
{
    const Vector4 normals[] = {Vector4(0, 1, 0, 0), Vector4(1, 0, 0, 0), Vector4(0, 0, 1, 0),
                               Vector4(0.6f, 0.0f, 0.8f, 0), Vector4(0.48f, 0.6f, 0.64f, 0)};
    for (const Vector4& n : normals)
    {
        Vector4 u(0, 0, 0, 7), v(0, 0, 0, 9);
        MakeOrthonormalBasis(u, v, n);
        EXPECT_NEAR(u.Dot(n) - 7.0f * n.w, 0.0f, 1e-5f);
        EXPECT_NEAR(u.x * v.x + u.y * v.y + u.z * v.z, 0.0f, 1e-5f);
        EXPECT_NEAR(v.x * n.x + v.y * n.y + v.z * n.z, 0.0f, 1e-5f);
        EXPECT_NEAR(std::sqrt(u.x * u.x + u.y * u.y + u.z * u.z), 1.0f, 1e-5f);
        EXPECT_NEAR(std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z), 1.0f, 1e-5f);
        EXPECT_EQ(u.w, 7.0f);
        EXPECT_EQ(v.w, 9.0f);
    }
}

TEST(Vector4, StreamTextListsTheComponents)
{
    std::ostringstream text;
    text << Vector2(1, 2) << Vector3(1, 2, 3) << Vector4(1, 2, 3, 4) << Point4(5, 6, 7, 1);
    EXPECT_EQ(text.str(), "(1, 2)(1, 2, 3)(1, 2, 3, 4)(5, 6, 7, 1)");
}

TEST(Point4, PointsDifferInVectorsAndMoveByThem)
{
    EXPECT_TRUE(Vec4Near(Point4(), Vector4(0, 0, 0, 1)));
    const Vector4 difference = Point4(5, 7, 9, 1) - Point4(1, 2, 3, 1);
    EXPECT_TRUE(Vec4Near(difference, Vector4(4, 5, 6, 0)));
    Point4 p(1, 1, 1, 1);
    p += Vector4(1, 2, 3, 0);
    EXPECT_TRUE(Vec4Near(p, Vector4(2, 3, 4, 1)));
    const Point4 middle = (Point4(0, 0, 0, 1) + Point4(2, 2, 2, 1)) * 0.5f;
    EXPECT_TRUE(Vec4Near(middle, Vector4(1, 1, 1, 1)));
}

TEST(Point4, DrawsThroughThePointDrawer)
{
    MathTest::DebugDrawRecorder recorder;
    Point4(1, 2, 3, 1).Draw(&ColorRGBA::Red);
    Vector4(4, 5, 6, 0).Draw(nullptr);
    ASSERT_EQ(recorder.GetCalls().size(), 2u);
    const auto& point = recorder.GetCalls()[0];
    EXPECT_EQ(point.kind, "point");
    EXPECT_TRUE(point.hasColour && point.colour == ColorRGBA::Red);
    EXPECT_TRUE(Vec4Near(point.first, Point4(1, 2, 3, 1)));
    // A vector draws as the segment from the origin to its tip, in the current colour.
    const auto& segment = recorder.GetCalls()[1];
    EXPECT_EQ(segment.kind, "segment");
    EXPECT_FALSE(segment.hasColour);
    EXPECT_TRUE(Vec4Near(segment.first, Point4(0, 0, 0, 1)));
    EXPECT_TRUE(Vec4Near(segment.second, Point4(4, 5, 6, 1)));
}
