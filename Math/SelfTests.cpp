#include "Math/SelfTests.h"
#include "Math/SelfTests_Checks.h"

#include "Math/MathConstants.h"
#include "Math/Matrix2.h"
#include "Math/PingPongValue.h"
#include "Math/Vector2.h"

#include <cmath>
#include <cstdlib>

namespace Math
{
namespace
{
using namespace SelfTestChecks;

// Constant-initialised, so the table holds the real operations before any code runs.
constexpr SelfTestOperations REAL_OPERATIONS{
    Lerp,
    [](const Matrix2& matrix, const Vector2& v) { return matrix * v; },
    [](const Matrix4& matrix) { return matrix.Determinant(); },
    [](Quaternion& q) { return q.Normalize(); },
    [](const Vector2& v) { return v.Length(); },
    [](const Vector3& a, const Vector3& b) { return a.Cross(b); },
    [](const Vector4& a, const Vector4& b) { return a.Dot(b); },
    [](PingPongValue& value, f32 dt) { value.Update(dt); }};
SelfTestOperations s_operations = REAL_OPERATIONS;

// The generator sanity checks: draws per mean, the scale of the first mean's draws, and how far
// each mean may stray from the uniform distribution's (the rounded draws, 0 or 1, sum to about
// half the draw count).
constexpr int MEAN_DRAWS = 50000;
constexpr f32 MEAN_SCALE = 10.0f;
constexpr f64 UNIT_MEAN = 0.5;
constexpr f64 SCALED_MEAN_TOLERANCE = 0.1;
constexpr f64 UNIT_MEAN_TOLERANCE = 0.01;
constexpr s64 ROUNDED_SUM_TOLERANCE = 500;

// --- Utilities ---

bool CheckVector2Construction()
{
    const Vector2 a(1.0f, 2.0f);
    const Vector2 b(5.0f, 6.0f);
    const Vector2 copied(a);
    Vector2 assigned;
    assigned = b;
    return a.x == 1.0f && a.y == 2.0f && b.x == 5.0f && b.y == 6.0f && copied.x == 1.0f &&
           copied.y == 2.0f && assigned.x == 5.0f && assigned.y == 6.0f;
}

bool CheckNearZero()
{
    return !IsNearZero(1.0001e-5f) && !IsNearZero(-1.001e-5f) && IsNearZero(9.99e-6f) &&
           IsNearZero(-9.99e-6f);
}

bool CheckRounding()
{
    return RoundToInt(-1.0f) == -1 && RoundToInt(-1.5f) == -2 && RoundToInt(-1.49f) == -1 &&
           RoundToInt(-1.51f) == -2;
}

bool CheckLerp()
{
    return Operations().lerp(0.0f, 1.0f, 0.25f) == 0.25f &&
           Operations().lerp(0.0f, -1.0f, 0.75f) == -0.75f;
}

bool CheckRandomMeans()
{
    f64 sumScaled = 0.0, sumUnit = 0.0;
    s64 sumRounded = 0;
    for (int i = 0; i < MEAN_DRAWS; ++i)
    {
        sumScaled += RandUnit() * MEAN_SCALE;
    }
    for (int i = 0; i < MEAN_DRAWS; ++i)
    {
        sumUnit += RandUnit();
    }
    for (int i = 0; i < MEAN_DRAWS; ++i)
    {
        sumRounded += RoundToInt(RandUnit());
    }
    return std::fabs(sumScaled / MEAN_DRAWS - MEAN_SCALE * UNIT_MEAN) <= SCALED_MEAN_TOLERANCE &&
           std::fabs(sumUnit / MEAN_DRAWS - UNIT_MEAN) <= UNIT_MEAN_TOLERANCE &&
           std::llabs(sumRounded - MEAN_DRAWS / 2) <= ROUNDED_SUM_TOLERANCE;
}

bool CheckAngleConstants()
{
    constexpr f32 DEGREES_PER_RADIAN = 57.29578f;
    return Near(RAD_TO_DEG, DEGREES_PER_RADIAN) && Near(RAD_TO_DEG * PI, 180.0f) &&
           Near(RAD_TO_DEG * HALF_PI, 90.0f) && Near(DEG_TO_RAD * DEGREES_PER_RADIAN, 1.0f) &&
           Near(DEG_TO_RAD * 180.0f, PI) && Near(DEG_TO_RAD * 90.0f, HALF_PI);
}

// SinCos works in double precision and stores floats.
bool CheckSinCos()
{
    f32 s, c;
    SinCos(1.0f, s, c);
    return s == static_cast<f32>(std::sin(1.0)) && c == static_cast<f32>(std::cos(1.0));
}

// --- Matrix2 ---

bool CheckMatrix2ZeroAndDefault()
{
    const Matrix2 zero{0.0f, 0.0f, 0.0f, 0.0f};
    const Matrix2 byDefault;
    return zero.m00 == 0.0f && zero.m01 == 0.0f && zero.m10 == 0.0f && zero.m11 == 0.0f &&
           byDefault.m00 == 0.0f && byDefault.m01 == 0.0f && byDefault.m10 == 0.0f &&
           byDefault.m11 == 0.0f;
}

bool CheckMatrix2Negation()
{
    const Matrix2 matrix{1.0f, 9.0f, -14.0f, 2.0f};
    const Matrix2 negated{-1.0f, -9.0f, 14.0f, -2.0f};
    return matrix != negated && !(matrix == negated) && !(matrix != matrix);
}

// The same two pairs laid out once as rows and once as columns.
bool CheckMatrix2RowsAndColumns()
{
    const Vector2 first(12.0f, 3.0f);
    const Vector2 second(1.7f, 9.0f);
    const Matrix2 byRows{first.x, first.y, second.x, second.y};
    const Matrix2 byColumns{first.x, second.x, first.y, second.y};
    return byRows.GetRow(0) == first && byRows.GetRow(1) == second &&
           byRows.GetColumn(0) == Vector2(first.x, second.x) &&
           byRows.GetColumn(1) == Vector2(first.y, second.y) && byColumns.GetColumn(0) == first &&
           byColumns.GetColumn(1) == second && byColumns.GetRow(0) == Vector2(first.x, second.x) &&
           byColumns.GetRow(1) == Vector2(first.y, second.y);
}

// (2 8 + 3 9, 4 8 + 5 9) . (6, 7) = 43 6 + 77 7.
bool CheckMatrix2ProductDotted()
{
    const Vector2 product =
        Operations().matrix2Times(Matrix2{2.0f, 3.0f, 4.0f, 5.0f}, Vector2(8.0f, 9.0f));
    return product.Dot(Vector2(6.0f, 7.0f)) == 797.0f;
}

bool CheckMatrix2Product()
{
    const Vector2 product =
        Operations().matrix2Times(Matrix2{1.0f, 2.0f, 3.0f, 4.0f}, Vector2(4.0f, 3.0f));
    return product.x == 10.0f && product.y == 24.0f;
}

// --- PingPongValue ---

void Update(PingPongValue& value, f32 dt)
{
    Operations().pingPongUpdate(value, dt);
}

bool CheckPingPongBounces()
{
    PingPongValue value(0.0f, 1.0f, 0.5f, 1.0f, false, false);
    Update(value, 1.0f);
    if (!Near(value.GetValue(), 0.5f) || !(value.rate < 0.0f))
    {
        return false;
    }
    Update(value, 2.0f);
    return Near(value.GetValue(), 0.5f) && value.rate < 0.0f && !value.finished;
}

bool CheckPingPongStop()
{
    PingPongValue value(0.0f, 1.0f, 0.5f, -1.0f, true, false);
    Update(value, 1.5f);
    const f32 stoppedAt = value.GetValue();
    Update(value, 1.0f);
    return value.finished && Near(stoppedAt, -1.0f) && value.GetValue() == stoppedAt &&
           value.rate > 0.0f;
}
} // namespace

SelfTestOperations RealSelfTestOperations()
{
    return REAL_OPERATIONS;
}

void SetSelfTestOperations(const SelfTestOperations& operations)
{
    s_operations = operations;
}

void ResetSelfTestOperations()
{
    s_operations = REAL_OPERATIONS;
}

const SelfTestOperations& GetSelfTestOperations()
{
    return s_operations;
}

bool TestMathUtilities()
{
    return RunChecks({CheckVector2Construction, CheckNearZero, CheckRounding, CheckLerp,
                      CheckRandomMeans, CheckAngleConstants, CheckSinCos});
}

bool TestMatrix2()
{
    return RunChecks({CheckMatrix2ZeroAndDefault, CheckMatrix2Negation, CheckMatrix2RowsAndColumns,
                      CheckMatrix2ProductDotted, CheckMatrix2Product});
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
