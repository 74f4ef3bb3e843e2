#include "../DebugDrawRecorder.h"
#include "../MathTestHelpers.h"
#include "Math/Matrix4.h"
#include "Math/Shapes/AABB3.h"
#include "Math/Shapes/Capsule3.h"
#include "Math/Shapes/Cone3.h"
#include "Math/Shapes/Frustum3.h"
#include "Math/Shapes/Line3.h"
#include "Math/Shapes/OOB3.h"
#include "Math/Shapes/Plane.h"
#include "Math/Shapes/Ray3.h"
#include "Math/Shapes/Rectangle3.h"
#include "Math/Shapes/Segment3.h"
#include "Math/Shapes/Sphere3.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace Math;
using MathTest::DebugDrawRecorder;
using MathTest::Vec4Near;

TEST(Segment3, EndsAndCentreFormsAgree)
{
    Segment3 segment(Point4(0, 0, 0, 1), Point4(0, 0, 4, 1));
    EXPECT_TRUE(Vec4Near(segment.centre, Point4(0, 0, 2, 1)));
    EXPECT_TRUE(Vec4Near(segment.direction, Vector4(0, 0, 1, 0)));
    EXPECT_EQ(segment.extent, 2.0f);
    segment.SetPosition(Point4(1, 1, 1, 1));
    EXPECT_TRUE(Vec4Near(segment.p0, Point4(1, 1, -1, 1)));
    EXPECT_TRUE(Vec4Near(segment.p1, Point4(1, 1, 3, 1)));

    const Segment3 fromCentre(Point4(0, 1, 0, 1), Vector4(1, 0, 0, 0), 3.0f);
    EXPECT_TRUE(Vec4Near(fromCentre.p0, Point4(-3, 1, 0, 1)));
    EXPECT_TRUE(Vec4Near(fromCentre.p1, Point4(3, 1, 0, 1)));
}

TEST(Segment3, EqualEndsGiveNoDirection)
{
    const Segment3 point(Point4(2, 2, 2, 1), Point4(2, 2, 2, 1));
    EXPECT_EQ(point.extent, 0.0f);
    EXPECT_TRUE(Vec4Near(point.direction, Vector4(0, 0, 0, 0)));
}

TEST(AABB3, BuiltFromCentreAndMovedKeepingItsSize)
{
    AABB3 box(Point4(1, 2, 3, 1), 1, 1, 1);
    EXPECT_TRUE(Vec4Near(box.min, Point4(0, 1, 2, 1)));
    EXPECT_TRUE(Vec4Near(box.max, Point4(2, 3, 4, 1)));
    EXPECT_TRUE(Vec4Near(box.GetPosition(), Point4(1, 2, 3, 1)));
    box.SetPosition(Point4(0, 0, 0, 1));
    EXPECT_TRUE(Vec4Near(box.min, Point4(-1, -1, -1, 1)));
    EXPECT_TRUE(Vec4Near(box.max, Point4(1, 1, 1, 1)));
}

TEST(Plane, FromNormalAndPoint)
{
    const Plane plane(Vector4(0, 1, 0, 0), Point4(0, 5, 0, 1));
    EXPECT_EQ(plane.d, -5.0f);
    EXPECT_EQ(plane.SignedDistance(Point4(0, 7, 0, 1)), 2.0f);
    EXPECT_EQ(plane.SignedDistance(Point4(3, 7, -1, 0)), 2.0f) << "w is not used";
    EXPECT_TRUE(Vec4Near(plane.GetNormal(), Vector4(0, 1, 0, 0)));
}

TEST(Shape, PositionRulesOfEveryShape)
{
    const Point4 target(3, 4, 5, 1);
    Circle3 circle(Point4(1, 1, 1, 1), Vector4(0, 1, 0, 0), 2);
    std::vector<std::unique_ptr<Shape>> movable;
    movable.emplace_back(new Ray3(Point4(1, 1, 1, 1), Vector4(1, 0, 0, 0)));
    movable.emplace_back(new Line3(Point4(1, 1, 1, 1), Vector4(1, 0, 0, 0)));
    movable.emplace_back(new Segment3(Point4(0, 0, 0, 1), Point4(2, 2, 2, 1)));
    movable.emplace_back(new Sphere3(Point4(1, 1, 1, 1), 1));
    movable.emplace_back(new Circle3(circle));
    movable.emplace_back(
        new Rectangle3(Point4(1, 1, 1, 1), Vector4(1, 0, 0, 0), Vector4(0, 1, 0, 0), 1, 2));
    movable.emplace_back(new Cone3(circle, 3));
    movable.emplace_back(new Capsule3(Segment3(Point4(0, 0, 0, 1), Point4(2, 2, 2, 1)), 1));
    movable.emplace_back(new OOB3(Point4(1, 1, 1, 1), Vector4(1, 0, 0, 0), Vector4(0, 1, 0, 0),
                                  Vector4(0, 0, 1, 0), 1, 1, 1));
    movable.emplace_back(new AABB3(Point4(1, 1, 1, 1), 1, 1, 1));
    for (auto& shape : movable)
    {
        EXPECT_TRUE(Vec4Near(shape->GetPosition(), Point4(1, 1, 1, 1)));
        shape->SetPosition(target);
        EXPECT_TRUE(Vec4Near(shape->GetPosition(), target));
    }

    // A plane and a frustum stay where they are.
    Plane plane(0, 1, 0, -5);
    Frustum3 frustum;
    plane.SetPosition(target);
    frustum.SetPosition(target);
    EXPECT_TRUE(Vec4Near(plane.GetPosition(), Point4()));
    EXPECT_TRUE(Vec4Near(frustum.GetPosition(), Point4()));
    EXPECT_EQ(plane.d, -5.0f);
}

TEST(Rectangle3, CornersFollowTheAxisSigns)
{
    const Rectangle3 rectangle(Point4(0, 0, 0, 1), Vector4(1, 0, 0, 0), Vector4(0, 0, 1, 0), 2, 1);
    EXPECT_TRUE(Vec4Near(rectangle.GetCornerMinMin(), Point4(-2, 0, -1, 1)));
    EXPECT_TRUE(Vec4Near(rectangle.GetCornerMaxMin(), Point4(2, 0, -1, 1)));
    EXPECT_TRUE(Vec4Near(rectangle.GetCornerMinMax(), Point4(-2, 0, 1, 1)));
    EXPECT_TRUE(Vec4Near(rectangle.GetCornerMaxMax(), Point4(2, 0, 1, 1)));
}

TEST(OOB3, CornersRunRoundTheTwoFaces)
{
    const OOB3 box(Point4(0, 0, 0, 1), Vector4(1, 0, 0, 0), Vector4(0, 1, 0, 0),
                   Vector4(0, 0, 1, 0), 1, 2, 3);
    Point4 corners[OOB3::CORNER_COUNT];
    box.GetCorners(corners);
    const Point4 expected[] = {Point4(-1, -2, -3, 1), Point4(1, -2, -3, 1), Point4(1, -2, 3, 1),
                               Point4(-1, -2, 3, 1),  Point4(-1, 2, -3, 1), Point4(1, 2, -3, 1),
                               Point4(1, 2, 3, 1),    Point4(-1, 2, 3, 1)};
    for (int i = 0; i < OOB3::CORNER_COUNT; ++i)
    {
        EXPECT_TRUE(Vec4Near(corners[i], expected[i])) << "corner " << i;
    }
}

TEST(Circle3, AxesArePerpendicularToTheNormal)
{
    const Circle3 circle(Point4(0, 0, 0, 1), Vector4(0, 1, 0, 0), 1);
    EXPECT_NEAR(circle.axis0.Dot(circle.normal), 0.0f, 1e-6f);
    EXPECT_NEAR(circle.axis1.Dot(circle.normal), 0.0f, 1e-6f);
    EXPECT_NEAR(circle.axis0.Dot(circle.axis1), 0.0f, 1e-6f);
    EXPECT_EQ(circle.axis0.w, 0.0f);
    EXPECT_NEAR(circle.axis0.Length(), 1.0f, 1e-6f);
}

TEST(Frustum3, CornersOfTheIdentityAreTheCube)
{
    Frustum3 frustum;
    frustum.ComputeCorners();
    const Point4 expected[] = {Point4(-1, 1, 1, 1),   Point4(1, 1, 1, 1),   Point4(-1, -1, 1, 1),
                               Point4(1, -1, 1, 1),   Point4(-1, 1, -1, 1), Point4(1, 1, -1, 1),
                               Point4(-1, -1, -1, 1), Point4(1, -1, -1, 1)};
    for (int i = 0; i < Frustum3::CORNER_COUNT; ++i)
    {
        EXPECT_TRUE(Vec4Near(frustum.corners[i], expected[i])) << "corner " << i;
    }
}

TEST(Frustum3, CornersAreDividedByW)
{
    Frustum3 frustum;
    frustum.matrix = Matrix4(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 2);
    frustum.ComputeCorners();
    EXPECT_TRUE(Vec4Near(frustum.corners[0], Point4(-0.5f, 0.5f, 0.5f, 1)));
}

TEST(Frustum3, DrawsTwelveEdgesInOrder)
{
    DebugDrawRecorder recorder;
    Frustum3 frustum;
    frustum.ComputeCorners();
    frustum.Draw(&ColorRGBA::Green);
    const int edges[12][2] = {{6, 2}, {0, 4}, {0, 2}, {0, 1}, {1, 3}, {1, 5},
                              {3, 7}, {2, 3}, {4, 5}, {5, 7}, {7, 6}, {6, 4}};
    ASSERT_EQ(recorder.GetCalls().size(), 12u);
    for (int i = 0; i < 12; ++i)
    {
        const auto& call = recorder.GetCalls()[i];
        EXPECT_EQ(call.kind, "segment");
        EXPECT_TRUE(call.hasColour && call.colour == ColorRGBA::Green);
        EXPECT_TRUE(Vec4Near(call.first, frustum.corners[edges[i][0]])) << "edge " << i;
        EXPECT_TRUE(Vec4Near(call.second, frustum.corners[edges[i][1]])) << "edge " << i;
    }
}

TEST(Shape, EachShapeDrawsThroughItsDrawer)
{
    DebugDrawRecorder recorder;
    const Circle3 circle(Point4(0, 0, 0, 1), Vector4(0, 1, 0, 0), 1);
    const Segment3 segment(Point4(0, 0, 0, 1), Point4(1, 0, 0, 1));
    Plane(0, 1, 0, 0).Draw(&ColorRGBA::Blue);
    Ray3(Point4(), Vector4(1, 0, 0, 0)).Draw(nullptr);
    Line3(Point4(), Vector4(1, 0, 0, 0)).Draw(nullptr);
    segment.Draw(nullptr);
    Sphere3(Point4(), 1).Draw(nullptr);
    circle.Draw(nullptr);
    Rectangle3().Draw(nullptr);
    Cone3(circle, 2).Draw(nullptr);
    Capsule3(segment, 1).Draw(nullptr);
    OOB3(Point4(), Vector4(1, 0, 0, 0), Vector4(0, 1, 0, 0), Vector4(0, 0, 1, 0), 1, 1, 1)
        .Draw(nullptr);
    AABB3().Draw(nullptr);
    const std::vector<std::string> expected = {"plane",   "ray",    "line",      "segment",
                                               "sphere",  "circle", "rectangle", "cone",
                                               "capsule", "oob",    "aabb"};
    EXPECT_EQ(recorder.Kinds(), expected);
    // The plane hands the origin as its centre and a grid of 1000.
    const auto& plane = recorder.GetCalls()[0];
    EXPECT_TRUE(Vec4Near(plane.first, Point4()));
    EXPECT_EQ(plane.size, 1000.0f);
    EXPECT_TRUE(plane.hasColour && plane.colour == ColorRGBA::Blue);
    // A null colour keeps the current colour: nothing is handed on.
    EXPECT_FALSE(recorder.GetCalls()[1].hasColour);
}
