#include "Math/SelfTests.h"
#include "Math/SelfTests_Checks.h"

#include "Math/MathConstants.h"
#include "Math/Matrix2.h"
#include "Math/PingPongValue.h"
#include "Math/Vector2.h"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace Math
{
namespace
{
using namespace SelfTestChecks;

// Round trips of the Euler trial, and the largest element error of the rebuilt rotation.
constexpr int EULER_TRIALS = 50000;
constexpr f32 EULER_TOLERANCE = 0.0001f;
// The generator sanity checks: draws per mean, the scale of the first mean's draws, and how far
// each mean may stray from the uniform distribution's (the rounded draws, 0 or 1, sum to about
// half the draw count).
constexpr int MEAN_DRAWS = 50000;
constexpr f32 MEAN_SCALE = 10.0f;
constexpr f64 UNIT_MEAN = 0.5;
constexpr f64 SCALED_MEAN_TOLERANCE = 0.1;
constexpr f64 UNIT_MEAN_TOLERANCE = 0.01;
constexpr s64 ROUNDED_SUM_TOLERANCE = 500;
// A narrower component range for the checks whose tolerances are absolute (rotations, round
// trips), where COMPONENT_RANGE would swamp them with rounding.
constexpr f32 SMALL_RANGE = 100.0f;
// Largest error of a value carried through a rotation and back.
constexpr f32 ROUND_TRIP_TOLERANCE = 0.001f;

bool MatricesClose(const Matrix4& a, const Matrix4& b)
{
    for (int i = 0; i < 16; ++i)
    {
        if (!Close(a.m[i], b.m[i]))
        {
            return false;
        }
    }
    return true;
}

Matrix4 RandomMatrix()
{
    Matrix4 matrix(true);
    for (f32& element : matrix.m)
    {
        element = RandomComponent();
    }
    return matrix;
}

// Rotation about one world axis (0 = X, 1 = Y, 2 = Z) built from SinCos directly.
Matrix4 AxisRotation(int axis, f32 radians)
{
    f32 s, c;
    SinCos(radians, s, c);
    switch (axis)
    {
    case 0:
        return Matrix4(1, 0, 0, 0, 0, c, -s, 0, 0, s, c, 0, 0, 0, 0, 1);
    case 1:
        return Matrix4(c, 0, s, 0, 0, 1, 0, 0, -s, 0, c, 0, 0, 0, 0, 1);
    default:
        return Matrix4(c, -s, 0, 0, s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    }
}

// --- Utilities ---

bool CheckVector2Construction()
{
    const Vector2 a(1.0f, 2.0f);
    Vector2 b(5.0f, 6.0f);
    const Vector2 copy = a;
    b = copy;
    return a.x == 1.0f && a.y == 2.0f && b.x == 1.0f && b.y == 2.0f;
}

bool CheckNearZero()
{
    return !IsNearZero(1.0001e-5f) && !IsNearZero(-1.001e-5f) && IsNearZero(9.99e-6f) &&
           IsNearZero(-9.99e-6f) && !IsNearZero(std::nanf(""));
}

bool CheckRounding()
{
    return RoundToInt(-1.0f) == -1 && RoundToInt(-1.5f) == -2 && RoundToInt(-1.49f) == -1 &&
           RoundToInt(-1.51f) == -2 && RoundToInt(2.5f) == 3 && RoundToInt(0.49f) == 0;
}

bool CheckRandomMeans()
{
    f64 sumTen = 0.0, sumUnit = 0.0;
    s64 sumRounded = 0;
    for (int i = 0; i < MEAN_DRAWS; ++i)
    {
        sumTen += RandUnit() * MEAN_SCALE;
    }
    for (int i = 0; i < MEAN_DRAWS; ++i)
    {
        sumUnit += RandUnit();
    }
    for (int i = 0; i < MEAN_DRAWS; ++i)
    {
        sumRounded += RoundToInt(RandUnit());
    }
    return std::fabs(sumTen / MEAN_DRAWS - MEAN_SCALE * UNIT_MEAN) <= SCALED_MEAN_TOLERANCE &&
           std::fabs(sumUnit / MEAN_DRAWS - UNIT_MEAN) <= UNIT_MEAN_TOLERANCE &&
           std::abs(sumRounded - MEAN_DRAWS / 2) <= ROUNDED_SUM_TOLERANCE;
}

bool CheckAngleConstants()
{
    constexpr f32 DEGREES_PER_RADIAN = 57.29578f;
    return Close(RAD_TO_DEG, DEGREES_PER_RADIAN) && Close(RAD_TO_DEG * PI, 180.0f) &&
           Close(RAD_TO_DEG * HALF_PI, 90.0f) && Close(DEG_TO_RAD * DEGREES_PER_RADIAN, 1.0f) &&
           Close(DEG_TO_RAD * 180.0f, PI) && Close(DEG_TO_RAD * 90.0f, HALF_PI);
}

bool CheckSinCos()
{
    f32 s, c;
    SinCos(1.0f, s, c);
    if (s != static_cast<f32>(std::sin(1.0)) || c != static_cast<f32>(std::cos(1.0)))
    {
        return false;
    }
    SinCos(PI, s, c);
    return s == 0.0f && c == -1.0f;
}

// --- Matrix2 ---

bool CheckMatrix2Default()
{
    const Matrix2 matrix;
    return matrix.m00 == 0.0f && matrix.m01 == 0.0f && matrix.m10 == 0.0f && matrix.m11 == 0.0f;
}

// --- Matrix4 ---

bool CheckZeroAndIdentity()
{
    const Matrix4 zero(true);
    const Matrix4 identity(false);
    for (int i = 0; i < 16; ++i)
    {
        const f32 diagonal = (i % 5 == 0) ? 1.0f : 0.0f;
        if (zero.m[i] != 0.0f || identity.m[i] != diagonal)
        {
            return false;
        }
    }
    return MATRIX4_ZERO == zero && MATRIX4_IDENTITY == identity && Matrix4::Identity() == identity;
}

bool CheckRowOrder()
{
    const Matrix4 matrix(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    for (int i = 0; i < 16; ++i)
    {
        if (matrix.m[i] != static_cast<f32>(i))
        {
            return false;
        }
    }
    return true;
}

bool CheckColumns()
{
    for (int column = 0; column < 4; ++column)
    {
        Matrix4 matrix(true);
        const Vector4 v(RandomComponent(), RandomComponent(), RandomComponent(), RandomComponent());
        matrix.SetColumn(column, v);
        const Vector4 read = matrix.GetColumn(column);
        if (read.x != v.x || read.y != v.y || read.z != v.z || read.w != v.w)
        {
            return false;
        }
        for (int i = 0; i < 16; ++i)
        {
            if (i % 4 != column && matrix.m[i] != 0.0f)
            {
                return false;
            }
        }
    }
    return true;
}

bool CheckAdjugateAndInverse()
{
    const Matrix4 m(3, 5, 8, 1, 7, 9, -4, -3, -6, 2, -1, 0, 7, 3, 4, 1);
    const Matrix4 expected(-34, 10, -56, 64, -20, 28, 144, 104, 164, -4, -128, -176, -358, -138,
                           472, 696);
    constexpr f32 DETERMINANT = 752.0f;
    Matrix4 adjugate, inverse;
    m.Adjugate(adjugate);
    m.Inverse(inverse, EPSILON);
    Matrix4 scaled = expected;
    scaled *= 1.0f / DETERMINANT;
    Matrix4 singular;
    Matrix4(true).Inverse(singular, EPSILON);
    return MatricesClose(adjugate, expected) && m.Determinant() == DETERMINANT &&
           MatricesClose(inverse, scaled) && MatricesClose(m * inverse, Matrix4()) &&
           singular == MATRIX4_ZERO;
}

bool CheckProducts()
{
    const Matrix4 a = RandomMatrix();
    const Matrix4 b = RandomMatrix();
    const Matrix4 product = a * b;
    for (int r = 0; r < 4; ++r)
    {
        for (int c = 0; c < 4; ++c)
        {
            f32 expected = 0.0f;
            for (int k = 0; k < 4; ++k)
            {
                expected += a.m[4 * r + k] * b.m[4 * k + c];
            }
            if (!Close(product.m[4 * r + c], expected))
            {
                return false;
            }
        }
    }
    const Point4 p(RandomComponent(), RandomComponent(), RandomComponent(), 1.0f);
    const Vector4 transformed = a * p;
    const f32 results[4] = {transformed.x, transformed.y, transformed.z, transformed.w};
    for (int r = 0; r < 4; ++r)
    {
        const Vector4 row(a.m[4 * r], a.m[4 * r + 1], a.m[4 * r + 2], a.m[4 * r + 3]);
        if (!Close(results[r], row.Dot(p)))
        {
            return false;
        }
    }
    return true;
}

bool CheckElementWise()
{
    const Matrix4 a = RandomMatrix();
    const Matrix4 b = RandomMatrix();
    const f32 s = RandUnit();
    Matrix4 sum = a;
    sum += b;
    Matrix4 scaled = a;
    scaled *= s;
    Matrix4 transposed, back;
    a.Transpose(transposed);
    transposed.Transpose(back);
    for (int i = 0; i < 16; ++i)
    {
        if (!Close(sum.m[i], a.m[i] + b.m[i]) || !Close(scaled.m[i], a.m[i] * s) ||
            transposed.m[i] != a.m[(i % 4) * 4 + i / 4])
        {
            return false;
        }
    }
    return back == a;
}

bool CheckEquality()
{
    const Matrix4 a = RandomMatrix();
    Matrix4 changed = a;
    changed.m[RandomInt(0, 15)] -= COMPONENT_RANGE;
    return a == a && !(a != a) && a != changed && !(a == changed);
}

bool CheckEulerMatrices()
{
    const f32 pitch = RandRange(-90.0f, 90.0f);
    const f32 yaw = RandRange(-180.0f, 180.0f);
    const f32 roll = RandRange(-180.0f, 180.0f);
    Matrix4 euler;
    euler.FromEuler(pitch, yaw, roll);
    const Matrix4 expected = AxisRotation(2, roll * DEG_TO_RAD) *
                             AxisRotation(1, yaw * DEG_TO_RAD) *
                             AxisRotation(0, pitch * DEG_TO_RAD);
    return euler == expected;
}

bool CheckRotationReadBack()
{
    for (f32 angle : {45.0f, 90.0f})
    {
        Quaternion q;
        q.FromEuler(angle, angle * 0.5f, -angle);
        Matrix4 rotation;
        q.ToMatrix4(rotation);
        Matrix4 scaled = rotation;
        scaled *= 3.0f;
        scaled.m[15] = 1.0f;
        const Quaternion back = scaled.GetRotation();
        if (!(back == q) && !(back == -1.0f * q))
        {
            return false;
        }
    }
    return true;
}

bool CheckRigidInverse()
{
    Quaternion rotation;
    rotation.FromAxisAngle(Vector4::RandomDirection(), RandRange(-PI, PI));
    Matrix4 model;
    const Point4 position(RandRange(-SMALL_RANGE, SMALL_RANGE),
                          RandRange(-SMALL_RANGE, SMALL_RANGE),
                          RandRange(-SMALL_RANGE, SMALL_RANGE), 1.0f);
    model.Compose(position, rotation, Vector3(1.0f, 1.0f, 1.0f));
    const Point4 p(RandRange(-SMALL_RANGE, SMALL_RANGE), RandRange(-SMALL_RANGE, SMALL_RANGE),
                   RandRange(-SMALL_RANGE, SMALL_RANGE), 1.0f);
    const Point4 back = model.InverseTransformPoint(model * p);
    return (back - p).Length() <= ROUND_TRIP_TOLERANCE && model.GetTranslation() == position;
}

// --- Quaternion ---

bool CheckQuaternionConstruction()
{
    const Quaternion identity;
    const f32 w = RandRange(-SMALL_RANGE, SMALL_RANGE), x = RandRange(-SMALL_RANGE, SMALL_RANGE),
              y = RandRange(-SMALL_RANGE, SMALL_RANGE), z = RandRange(-SMALL_RANGE, SMALL_RANGE);
    const Quaternion q(w, x, y, z);
    return identity.w == 1.0f && identity.x == 0.0f && identity.y == 0.0f && identity.z == 0.0f &&
           q.w == w && q.x == x && q.y == y && q.z == z && q * identity == q && identity * q == q;
}

bool CheckQuaternionAxisAngle()
{
    const Vector4 axis = Vector4::RandomDirection();
    const f32 angle = RandRange(-PI, PI);
    Quaternion fromMatrix;
    fromMatrix.FromMatrix(Matrix4::FromAxisAngle(axis, angle));
    Quaternion direct;
    direct.FromAxisAngle(axis, angle);
    const Vector4 v(RandRange(-SMALL_RANGE, SMALL_RANGE), RandRange(-SMALL_RANGE, SMALL_RANGE),
                    RandRange(-SMALL_RANGE, SMALL_RANGE), 0.0f);
    const Vector4 rotated = direct.Rotate(v);
    return !(Matrix4::FromQuaternion(fromMatrix) != Matrix4::FromAxisAngle(axis, angle)) &&
           (fromMatrix == direct || fromMatrix == -1.0f * direct) &&
           (rotated - Matrix4::FromAxisAngle(axis, angle) * v).Length() <= ROUND_TRIP_TOLERANCE;
}

bool CheckQuaternionNormalize()
{
    Quaternion q(RandRange(-SMALL_RANGE, SMALL_RANGE), RandRange(-SMALL_RANGE, SMALL_RANGE),
                 RandRange(-SMALL_RANGE, SMALL_RANGE), RandRange(-SMALL_RANGE, SMALL_RANGE));
    const Quaternion original = q;
    const f32 length = std::sqrt(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z);
    const f32 returned = q.Normalize();
    Quaternion tiny(1e-6f, 0.0f, 0.0f, 0.0f);
    tiny.Normalize();
    return returned == length && q == original * (1.0f / length) &&
           tiny == Quaternion(0.0f, 0.0f, 0.0f, 0.0f);
}

bool CheckEulerRoundTrip()
{
    // ToEuler answers within its own ranges (x and z within +-180, y within +-90), so a drawn
    // triple may come back as another triple of the same rotation: the trial compares the
    // rotations the two triples build, not the angles.
    bool accurate = true;
    for (int trial = 0; trial < EULER_TRIALS; ++trial)
    {
        const Vector3 drawn(RandRange(-90.0f, 90.0f), RandRange(-180.0f, 180.0f),
                            RandRange(-180.0f, 180.0f));
        Matrix4 rotation;
        rotation.FromEuler(drawn.x, drawn.y, drawn.z);
        Quaternion q;
        q.FromMatrix(rotation);
        Matrix4 back;
        q.ToMatrix4(back);
        const Vector3 roundTrip = back.ToEuler();
        Matrix4 rebuilt;
        rebuilt.FromEuler(roundTrip.x, roundTrip.y, roundTrip.z);
        for (int i = 0; i < 16; ++i)
        {
            if (std::fabs(rebuilt.m[i] - rotation.m[i]) > EULER_TOLERANCE)
            {
                std::cout << "\n******Euler inaccuracy!****** (on test " << trial << ")\n"
                          << drawn << "\n"
                          << roundTrip << std::endl;
                accurate = false;
                break;
            }
        }
    }
    return accurate;
}

// --- PingPongValue ---

bool CheckPingPongBounces()
{
    PingPongValue value(0.0f, 1.0f, 0.5f, 1.0f, false, false);
    value.Update(1.0f);
    if (!Close(value.GetValue(), 0.5f) || !(value.rate < 0.0f))
    {
        return false;
    }
    value.Update(2.0f);
    return Close(value.GetValue(), 0.5f) && value.rate < 0.0f && !value.finished;
}

bool CheckPingPongStop()
{
    PingPongValue value(0.0f, 1.0f, 0.5f, -1.0f, true, false);
    value.Update(1.5f);
    const f32 stoppedAt = value.GetValue();
    value.Update(1.0f);
    return value.finished && Close(stoppedAt, -1.0f) && value.GetValue() == stoppedAt &&
           value.rate > 0.0f;
}
} // namespace

bool TestMathUtilities()
{
    return RunChecks({CheckVector2Construction, CheckNearZero, CheckRounding, CheckRandomMeans,
                      CheckAngleConstants, CheckSinCos});
}

bool TestMatrix2()
{
    return RunChecks({CheckMatrix2Default});
}

bool TestMatrix4()
{
    return RunChecks({CheckZeroAndIdentity, CheckRowOrder, CheckColumns, CheckAdjugateAndInverse,
                      CheckProducts, CheckElementWise, CheckEquality, CheckEulerMatrices,
                      CheckRotationReadBack, CheckRigidInverse});
}

bool TestQuaternion()
{
    return RunChecks({CheckQuaternionConstruction, CheckQuaternionAxisAngle,
                      CheckQuaternionNormalize, CheckEulerRoundTrip});
}

bool TestPingPongValue()
{
    return RunChecks({CheckPingPongBounces, CheckPingPongStop});
}

bool RunSelfTests()
{
    return RunChecks({TestMathUtilities, TestMatrix2, TestMatrix4, TestQuaternion, TestVector2,
                      TestVector3, TestVector4, TestPingPongValue});
}

} // namespace Math
