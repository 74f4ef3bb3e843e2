#include "Math/SphericalCoordinate.h"
#include "Math/MathConstants.h"
#include "MathTestHelpers.h"

#include <gtest/gtest.h>

#include <type_traits>

using namespace Math;
using MathTest::Vec4Near;

static_assert(std::is_trivially_copyable<SphericalCoordinate>::value, "plain value");

TEST(SphericalCoordinate, DefaultLooksAlongZFromTheOrigin)
{
    const SphericalCoordinate s;
    EXPECT_EQ(s.perspective, SphericalCoordinate::FIRST_PERSON);
    EXPECT_FALSE(s.IsOrbitPerspective());
    EXPECT_TRUE(Vec4Near(s.GetPosition(), Point4(0, 0, 0, 1)));
    EXPECT_TRUE(Vec4Near(s.GetTarget(), Point4(0, 0, 1, 1)));
    EXPECT_TRUE(Vec4Near(s.GetDirection(), Vector4(0, 0, -1, 0)));
}

TEST(SphericalCoordinate, OrbitPutsTheEyeOnTheSphere)
{
    SphericalCoordinate s;
    s.perspective = 2; // anything but first person becomes an orbit
    s.radius = 5.0f;
    s.phi = HALF_PI;
    s.theta = HALF_PI;
    s.centre = Point4(1, 2, 3, 1);
    s.Normalize();
    EXPECT_EQ(s.perspective, SphericalCoordinate::ORBIT);
    EXPECT_TRUE(s.IsOrbitPerspective());
    EXPECT_TRUE(Vec4Near(s.GetPosition(), Point4(6, 2, 3, 1), 1e-5f));
    EXPECT_TRUE(Vec4Near(s.GetTarget(), Point4(1, 2, 3, 1)));
    // From the target to the eye.
    EXPECT_TRUE(Vec4Near(s.GetDirection(), Vector4(1, 0, 0, 0), 1e-5f));
    s.MoveCentre(Vector4(0, 1, 0, 0));
    EXPECT_TRUE(Vec4Near(s.GetTarget(), Point4(1, 3, 3, 1)));
}

TEST(SphericalCoordinate, NormalizeClampsPhiAndRadius)
{
    SphericalCoordinate s;
    s.phi = -1.0f;
    s.radius = 0.0f;
    s.theta = -0.5f;
    s.Normalize();
    EXPECT_EQ(s.phi, SphericalCoordinate::PHI_MIN);
    EXPECT_EQ(s.radius, 0.00001f);
    EXPECT_FLOAT_EQ(s.theta, TWO_PI - 0.5f);
    s.phi = 4.0f;
    s.Normalize();
    EXPECT_EQ(s.phi, PI - SphericalCoordinate::PHI_MIN);
}

TEST(SphericalCoordinate, AddRadiusNeverLeavesZero)
{
    SphericalCoordinate s;
    s.AddRadius(-1.0f);
    EXPECT_EQ(s.radius, 0.00001f);
    s.AddRadius(2.0f);
    EXPECT_FLOAT_EQ(s.radius, 2.00001f);
}

TEST(SphericalCoordinate, ThetaWrapsOneStepOnly)
{
    SphericalCoordinate s;
    s.AddThetaDegrees(-90.0f);
    EXPECT_FLOAT_EQ(s.theta, THREE_HALVES_PI);
    s.theta = 0.0f;
    s.AddTheta(5.0f * PI);
    EXPECT_FLOAT_EQ(s.theta, 3.0f * PI);
    s.theta = 0.0f;
    s.AddTheta(TWO_PI);
    EXPECT_FLOAT_EQ(s.theta, 0.0f);
}

TEST(SphericalCoordinate, CopiesKeepTheirOperations)
{
    SphericalCoordinate orbit(HALF_PI, 0.0f, 2.0f, Point4(), SphericalCoordinate::ORBIT);
    const SphericalCoordinate copy = orbit;
    EXPECT_TRUE(Vec4Near(copy.GetPosition(), Point4(0, 0, 2, 1), 1e-5f));
}

TEST(SphericalCoordinate, TheSixAxisConstantsLookAlongTheirAxes)
{
    const struct
    {
        const SphericalCoordinate* coordinate;
        Vector4 axis;
    } cases[] = {{&SPHERICAL_POS_X, AXIS_X}, {&SPHERICAL_NEG_X, -AXIS_X},
                 {&SPHERICAL_POS_Y, AXIS_Y}, {&SPHERICAL_NEG_Y, -AXIS_Y},
                 {&SPHERICAL_POS_Z, AXIS_Z}, {&SPHERICAL_NEG_Z, -AXIS_Z}};
    for (const auto& c : cases)
    {
        const SphericalCoordinate& s = *c.coordinate;
        EXPECT_EQ(s.perspective, SphericalCoordinate::FIRST_PERSON);
        EXPECT_EQ(s.radius, 1.0f);
        EXPECT_TRUE(Vec4Near(s.GetPosition(), ORIGIN));
        EXPECT_TRUE(Vec4Near(s.GetTarget() - s.GetPosition(), c.axis, 1e-4f)) << c.axis;
        // The direction runs from the target back to the eye.
        EXPECT_TRUE(Vec4Near(s.GetDirection(), -c.axis, 1e-4f)) << c.axis;
    }
}

TEST(MathConstants, ShapesAndVectors)
{
    EXPECT_TRUE(Vec4Near(ORIGIN, Point4(0, 0, 0, 1)));
    EXPECT_TRUE(Vec4Near(GRAVITY, Vector4(0, -9.81f, 0, 0)));
    EXPECT_TRUE(Vec4Near(PLANE_XZ.GetNormal(), AXIS_Y));
    EXPECT_EQ(PLANE_XY.c, 1.0f);
    EXPECT_EQ(PLANE_YZ.a, 1.0f);
    EXPECT_EQ(PLANE_XZ.d, 0.0f);
    EXPECT_TRUE(Vec4Near(RAY_X.origin, ORIGIN));
    EXPECT_TRUE(Vec4Near(RAY_X.direction, AXIS_X));
}
