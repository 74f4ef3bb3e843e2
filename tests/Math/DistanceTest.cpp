#include "Math/Distance.h"
#include "DebugDrawRecorder.h"
#include "Math/MathConstants.h"
#include "MathTestHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace Math;
using MathTest::DebugDrawRecorder;
using MathTest::Vec4Near;

namespace
{
const Vector4 STILL;
const Vector4 UP(0, 1, 0, 0);
} // namespace

TEST(Distance, StartsWithTheDocumentedDefaults)
{
    const Point4 p(0, 5, 0, 1);
    const DistPoint4Plane query(p, PLANE_XZ);
    EXPECT_EQ(query.maxIterations, 0);
    EXPECT_EQ(query.tolerance, 0.00001f);
    EXPECT_EQ(query.contactTime, 3.4028235e38f);
    EXPECT_EQ(query.derivativeStep, 0.001f);
    EXPECT_FLOAT_EQ(query.inverseTwoStep, 499.99997f);
    EXPECT_TRUE(Vec4Near(query.GetClosestPoint0(), Point4()));
}

TEST(DistPoint4Plane, DistanceAndFootOnBothSides)
{
    const Point4 above(0, 5, 0, 1), below(0, -2, 0, 1);
    DistPoint4Plane up(above, PLANE_XZ), down(below, PLANE_XZ);
    EXPECT_EQ(up.Get(), 5.0f);
    EXPECT_EQ(up.GetSquared(), 25.0f);
    EXPECT_TRUE(Vec4Near(up.GetClosestPoint1(), Point4(0, 0, 0, 1)));
    EXPECT_TRUE(Vec4Near(up.GetClosestPoint0(), above));
    EXPECT_EQ(down.Get(), 2.0f);
    EXPECT_TRUE(Vec4Near(down.GetClosestPoint1(), Point4(0, 0, 0, 1)));
}

TEST(DistPoint4Plane, MovingShapes)
{
    const Point4 p(0, 5, 0, 1);
    DistPoint4Plane query(p, PLANE_XZ);
    EXPECT_FLOAT_EQ(query.GetAt(2.0f, -UP, STILL), 3.0f);
    EXPECT_FLOAT_EQ(query.GetAt(2.0f, STILL, UP), 3.0f) << "the plane moves up to meet it";
    EXPECT_FLOAT_EQ(query.GetSquaredAt(1.0f, -UP, STILL), 16.0f);
    EXPECT_NEAR(query.GetDerivativeAt(1.0f, -UP, STILL), -1.0f, 1e-3f);
    EXPECT_NEAR(query.GetSquaredDerivativeAt(1.0f, -UP, STILL), -8.0f, 1e-2f);
}

TEST(DistPoint4Plane, IntervalSearchFindsTheContact)
{
    const Point4 p(0, 5, 0, 1);
    DistPoint4Plane query(p, PLANE_XZ);
    // Without iterations the search stops at the start.
    EXPECT_FLOAT_EQ(query.GetOverInterval(0, 10, -UP, STILL), 5.0f);
    EXPECT_EQ(query.contactTime, 0.0f);

    query.maxIterations = 10;
    EXPECT_NEAR(query.GetOverInterval(0, 10, -UP, STILL), 0.0f, 1e-4f);
    EXPECT_NEAR(query.contactTime, 5.0f, 1e-3f);

    // Moving away: the start is the closest moment.
    EXPECT_FLOAT_EQ(query.GetOverInterval(0, 10, UP, STILL), 5.0f);
    EXPECT_EQ(query.contactTime, 0.0f);
    // Still approaching at the end: the end is the closest moment.
    EXPECT_NEAR(query.GetOverInterval(0, 3, -UP, STILL), 2.0f, 1e-5f);
    EXPECT_EQ(query.contactTime, 3.0f);
    // Touching at the start.
    const Point4 onPlane(1, 0, 1, 1);
    DistPoint4Plane touching(onPlane, PLANE_XZ);
    EXPECT_EQ(touching.GetOverInterval(0, 4, UP, STILL), 0.0f);
    EXPECT_EQ(touching.contactTime, 0.0f);
}

TEST(Distance, IntervalSearchBisectsForTheClosestApproach)
{
    // A point passing 5 above a unit circle, moving along X: nearest at t = 9, over the rim at
    // (-1, 0, 0), with no contact. Newton overshoots the interval, so the bisection decides.
    const Circle3 unit(Point4(0, 0, 0, 1), UP, 1);
    const Point4 p(-10, 5, 0, 1);
    const Vector4 alongX(1, 0, 0, 0);
    DistPoint4Circle3 query(p, unit);

    // Without iterations: the distance at the start, whatever lies inside.
    EXPECT_FLOAT_EQ(query.GetOverInterval(0, 9.5f, alongX, STILL), std::sqrt(106.0f));
    EXPECT_EQ(query.contactTime, 0.0f);

    query.maxIterations = 30;
    EXPECT_NEAR(query.GetOverInterval(0, 9.5f, alongX, STILL), 5.0f, 1e-4f);
    EXPECT_NEAR(query.contactTime, 9.0f, 0.01f);
    EXPECT_NEAR(query.GetSquaredOverInterval(0, 9.5f, alongX, STILL), 25.0f, 1e-3f);
    EXPECT_NEAR(query.contactTime, 9.0f, 0.01f);
    // The same approach seen from the circle's side.
    EXPECT_NEAR(query.GetOverInterval(0, 9.5f, STILL, -alongX), 5.0f, 1e-4f);
    EXPECT_NEAR(query.contactTime, 9.0f, 0.01f);
}

TEST(DistPoint4Circle3, ClosestPointOnTheRim)
{
    const Circle3 unit(Point4(0, 0, 0, 1), UP, 1);
    const Point4 outside(3, 0, 0, 1);
    DistPoint4Circle3 query(outside, unit);
    EXPECT_FLOAT_EQ(query.GetSquared(), 4.0f);
    EXPECT_FLOAT_EQ(query.Get(), 2.0f);
    EXPECT_TRUE(Vec4Near(query.GetClosestPoint1(), Point4(1, 0, 0, 1)));
    EXPECT_TRUE(Vec4Near(query.GetClosestPoint0(), outside));
}

TEST(DistPoint4Circle3, OnTheAxisEveryRimPointIsAsNear)
{
    const Circle3 unit(Point4(0, 0, 0, 1), UP, 1);
    const Point4 onAxis(0, 2, 0, 1);
    DistPoint4Circle3 query(onAxis, unit);
    EXPECT_FLOAT_EQ(query.GetSquared(), 5.0f);
    EXPECT_EQ(query.GetClosestPoint1().x, 3.4028235e38f);
    EXPECT_EQ(query.GetClosestPoint1().y, 3.4028235e38f);
    EXPECT_EQ(query.GetClosestPoint1().z, 3.4028235e38f);
}

TEST(DistPoint4Circle3, MovingCircle)
{
    const Circle3 unit(Point4(0, 0, 0, 1), UP, 1);
    const Point4 p(3, 0, 0, 1);
    DistPoint4Circle3 query(p, unit);
    EXPECT_FLOAT_EQ(query.GetAt(1.0f, STILL, Vector4(1, 0, 0, 0)), 1.0f);
    EXPECT_FLOAT_EQ(query.GetSquaredAt(1.0f, Vector4(-1, 0, 0, 0), STILL), 1.0f);
}

TEST(DistCircle3Circle3, ParallelCirclesProjectOnceEachWay)
{
    const Circle3 a(Point4(0, 0, 0, 1), UP, 1), b(Point4(3, 1, 0, 1), UP, 1);
    DistCircle3Circle3 query(a, b);
    EXPECT_FLOAT_EQ(query.GetSquared(), 2.0f);
    EXPECT_TRUE(Vec4Near(query.GetClosestPoint1(), Point4(2, 1, 0, 1)));
    EXPECT_TRUE(Vec4Near(query.GetClosestPoint0(), Point4(1, 0, 0, 1)));
}

TEST(DistCircle3Circle3, CrossedCircles)
{
    // Circle a in the XZ plane, circle b in the XY plane, 5 apart along X.
    const Circle3 a(Point4(0, 0, 0, 1), UP, 1), b(Point4(5, 0, 0, 1), Vector4(0, 0, 1, 0), 1);
    DistCircle3Circle3 query(a, b);
    EXPECT_NEAR(query.GetSquared(), 9.0f, 1e-4f);
    EXPECT_TRUE(Vec4Near(query.GetClosestPoint0(), Point4(1, 0, 0, 1), 1e-4f));
    EXPECT_TRUE(Vec4Near(query.GetClosestPoint1(), Point4(4, 0, 0, 1), 1e-4f));
    EXPECT_NEAR(query.Get(), 3.0f, 1e-4f);
    EXPECT_NEAR(query.GetAt(1.0f, Vector4(1, 0, 0, 0), STILL), 2.0f, 1e-4f);
}

TEST(DistCircle3Circle3, CoaxialCirclesNeverReportTheMarker)
{
    // Centres on the first circle's axis, normals not alike: the projections vanish.
    const Circle3 a(Point4(0, 0, 0, 1), UP, 1), b(Point4(0, 3, 0, 1), Vector4(0, -1, 0, 0), 2);
    DistCircle3Circle3 query(a, b);
    const f32 squared = query.GetSquared();
    EXPECT_NEAR(squared, 10.0f, 1e-4f); // rims 1 apart sideways, 3 apart in height
    for (const Point4& p : {query.GetClosestPoint0(), query.GetClosestPoint1()})
    {
        EXPECT_LT(std::fabs(p.x), 10.0f);
        EXPECT_LT(std::fabs(p.z), 10.0f);
    }
    EXPECT_NEAR(std::hypot(query.GetClosestPoint1().x, query.GetClosestPoint1().z), 2.0f, 1e-4f);

    // The same with a concentric pair in parallel planes facing alike.
    const Circle3 c(Point4(0, 0, 0, 1), UP, 1), d(Point4(0, 2, 0, 1), UP, 3);
    DistCircle3Circle3 stacked(c, d);
    EXPECT_NEAR(stacked.GetSquared(), 8.0f, 1e-4f);
    EXPECT_NEAR(std::hypot(stacked.GetClosestPoint1().x, stacked.GetClosestPoint1().z), 3.0f,
                1e-4f);
    EXPECT_NEAR(std::hypot(stacked.GetClosestPoint0().x, stacked.GetClosestPoint0().z), 1.0f,
                1e-4f);
}

TEST(DistLine3Circle3, LineThroughTheRim)
{
    const Circle3 unit(Point4(0, 0, 0, 1), UP, 1);
    const Line3 crossing(Point4(1, 5, 0, 1), Vector4(0, -1, 0, 0));
    DistLine3Circle3 query(crossing, unit);
    EXPECT_NEAR(query.GetSquared(), 0.0f, 1e-5f);
    EXPECT_TRUE(Vec4Near(query.GetClosestPoint0(), Point4(1, 0, 0, 1), 1e-3f));
    EXPECT_TRUE(Vec4Near(query.GetClosestPoint1(), Point4(1, 0, 0, 1), 1e-3f));
}

TEST(DistLine3Circle3, LineAboveThePlane)
{
    const Circle3 unit(Point4(0, 0, 0, 1), UP, 1);
    const Line3 above(Point4(-4, 2, 3, 1), Vector4(1, 0, 0, 0));
    DistLine3Circle3 query(above, unit);
    // Nearest rim point (0, 0, 1) under the line point (0, 2, 3): 2 up and 2 across.
    EXPECT_NEAR(query.GetSquared(), 8.0f, 1e-3f);
    EXPECT_TRUE(Vec4Near(query.GetClosestPoint0(), Point4(0, 2, 3, 1), 1e-3f));
    EXPECT_TRUE(Vec4Near(query.GetClosestPoint1(), Point4(0, 0, 1, 1), 1e-3f));
}

TEST(DistLine3Circle3, LineAlongTheAxisMeetsThePlaneAtTheRadius)
{
    const Circle3 circle(Point4(1, 2, 3, 1), UP, 2);
    const Line3 axis(Point4(1, 7, 3, 1), Vector4(0, 1, 0, 0));
    DistLine3Circle3 query(axis, circle);
    EXPECT_FLOAT_EQ(query.GetSquared(), 4.0f);
    EXPECT_TRUE(Vec4Near(query.GetClosestPoint0(), Point4(1, 2, 3, 1)));
    EXPECT_FLOAT_EQ((query.GetClosestPoint1() - circle.centre).Length(), 2.0f);
}

TEST(DistLine3Circle3, DegenerateLineReportsNoDistance)
{
    const Circle3 unit(Point4(0, 0, 0, 1), UP, 1);
    const Line3 point(Point4(3, 0, 0, 1), Vector4(0, 0, 0, 0));
    DistLine3Circle3 query(point, unit);
    EXPECT_EQ(query.GetSquared(), Distance::NO_DISTANCE);
    EXPECT_TRUE(Vec4Near(query.GetClosestPoint0(), Point4()));
}

TEST(Distance, DrawShowsShapesClosestPointsAndTheGap)
{
    DebugDrawRecorder recorder;
    const Circle3 a(Point4(0, 0, 0, 1), UP, 1), b(Point4(3, 1, 0, 1), UP, 1);
    DistCircle3Circle3 query(a, b);
    query.Draw(true, &ColorRGBA::Red, &ColorRGBA::Green, &ColorRGBA::Blue);
    const auto& calls = recorder.GetCalls();
    ASSERT_EQ(recorder.Kinds(),
              (std::vector<std::string>{"circle", "circle", "point", "point", "segment"}));
    EXPECT_TRUE(calls[0].colour == ColorRGBA::Red);
    EXPECT_TRUE(calls[1].colour == ColorRGBA::Green);
    // Each closest point in the other shape's colour.
    EXPECT_TRUE(calls[2].colour == ColorRGBA::Green);
    EXPECT_TRUE(Vec4Near(calls[2].first, Point4(1, 0, 0, 1)));
    EXPECT_TRUE(calls[3].colour == ColorRGBA::Red);
    EXPECT_TRUE(calls[4].colour == ColorRGBA::Blue);
    EXPECT_TRUE(Vec4Near(calls[4].second, Point4(2, 1, 0, 1)));

    DebugDrawRecorder again;
    const Point4 p(0, 5, 0, 1);
    DistPoint4Plane plane(p, PLANE_XZ);
    plane.Draw(true, nullptr, nullptr, nullptr);
    EXPECT_EQ(again.Kinds(),
              (std::vector<std::string>{"point", "plane", "point", "point", "segment"}));
}

TEST(DistLine3Circle3, AgreesWithASampledMinimumOnRandomInput)
{
    SeedRand(21);
    for (int trial = 0; trial < 40; ++trial)
    {
        Vector4 normal = Vector4::RandomDirection();
        const Circle3 circle(Point4(RandRange(-2, 2), RandRange(-2, 2), RandRange(-2, 2), 1),
                             normal, RandRange(0.5f, 3.0f));
        const Line3 line(Point4(RandRange(-3, 3), RandRange(-3, 3), RandRange(-3, 3), 1),
                         Vector4::RandomDirection());
        DistLine3Circle3 query(line, circle);
        const f32 found = query.GetSquared();

        f32 sampled = Distance::NO_DISTANCE;
        for (f32 s = -20.0f; s <= 20.0f; s += 0.002f)
        {
            const Point4 p = line.point + line.direction * s;
            sampled = std::min(sampled, DistPoint4Circle3(p, circle).GetSquared());
        }
        EXPECT_LE(found, sampled + 1e-3f) << "trial " << trial;
        EXPECT_GE(found, sampled - 1e-3f) << "trial " << trial;
        // The reported points realise the reported distance.
        const Vector4 gap = query.GetClosestPoint0() - query.GetClosestPoint1();
        EXPECT_NEAR(gap.Dot(gap), found, 1e-3f) << "trial " << trial;
    }
}

TEST(DistLine3Circle3, LinesParallelToTheAxisOrThePlane)
{
    // Along these families the quartic only touches zero at the minimum (a double root), which
    // the sign-change search alone does not see. Each answer is checked against a sampled
    // minimum along the line.
    SeedRand(33);
    for (int trial = 0; trial < 30; ++trial)
    {
        const Circle3 circle(Point4(RandRange(-2, 2), RandRange(-2, 2), RandRange(-2, 2), 1),
                             Vector4::RandomDirection(), RandRange(0.5f, 3.0f));
        const bool alongAxis = trial % 2 == 0;
        const Vector4 direction = alongAxis ? circle.normal * RandRange(0.3f, 2.0f)
                                            : circle.axis0 * 0.8f + circle.axis1 * 0.6f;
        const Line3 line(Point4(RandRange(-3, 3), RandRange(-3, 3), RandRange(-3, 3), 1),
                         direction);
        DistLine3Circle3 query(line, circle);
        const f32 found = query.GetSquared();

        f32 sampled = Distance::NO_DISTANCE;
        for (f32 s = -20.0f; s <= 20.0f; s += 0.002f)
        {
            const Point4 p = line.point + line.direction * s;
            sampled = std::min(sampled, DistPoint4Circle3(p, circle).GetSquared());
        }
        EXPECT_NEAR(found, sampled, 1e-3f * std::max(1.0f, sampled))
            << "trial " << trial << (alongAxis ? " along the axis" : " along the plane");
        const Vector4 gap = query.GetClosestPoint0() - query.GetClosestPoint1();
        EXPECT_NEAR(gap.Dot(gap), found, 1e-3f * std::max(1.0f, found)) << "trial " << trial;
    }
}
