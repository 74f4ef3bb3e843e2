#include "Math/Quaternion.h"
#include "Math/Matrix4.h"
#include "MathTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <type_traits>

using namespace Math;
using MathTest::MatNear;
using MathTest::QuatNear;
using MathTest::Vec4Near;

static_assert(std::is_trivially_copyable<Quaternion>::value, "plain value");

namespace
{
const f32 HALF_SQRT2 = std::sqrt(2.0f) * 0.5f;
} // namespace

TEST(Quaternion, DefaultIsTheIdentityStoredWFirst)
{
    const Quaternion q;
    EXPECT_EQ(q.w, 1.0f);
    EXPECT_EQ(q.x, 0.0f);
    const Quaternion r(1, 2, 3, 4);
    EXPECT_EQ(r.w, 1.0f);
    EXPECT_EQ(r.z, 4.0f);
}

TEST(Quaternion, IdentityIsNeutralOnBothSides)
{
    const Quaternion q(0.5f, -0.1f, 0.7f, 0.2f);
    EXPECT_TRUE(QuatNear(q * Quaternion(), q));
    EXPECT_TRUE(QuatNear(Quaternion() * q, q));
}

TEST(Quaternion, SumAndScaling)
{
    EXPECT_TRUE(
        QuatNear(Quaternion(1, 2, 3, 4) + Quaternion(10, 20, 30, 40), Quaternion(11, 22, 33, 44)));
    EXPECT_TRUE(QuatNear(2.0f * Quaternion(1, 2, 3, 4), Quaternion(2, 4, 6, 8)));
    EXPECT_TRUE(QuatNear(Quaternion(1, 2, 3, 4) * 0.5f, Quaternion(0.5f, 1, 1.5f, 2)));
}

TEST(Quaternion, ProductComposesRotations)
{
    Quaternion aboutZ, aboutX;
    aboutZ.FromAxisAngle(Vector4(0, 0, 1, 0), HALF_PI);
    aboutX.FromAxisAngle(Vector4(1, 0, 0, 0), HALF_PI);
    // (aboutZ * aboutX) rotates about X first, then about Z.
    const Vector4 v = (aboutZ * aboutX).Rotate(Vector4(0, 1, 0, 0));
    EXPECT_TRUE(Vec4Near(v, Vector4(0, 0, 1, 0)));
    EXPECT_TRUE(MatNear(Matrix4::FromQuaternion(aboutZ * aboutX),
                        Matrix4::FromQuaternion(aboutZ) * Matrix4::FromQuaternion(aboutX)));
}

TEST(Quaternion, NormalizeNeverGivesNaN)
{
    Quaternion q(0, 3, 0, 4);
    EXPECT_EQ(q.Normalize(), 5.0f);
    EXPECT_TRUE(QuatNear(q, Quaternion(0, 0.6f, 0, 0.8f)));
    Quaternion tiny(0.000001f, 0, 0, 0);
    EXPECT_EQ(tiny.Normalize(), 0.0f);
    EXPECT_TRUE(QuatNear(tiny, Quaternion(0, 0, 0, 0)));
}

TEST(Quaternion, AxisAngleSnapsHalfTurns)
{
    Quaternion q;
    q.FromAxisAngle(Vector4(0, 0, 1, 0), PI);
    EXPECT_EQ(q.w, 0.0f);
    EXPECT_EQ(q.z, 1.0f);
}

TEST(Quaternion, MatrixConversionRoundTrips)
{
    Matrix4 m;
    Quaternion().ToMatrix4(m);
    EXPECT_TRUE(MatNear(m, Matrix4()));
    Quaternion q;
    q.FromMatrix(Matrix4());
    EXPECT_TRUE(QuatNear(q, Quaternion()));

    // Half turn about X: trace -1, built from the largest diagonal element.
    q.FromMatrix(Matrix4(1, 0, 0, 0, 0, -1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1));
    EXPECT_TRUE(QuatNear(q, Quaternion(0, 1, 0, 0)));
    q.FromMatrix(Matrix4(-1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1));
    EXPECT_TRUE(QuatNear(q, Quaternion(0, 0, 1, 0)));
    q.FromMatrix(Matrix4(-1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1));
    EXPECT_TRUE(QuatNear(q, Quaternion(0, 0, 0, 1)));

    Quaternion general;
    general.FromAxisAngle(Vector4(0.48f, 0.6f, 0.64f, 0), 2.9f);
    general.ToMatrix4(m);
    q.FromMatrix(m);
    EXPECT_TRUE(QuatNear(q, general) || QuatNear(q, -1.0f * general));
}

TEST(Quaternion, EulerMatchesTheMatrix)
{
    Quaternion q;
    q.FromEuler(10, 20, 30);
    Matrix4 euler;
    euler.FromEuler(10, 20, 30);
    EXPECT_TRUE(MatNear(Matrix4::FromQuaternion(q), euler));
    const Vector3 back = q.ToEuler();
    EXPECT_NEAR(back.x, 10.0f, 0.001f);
    EXPECT_NEAR(back.y, 20.0f, 0.001f);
    EXPECT_NEAR(back.z, 30.0f, 0.001f);
    q.FromEuler(0.1f, 0.2f, 0.3f, true);
    EXPECT_NEAR(q.ToEuler(true).z, 0.3f, 1e-5f);
}

TEST(Quaternion, RotateCarriesW)
{
    Quaternion q;
    q.FromAxisAngle(Vector4(0, 1, 0, 0), HALF_PI);
    EXPECT_TRUE(Vec4Near(q.Rotate(Vector4(1, 0, 0, 1)), Vector4(0, 0, -1, 1)));
    EXPECT_TRUE(Vec4Near(q.Rotate(Vector4(0, 0, 1, 0)), Vector4(1, 0, 0, 0)));
}

TEST(Quaternion, IntegrateAdvancesWithoutRenormalising)
{
    Quaternion q;
    q.Integrate(Vector4(0, 0, 2, 0), 0.5f);
    // p = (0, 0, 0, 1); q + 0.5 p q = (1, 0, 0, 0.5).
    EXPECT_TRUE(QuatNear(q, Quaternion(1, 0, 0, 0.5f)));
}

TEST(Quaternion, SlerpEndsAndShortestArc)
{
    Quaternion q0, q1;
    q0.FromAxisAngle(Vector4(0, 0, 1, 0), 0.2f);
    q1.FromAxisAngle(Vector4(0, 0, 1, 0), 1.4f);
    Quaternion r;
    r.Slerp(0.0f, q0, q1);
    EXPECT_TRUE(QuatNear(r, q0));
    r.Slerp(1.0f, q0, q1);
    EXPECT_TRUE(QuatNear(r, q1));
    r.Slerp(0.5f, q0, q1);
    Quaternion half;
    half.FromAxisAngle(Vector4(0, 0, 1, 0), 0.8f);
    EXPECT_TRUE(QuatNear(r, half));

    // A negative dot product takes the other sign of q1: the same rotation, shorter way.
    r.Slerp(1.0f, q0, -1.0f * q1);
    EXPECT_TRUE(QuatNear(r, q1));
    r.Slerp(0.3f, q0, q0);
    EXPECT_TRUE(QuatNear(r, q0));
}

TEST(Quaternion, RotationBetweenDirections)
{
    EXPECT_TRUE(QuatNear(Quaternion::RotationBetween(Vector4(1, 0, 0, 0), Vector4(0, 1, 0, 0)),
                         Quaternion(HALF_SQRT2, 0, 0, HALF_SQRT2)));
    EXPECT_TRUE(QuatNear(Quaternion::RotationBetween(Vector4(2, 0, 0, 0), Vector4(5, 0, 0, 0)),
                         Quaternion()));
    const Quaternion opposite =
        Quaternion::RotationBetween(Vector4(1, 0, 0, 0), Vector4(-1, 0, 0, 0));
    EXPECT_EQ(opposite.w, 0.0f);
    EXPECT_TRUE(QuatNear(opposite, Quaternion(0, 0, 1, 0)));

    const Vector4 a(0.3f, -0.5f, 0.8f, 0), b(-0.6f, 0.1f, 0.2f, 0);
    Vector4 unitB = b;
    unitB.Normalize();
    Vector4 turned = Quaternion::RotationBetween(a, b).Rotate(a);
    turned.Normalize();
    EXPECT_TRUE(Vec4Near(turned, unitB));
}

TEST(Quaternion, RotationBetweenOppositeVectorsAlongYTurnsThemRound)
{
    // A half turn about Y would leave these unchanged; an axis perpendicular to them serves.
    const Vector4 ups[] = {Vector4(0, 1, 0, 0), Vector4(0, -3, 0, 0), Vector4(0.3f, 0.9f, 0, 0)};
    for (const Vector4& up : ups)
    {
        const Quaternion q = Quaternion::RotationBetween(up, -up);
        Vector4 expected = -up;
        expected.Normalize();
        Vector4 turned = q.Rotate(up);
        turned.Normalize();
        EXPECT_TRUE(Vec4Near(turned, expected)) << "for " << up;
    }
}

TEST(Quaternion, RotationBetweenAZeroVectorIsAllZero)
{
    EXPECT_TRUE(QuatNear(Quaternion::RotationBetween(Vector4(), Vector4(0, 0, 1, 0)),
                         Quaternion(0, 0, 0, 0)));
    EXPECT_TRUE(QuatNear(Quaternion::RotationBetween(Vector4(0, 0, 1, 0), Vector4(0, 1e-7f, 0, 0)),
                         Quaternion(0, 0, 0, 0)));
}
