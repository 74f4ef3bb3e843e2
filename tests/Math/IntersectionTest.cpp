#include "Math/Intersection.h"
#include "DebugDrawRecorder.h"
#include "Math/MathConstants.h"
#include "MathTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Math;
using MathTest::DebugDrawRecorder;
using MathTest::Vec4Near;

TEST(IntersectRay3Plane, HitsFromAboveAndMissesGoingAway)
{
    const Ray3 down(Point4(0, 5, 0, 1), Vector4(0, -1, 0, 0));
    IntersectRay3Plane hit(down, PLANE_XZ);
    EXPECT_TRUE(hit.Find());
    EXPECT_EQ(hit.status, Intersection::ONE_POINT);
    EXPECT_EQ(hit.t, 5.0f);
    EXPECT_TRUE(Vec4Near(hit.GetPoint(), Point4(0, 0, 0, 1)));

    const Ray3 up(Point4(0, 5, 0, 1), Vector4(0, 1, 0, 0));
    IntersectRay3Plane miss(up, PLANE_XZ);
    EXPECT_FALSE(miss.Test());
    EXPECT_EQ(miss.status, Intersection::NONE);
}

TEST(IntersectRay3Plane, ParallelRaysLieInThePlaneOrMissIt)
{
    const Ray3 inPlane(Point4(1, 0, 1, 1), Vector4(1, 0, 0, 0));
    IntersectRay3Plane lying(inPlane, PLANE_XZ);
    EXPECT_TRUE(lying.Find());
    EXPECT_EQ(lying.status, Intersection::RAY_IN_PLANE);
    EXPECT_EQ(lying.t, -1.0f) << "t keeps its value";

    const Ray3 above(Point4(1, 2, 1, 1), Vector4(1, 0, 0, 0));
    IntersectRay3Plane parallel(above, PLANE_XZ);
    EXPECT_FALSE(parallel.Find());
    EXPECT_EQ(parallel.status, Intersection::NONE);
}

TEST(Intersection, RaysWithoutDirectionMeetNothing)
{
    const Ray3 stuck(Point4(0, 0, 0, 1), Vector4(0, 0.000001f, 0, 0));
    const Sphere3 sphere(Point4(0, 0, 0, 1), 1);
    IntersectRay3Plane plane(stuck, PLANE_XZ);
    IntersectRay3Sphere3 ball(stuck, sphere);
    EXPECT_FALSE(plane.Find());
    EXPECT_EQ(plane.status, Intersection::NONE);
    EXPECT_FALSE(ball.Test());
    EXPECT_FALSE(ball.Find());
    EXPECT_EQ(ball.status, Intersection::NONE);
    EXPECT_FALSE(IntersectRay3AABB3(stuck, AABB3(Point4(), 1, 1, 1)).Test());
}

TEST(IntersectRay3Sphere3, ReportsBothCrossingsOfTheLine)
{
    const Sphere3 unit(Point4(0, 0, 0, 1), 1);
    const Ray3 towards(Point4(-5, 0, 0, 1), Vector4(1, 0, 0, 0));
    IntersectRay3Sphere3 query(towards, unit);
    EXPECT_TRUE(query.Test());
    EXPECT_TRUE(query.Find());
    EXPECT_EQ(query.status, Intersection::TWO_POINTS);
    EXPECT_EQ(query.t0, 6.0f);
    EXPECT_EQ(query.t1, 4.0f);
    EXPECT_TRUE(Vec4Near(query.point0, Point4(1, 0, 0, 1)));
    EXPECT_TRUE(Vec4Near(query.point1, Point4(-1, 0, 0, 1)));

    // Pointing away, the crossings lie behind the origin: still reported.
    const Ray3 away(Point4(5, 0, 0, 1), Vector4(1, 0, 0, 0));
    IntersectRay3Sphere3 behind(away, unit);
    EXPECT_TRUE(behind.Find());
    EXPECT_LT(behind.t0, 0.0f);
    EXPECT_LT(behind.t1, 0.0f);

    const Ray3 passing(Point4(-5, 2, 0, 1), Vector4(1, 0, 0, 0));
    IntersectRay3Sphere3 miss(passing, unit);
    EXPECT_FALSE(miss.Test());
    EXPECT_FALSE(miss.Find());
    EXPECT_EQ(miss.status, Intersection::NONE);
}

TEST(IntersectRay3Sphere3, DrawsPointsInvertedAndTheChord)
{
    DebugDrawRecorder recorder;
    const Sphere3 unit(Point4(0, 0, 0, 1), 1);
    const Ray3 ray(Point4(-5, 0, 0, 1), Vector4(1, 0, 0, 0));
    IntersectRay3Sphere3 query(ray, unit);
    const ColorRGBA colour(1, 0.25f, 0, 1);
    query.Draw(true, &colour);
    ASSERT_EQ(recorder.Kinds(), (std::vector<std::string>{"point", "point", "segment"}));
    EXPECT_TRUE(recorder.GetCalls()[0].colour == colour.Inverted());
    EXPECT_TRUE(recorder.GetCalls()[2].colour == colour);
    EXPECT_TRUE(Vec4Near(recorder.GetCalls()[2].first, Point4(1, 0, 0, 1)));

    // Without a colour the points are left out; a miss draws nothing.
    DebugDrawRecorder again;
    query.Draw(false, nullptr);
    EXPECT_EQ(again.Kinds(), (std::vector<std::string>{"segment"}));
    const Ray3 passing(Point4(-5, 2, 0, 1), Vector4(1, 0, 0, 0));
    IntersectRay3Sphere3 miss(passing, unit);
    miss.Draw(true, &colour);
    EXPECT_EQ(again.GetCalls().size(), 1u);
}

TEST(IntersectRay3Box, SeparatingAxes)
{
    const Ray3 alongX(Point4(-5, 0, 0, 1), Vector4(1, 0, 0, 0));
    AABB3 offside;
    offside.min = Point4(1, 1, 1, 1);
    offside.max = Point4(2, 2, 2, 1);
    EXPECT_FALSE(IntersectRay3AABB3(alongX, offside).Test());
    AABB3 around;
    around.min = Point4(-1, -1, -1, 1);
    around.max = Point4(1, 1, 1, 1);
    EXPECT_TRUE(IntersectRay3AABB3(alongX, around).Test());

    // Passing 1.5 from the centre of a box of half size 1: a miss, however the box turns.
    const Ray3 passing(Point4(-5, 1.5f, 0, 1), Vector4(1, 0, 0, 0));
    EXPECT_FALSE(IntersectRay3AABB3(passing, around).Test());
    const f32 c = std::sqrt(0.5f);
    const OOB3 turned(Point4(0, 0, 0, 1), Vector4(c, c, 0, 0), Vector4(-c, c, 0, 0),
                      Vector4(0, 0, 1, 0), 1, 1, 1);
    EXPECT_FALSE(IntersectRay3OOB3(passing, turned).Test());
    // The corner of the turned box reaches sqrt(2) high: a ray at 1.3 clips it.
    const Ray3 clipping(Point4(-5, 1.3f, 0, 1), Vector4(1, 0, 0, 0));
    EXPECT_TRUE(IntersectRay3OOB3(clipping, turned).Test());

    // A ray starting outside and pointing away misses; starting inside always hits.
    const Ray3 leaving(Point4(5, 0, 0, 1), Vector4(1, 0, 0, 0));
    EXPECT_FALSE(IntersectRay3AABB3(leaving, around).Test());
    const Ray3 inside(Point4(0.5f, 0, 0, 1), Vector4(0, 0, 1, 0));
    EXPECT_TRUE(IntersectRay3AABB3(inside, around).Test());
    EXPECT_FALSE(IntersectRay3AABB3(inside, around).Find()) << "boxes have no Find";
}

TEST(IntersectSphere3Sphere3, CrossingSpheresMeetInACircle)
{
    const Sphere3 a(Point4(0, 0, 0, 1), 1), b(Point4(1.5f, 0, 0, 1), 1);
    IntersectSphere3Sphere3 query(a, b);
    EXPECT_TRUE(query.Test());
    EXPECT_TRUE(query.Find());
    EXPECT_EQ(query.status, Intersection::CIRCLE);
    EXPECT_NEAR(query.circle.radius, std::sqrt(1.0f - 0.5625f), 1e-6f);
    EXPECT_TRUE(Vec4Near(query.circle.centre, Point4(0.75f, 0, 0, 1)));
    EXPECT_TRUE(Vec4Near(query.circle.normal, Vector4(1, 0, 0, 0)));
    EXPECT_NEAR(query.circle.axis0.Dot(query.circle.normal), 0.0f, 1e-6f);

    const Sphere3 far(Point4(3, 0, 0, 1), 1);
    IntersectSphere3Sphere3 apart(a, far);
    EXPECT_FALSE(apart.Test());
    EXPECT_FALSE(apart.Find());
    EXPECT_EQ(apart.status, Intersection::NONE);
}

TEST(IntersectSphere3Sphere3, TouchingAndNestedSpheres)
{
    const Sphere3 unit(Point4(0, 0, 0, 1), 1);
    const struct
    {
        Sphere3 other;
        s32 status;
        Point4 point;
    } cases[] = {
        {Sphere3(Point4(2, 0, 0, 1), 1), Intersection::ONE_POINT, Point4(1, 0, 0, 1)},
        {Sphere3(Point4(0.5f, 0, 0, 1), 4), Intersection::FIRST_INSIDE_SECOND,
         Point4(0.25f, 0, 0, 1)},
        {Sphere3(Point4(0, 0.25f, 0, 1), 0.5f), Intersection::SECOND_INSIDE_FIRST,
         Point4(0, 0.125f, 0, 1)},
        {Sphere3(Point4(1, 0, 0, 1), 2), Intersection::TOUCH_INSIDE_FIRST_SMALLER,
         Point4(-1, 0, 0, 1)},
        {Sphere3(Point4(0, 0.5f, 0, 1), 0.5f), Intersection::TOUCH_INSIDE_FIRST_LARGER,
         Point4(0, 1, 0, 1)},
        {Sphere3(Point4(0, 0, 0, 1), 1), Intersection::FIRST_INSIDE_SECOND, Point4(0, 0, 0, 1)},
    };
    for (const auto& c : cases)
    {
        IntersectSphere3Sphere3 query(unit, c.other);
        EXPECT_TRUE(query.Find());
        EXPECT_EQ(query.status, c.status);
        EXPECT_TRUE(Vec4Near(query.point, c.point));
        EXPECT_EQ(query.circle.radius, 0.0f);
        EXPECT_FALSE(std::isnan(query.circle.normal.x));
    }
}

TEST(Intersection, MovingTestsAreNotSupported)
{
    const Sphere3 a(Point4(0, 0, 0, 1), 1);
    IntersectSphere3Sphere3 query(a, a);
    Intersection& base = query;
    EXPECT_FALSE(base.Test(1.0f, Vector4(), Vector4()));
    EXPECT_FALSE(base.Find(1.0f, Vector4(), Vector4()));
}
