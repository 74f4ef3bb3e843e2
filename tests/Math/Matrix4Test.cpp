#include "Math/Matrix4.h"
#include "Math/MathConstants.h"
#include "Math/Matrix2.h"
#include "Math/Matrix3.h"
#include "MathTestHelpers.h"

#include <gtest/gtest.h>

#include <type_traits>

using namespace Math;
using MathTest::MatNear;
using MathTest::QuatNear;
using MathTest::Vec4Near;

static_assert(std::is_trivially_copyable<Matrix4>::value, "plain value");
static_assert(sizeof(Matrix4) == 16 * sizeof(f32), "16 floats, nothing else");
static_assert(sizeof(Matrix2) == 4 * sizeof(f32) && sizeof(Matrix3) == 9 * sizeof(f32),
              "plain records");

namespace
{
const Matrix4 M(3, 5, 8, 1, 7, 9, -4, -3, -6, 2, -1, 0, 7, 3, 4, 1);
const Matrix4 M_ADJUGATE(-34, 10, -56, 64, -20, 28, 144, 104, 164, -4, -128, -176, -358, -138, 472,
                         696);
} // namespace

TEST(Matrix4, FlagChoosesZeroOrIdentity)
{
    const Matrix4 zero(true), identity(false);
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_EQ(zero.m[i], 0.0f);
        EXPECT_EQ(identity.m[i], i % 5 == 0 ? 1.0f : 0.0f);
    }
    EXPECT_TRUE(MATRIX4_ZERO == zero);
    EXPECT_TRUE(MATRIX4_IDENTITY == identity);
    EXPECT_EQ(Matrix2().m11, 0.0f);
    EXPECT_EQ(Matrix3().m22, 0.0f);
}

TEST(Matrix4, ElementsAreStoredRowByRow)
{
    const Matrix4 m(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_EQ(m.m[i], static_cast<f32>(i));
    }
    EXPECT_TRUE(Vec4Near(m.GetColumn(1), Vector4(1, 5, 9, 13)));
    Matrix4 n(true);
    n.SetColumn(2, Vector4(1, 2, 3, 4));
    EXPECT_EQ(n.m[2], 1.0f);
    EXPECT_EQ(n.m[14], 4.0f);
}

TEST(Matrix4, ProductsFollowRowTimesColumn)
{
    const Matrix4 a(1, 2, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    const Matrix4 b(1, 0, 0, 0, 3, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    EXPECT_TRUE(MatNear(a * b, Matrix4(7, 2, 0, 0, 3, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1)));
    // A point carries the translation, a direction (w = 0) drops it.
    const Matrix4 t = Matrix4::Translation(Point4(1, 2, 3, 1));
    EXPECT_TRUE(Vec4Near(t * Point4(1, 1, 1, 1), Vector4(2, 3, 4, 1)));
    EXPECT_TRUE(Vec4Near(t * Vector4(1, 1, 1, 0), Vector4(1, 1, 1, 0)));
    Matrix4 sum = a;
    sum += b;
    sum *= 0.5f;
    EXPECT_EQ(sum.m[1], 1.0f);
    EXPECT_EQ(sum.m[4], 1.5f);
}

TEST(Matrix4, EqualityToleratesExactlyTheEngineEpsilon)
{
    Matrix4 m(true);
    m.m[7] = 0.00001f;
    EXPECT_TRUE(m == Matrix4(true));
    m.m[7] = 0.00002f;
    EXPECT_TRUE(m != Matrix4(true));
}

TEST(Matrix4, AdjugateDeterminantAndInverseOfAFixedMatrix)
{
    Matrix4 adjugate, inverse;
    M.Adjugate(adjugate);
    EXPECT_TRUE(MatNear(adjugate, M_ADJUGATE));
    EXPECT_EQ(M.Determinant(), 752.0f);
    M.Inverse(inverse, 1e-5f);
    Matrix4 expected = M_ADJUGATE;
    expected *= 1.0f / 752.0f;
    EXPECT_TRUE(MatNear(inverse, expected));
    EXPECT_TRUE(MatNear(M * inverse, Matrix4()));
}

TEST(Matrix4, InverseOfSingularMatricesIsZero)
{
    Matrix4 out;
    Matrix4(true).Inverse(out, 0.0f);
    EXPECT_TRUE(MatNear(out, MATRIX4_ZERO));
    Matrix4 flat = Matrix4::Scale(Vector3(1, 1, 0));
    flat.Inverse(out, 1e-5f);
    EXPECT_TRUE(MatNear(out, MATRIX4_ZERO));

    Matrix4 back;
    Matrix4::Translation(Point4(1, 2, 3, 1)).Inverse(back, 1e-5f);
    EXPECT_TRUE(MatNear(back, Matrix4::Translation(Point4(-1, -2, -3, 1))));

    // The output may be the matrix itself.
    Matrix4 self = M;
    self.Inverse(self, 1e-5f);
    EXPECT_TRUE(MatNear(M * self, Matrix4()));
}

TEST(Matrix4, TransposeAndProductTransposed)
{
    Matrix4 t;
    M.Transpose(t);
    EXPECT_EQ(t.m[1], M.m[4]);
    EXPECT_EQ(t.m[14], M.m[11]);
    const Matrix4 b = Matrix4::Translation(Point4(1, 2, 3, 1));
    Matrix4 productTransposed, expected;
    M.ProductTransposed(b, productTransposed);
    (b * M).Transpose(expected);
    EXPECT_TRUE(MatNear(productTransposed, expected));
}

TEST(Matrix4, EulerRotatesAboutXThenYThenZ)
{
    Matrix4 quarterZ;
    quarterZ.FromEuler(0, 0, 90);
    const Vector4 rotated = quarterZ * Vector4(1, 0, 0, 0);
    EXPECT_EQ(rotated.x, 0.0f) << "SinCos snaps cos(90 degrees) to exactly 0";
    EXPECT_EQ(rotated.y, 1.0f);
    EXPECT_EQ(rotated.z, 0.0f);

    // X first, then Z: the Y axis turns to Z (about X), and stays there (about Z).
    Matrix4 xThenZ;
    xThenZ.FromEuler(HALF_PI, 0, HALF_PI, true);
    EXPECT_TRUE(Vec4Near(xThenZ * Vector4(0, 1, 0, 0), Vector4(0, 0, 1, 0)));
    EXPECT_TRUE(Vec4Near(xThenZ * Vector4(1, 0, 0, 0), Vector4(0, 1, 0, 0)));
}

TEST(Matrix4, FromEulerLeavesTheTranslationAlone)
{
    Matrix4 m = Matrix4::Translation(Point4(4, 5, 6, 1));
    m.FromEuler(10, 20, 30);
    EXPECT_TRUE(Vec4Near(m.GetTranslation(), Point4(4, 5, 6, 1)));
}

TEST(Matrix4, ToEulerInvertsFromEuler)
{
    const Vector3 angles[] = {Vector3(10, 20, 30), Vector3(-45, 60, -170), Vector3(0, -89, 5)};
    for (const Vector3& a : angles)
    {
        Matrix4 m;
        m.FromEuler(a.x, a.y, a.z);
        const Vector3 back = m.ToEuler();
        EXPECT_NEAR(back.x, a.x, 0.001f);
        EXPECT_NEAR(back.y, a.y, 0.001f);
        EXPECT_NEAR(back.z, a.z, 0.001f);
        const Vector3 radians = m.ToEuler(true);
        EXPECT_NEAR(radians.y, a.y * DEG_TO_RAD, 1e-5f);
    }
}

TEST(Matrix4, ComposeIsTranslationRotationScale)
{
    Matrix4 m;
    m.Compose(Point4(1, 2, 3, 1), Quaternion(), Vector3(2, 2, 2));
    EXPECT_TRUE(MatNear(m, Matrix4(2, 0, 0, 1, 0, 2, 0, 2, 0, 0, 2, 3, 0, 0, 0, 1)));
    EXPECT_TRUE(Vec4Near(m.GetTranslation(), Point4(1, 2, 3, 1)));

    Quaternion q;
    q.FromAxisAngle(Vector4(0, 0, 1, 0), HALF_PI);
    m.Compose(Point4(1, 2, 3, 1), q, Vector3(1, 2, 3));
    const Matrix4 expected = Matrix4::Translation(Point4(1, 2, 3, 1)) * Matrix4::FromQuaternion(q) *
                             Matrix4::Scale(Vector3(1, 2, 3));
    EXPECT_TRUE(MatNear(m, expected));
}

TEST(Matrix4, AxisAngleAgreesWithTheQuaternion)
{
    const Vector4 axis(0.48f, 0.6f, 0.64f, 0.0f);
    Quaternion q;
    q.FromAxisAngle(axis, 1.2f);
    EXPECT_TRUE(MatNear(Matrix4::FromAxisAngle(axis, 1.2f), Matrix4::FromQuaternion(q)));
    // The skew-symmetric matrix takes the cross product.
    const Vector4 u(1, -2, 0.5f, 0);
    EXPECT_TRUE(Vec4Near(Matrix4::SkewSymmetric(axis) * u, axis.Cross(u)));
    EXPECT_EQ(Matrix4::SkewSymmetric(axis).m[15], 0.0f);
}

TEST(Matrix4, GetRotationRemovesAUniformScale)
{
    Quaternion q;
    q.FromEuler(30, 45, 60);
    Matrix4 m;
    m.Compose(Point4(5, 6, 7, 1), q, Vector3(3, 3, 3));
    const Quaternion back = m.GetRotation();
    EXPECT_TRUE(QuatNear(back, q, 1e-5f) || QuatNear(back, -1.0f * q, 1e-5f));
    EXPECT_TRUE(QuatNear(Matrix4(true).GetRotation(), Quaternion()));
}

TEST(Matrix4, InverseTransformOfARigidTransform)
{
    Quaternion q;
    q.FromAxisAngle(Vector4(0, 1, 0, 0), 0.7f);
    Matrix4 m;
    m.Compose(Point4(1, -2, 3, 1), q, Vector3(1, 1, 1));
    const Point4 p(4, 5, 6, 1);
    EXPECT_TRUE(Vec4Near(m.InverseTransformPoint(m * p), p, 1e-4f));
    const Vector4 v(1, 2, 3, 0);
    EXPECT_TRUE(Vec4Near(m.InverseRotateVector(m * v), v, 1e-5f));
}

TEST(Matrix4, LookAtIsWrittenInGlColumnOrder)
{
    const Point4 eye(1, 2, 10, 1);
    const Matrix4 view = Matrix4::LookAt(eye, Point4(1, 2, 0, 1), Vector4(0, 1, 0, 0));
    // Looking along -z from (1, 2, 10): a plain translation by -eye, stored in 12, 13, 14.
    EXPECT_TRUE(Vec4Near(view.GetTranslationTransposed(), Point4(-1, -2, -10, 1)));
    EXPECT_EQ(view.m[3], 0.0f);
    EXPECT_EQ(view.m[7], 0.0f);
    EXPECT_EQ(view.m[11], 0.0f);
    // Transposed back into the model layout it maps the eye to the origin and the target ahead.
    Matrix4 model;
    view.Transpose(model);
    EXPECT_TRUE(Vec4Near(model * eye, Point4(0, 0, 0, 1)));
    EXPECT_TRUE(Vec4Near(model * Point4(1, 2, 0, 1), Point4(0, 0, -10, 1)));
}

TEST(Matrix4, OrthographicMapsTheViewportAndDepthZeroToOne)
{
    const Matrix4 ortho = Matrix4::Orthographic(800, 600, 1, 11);
    Matrix4 model;
    ortho.Transpose(model);
    EXPECT_TRUE(Vec4Near(model * Point4(0, 0, -1, 1), Point4(-1, -1, 0, 1)));
    EXPECT_TRUE(Vec4Near(model * Point4(800, 600, -11, 1), Point4(1, 1, 1, 1)));
    EXPECT_EQ(ortho.m[12], -1.0f);
    EXPECT_EQ(ortho.m[13], -1.0f);
}

TEST(Matrix4, PerspectiveKeepsMinusOneInElementEleven)
{
    const Matrix4 p = Matrix4::Perspective(90, 2, 1, 100);
    EXPECT_NEAR(p.m[5], 1.0f, 1e-6f);
    EXPECT_NEAR(p.m[0], 0.5f, 1e-6f);
    EXPECT_EQ(p.m[11], -1.0f);
    EXPECT_NEAR(p.m[10], -101.0f / 99.0f, 1e-6f);
    EXPECT_NEAR(p.m[14], -200.0f / 99.0f, 1e-6f);
    EXPECT_EQ(p.m[15], 0.0f);
}
