#include "Math/SelfTests.h"
#include "Math/SelfTests_Checks.h"

#include "Math/Point4.h"
#include "Math/Vector2.h"
#include "Math/Vector3.h"

#include <cmath>

namespace Math
{
namespace
{
using namespace SelfTestChecks;

constexpr int DIRECTION_DRAWS = 250000;
constexpr f64 DIRECTION_MEAN_TOLERANCE = 0.005;
// Lengths that vectors are rescaled to run from 0 to this.
constexpr f32 RESCALE_RANGE = 10.0f;

// The components are drawn in order, x first.
Vector3 RandomVector3(f32 range)
{
    const f32 x = RandRange(-range, range);
    const f32 y = RandRange(-range, range);
    const f32 z = RandRange(-range, range);
    return Vector3(x, y, z);
}

Vector4 RandomVector4(f32 range)
{
    const f32 x = RandRange(-range, range);
    const f32 y = RandRange(-range, range);
    const f32 z = RandRange(-range, range);
    const f32 w = RandRange(-range, range);
    return Vector4(x, y, z, w);
}

bool IsUnit(const Vector4& v)
{
    return Near(v.Length(), 1.0f);
}

// --- Vector2 ---

bool CheckVector2Length()
{
    return Operations().vector2Length(Vector2(3.0f, 5.0f)) == std::sqrt(34.0f);
}

bool CheckVector2Normalize()
{
    Vector2 five(0.0f, 5.0f);
    Vector2 thirteen(0.0f, 13.0f);
    Vector2 tiny(0.0f, 0.000001f);
    five.Normalize();
    thirteen.Normalize();
    tiny.Normalize();
    return five == Vector2(0.0f, 1.0f) && thirteen == Vector2(0.0f, 1.0f) && tiny.x == 0.0f &&
           tiny.y == 0.0f;
}

bool CheckVector2RandomDirection()
{
    f64 sumX = 0.0, sumY = 0.0;
    for (int i = 0; i < DIRECTION_DRAWS; ++i)
    {
        const Vector2 v = Vector2::RandomDirection();
        if (!Near(v.Length(), 1.0f))
        {
            return false;
        }
        sumX += v.x;
        sumY += v.y;
    }
    return std::fabs(sumX / DIRECTION_DRAWS) <= DIRECTION_MEAN_TOLERANCE &&
           std::fabs(sumY / DIRECTION_DRAWS) <= DIRECTION_MEAN_TOLERANCE;
}

// --- Vector3 ---

bool CheckVector3Cross()
{
    const Vector3 a = RandomVector3(COMPONENT_RANGE);
    const Vector3 b = RandomVector3(COMPONENT_RANGE);
    return Operations().vector3Cross(a, b) ==
           Vector3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

bool CheckVector3Dot()
{
    const Vector3 a = RandomVector3(COMPONENT_RANGE);
    const Vector3 b = RandomVector3(COMPONENT_RANGE);
    return Near(a.Dot(b), a.x * b.x + a.y * b.y + a.z * b.z);
}

bool CheckVector3Equality()
{
    const Vector3 a = RandomVector3(COMPONENT_RANGE);
    const Vector3 same(a.x, a.y, a.z);
    const Vector3 other(a.x, a.y, a.z + 1.0f);
    return a == same && !(a == other);
}

bool CheckVector3Inequality()
{
    const Vector3 a = RandomVector3(COMPONENT_RANGE);
    const Vector3 same(a.x, a.y, a.z);
    const Vector3 other(a.x + 1.0f, a.y, a.z);
    return a != other && !(a != same);
}

bool CheckVector3Length()
{
    const Vector3 v = RandomVector3(SMALL_RANGE);
    return Near(v.Length(), std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z));
}

bool CheckVector3LengthSquared()
{
    const Vector3 v = RandomVector3(SMALL_RANGE);
    return Near(v.LengthSquared(), v.x * v.x + v.y * v.y + v.z * v.z);
}

bool CheckVector3Negation()
{
    const Vector3 v = RandomVector3(COMPONENT_RANGE);
    const Vector3 negated = -v;
    return negated.x == -v.x && negated.y == -v.y && negated.z == -v.z;
}

bool CheckVector3Copy()
{
    const Vector3 v = RandomVector3(COMPONENT_RANGE);
    const Vector3 copied(v);
    Vector3 assigned;
    assigned = v;
    return copied.x == v.x && copied.y == v.y && copied.z == v.z && assigned.x == v.x &&
           assigned.y == v.y && assigned.z == v.z;
}

bool CheckVector3Normalize()
{
    Vector3 v = RandomVector3(SMALL_RANGE);
    const Vector3 original = v;
    const f32 length = original.Length();
    const f32 returned = v.Normalize();
    Vector3 tiny(0.0f, 0.000001f, 0.0f);
    tiny.Normalize();
    return returned == length && v == original * (1.0f / length) && Near(v.Length(), 1.0f) &&
           tiny.x == 0.0f && tiny.y == 0.0f && tiny.z == 0.0f;
}

bool CheckVector3SetLength()
{
    Vector3 v = RandomVector3(SMALL_RANGE);
    const Vector3 original = v;
    const f32 length = RandUnit() * RESCALE_RANGE;
    v.SetLength(length);
    return v == original * (1.0f / original.Length()) * length && Near(v.Length(), length);
}

bool CheckVector3Product()
{
    const Vector3 v = RandomVector3(COMPONENT_RANGE);
    const f32 s = RandomComponent();
    return v * s == Vector3(v.x * s, v.y * s, v.z * s);
}

// The quotient is the product with the reciprocal.
bool CheckVector3Quotient()
{
    const Vector3 v = RandomVector3(COMPONENT_RANGE);
    const f32 d = RandomComponent();
    return v / d == v * (1.0f / d);
}

bool CheckVector3Sum()
{
    const Vector3 a = RandomVector3(COMPONENT_RANGE);
    const Vector3 b = RandomVector3(COMPONENT_RANGE);
    return a + b == Vector3(a.x + b.x, a.y + b.y, a.z + b.z);
}

bool CheckVector3Difference()
{
    const Vector3 a = RandomVector3(COMPONENT_RANGE);
    const Vector3 b = RandomVector3(COMPONENT_RANGE);
    return a - b == Vector3(a.x - b.x, a.y - b.y, a.z - b.z);
}

bool CheckVector3SumInPlace()
{
    const Vector3 a = RandomVector3(COMPONENT_RANGE);
    const Vector3 b = RandomVector3(COMPONENT_RANGE);
    Vector3 sum = a;
    sum += b;
    return sum == Vector3(a.x + b.x, a.y + b.y, a.z + b.z);
}

bool CheckVector3ProductInPlace()
{
    const Vector3 v = RandomVector3(COMPONENT_RANGE);
    const f32 s = RandomComponent();
    Vector3 product = v;
    product *= s;
    return product == Vector3(v.x * s, v.y * s, v.z * s);
}

// --- Vector4 ---

bool CheckVector4Equality()
{
    const Vector4 a = RandomVector4(COMPONENT_RANGE);
    const Vector4 same(a.x, a.y, a.z, a.w);
    const Vector4 other(a.x, a.y, a.z, a.w + 1.0f);
    return a == same && !(a == other);
}

bool CheckVector4Inequality()
{
    const Vector4 a = RandomVector4(COMPONENT_RANGE);
    const Vector4 same(a.x, a.y, a.z, a.w);
    const Vector4 other(a.x, a.y, a.z, a.w + 1.0f);
    return a != other && !(a != same);
}

bool CheckVector4LengthSquared()
{
    const Vector4 v = RandomVector4(SMALL_RANGE);
    return Near(v.LengthSquared(), v.x * v.x + v.y * v.y + v.z * v.z + v.w * v.w);
}

bool CheckVector4Negation()
{
    const Vector4 v = RandomVector4(COMPONENT_RANGE);
    const Vector4 negated = -v;
    return negated.x == -v.x && negated.y == -v.y && negated.z == -v.z && negated.w == -v.w;
}

bool CheckVector4Copy()
{
    const Vector4 v = RandomVector4(COMPONENT_RANGE);
    const Vector4 copied(v);
    Vector4 assigned;
    assigned = v;
    return copied.x == v.x && copied.y == v.y && copied.z == v.z && copied.w == v.w &&
           assigned.x == v.x && assigned.y == v.y && assigned.z == v.z && assigned.w == v.w;
}

bool CheckVector4Normalize()
{
    Vector4 v = RandomVector4(SMALL_RANGE);
    const Vector4 original = v;
    const f32 length = original.Length();
    const f32 returned = v.Normalize();
    Vector4 tiny(0.0f, 0.0f, 0.000001f, 0.0f);
    tiny.Normalize();
    return returned == length && v == original * (1.0f / length) && Near(v.Length(), 1.0f) &&
           tiny.IsZero() && tiny.w == 0.0f;
}

bool CheckVector4Product()
{
    const Vector4 v = RandomVector4(COMPONENT_RANGE);
    const f32 s = RandomComponent();
    Vector4 inPlace = v;
    inPlace *= s;
    const Vector4 expected(v.x * s, v.y * s, v.z * s, v.w * s);
    return v * s == expected && inPlace == expected;
}

// The quotient is the product with the reciprocal.
bool CheckVector4Quotient()
{
    const Vector4 v = RandomVector4(COMPONENT_RANGE);
    const f32 d = RandomComponent();
    Vector4 quotient = v;
    quotient /= d;
    return quotient == v * (1.0f / d);
}

bool CheckVector4Sum()
{
    const Vector4 a = RandomVector4(COMPONENT_RANGE);
    const Vector4 b = RandomVector4(COMPONENT_RANGE);
    Vector4 inPlace = a;
    inPlace += b;
    const Vector4 expected(a.x + b.x, a.y + b.y, a.z + b.z, a.w + b.w);
    return a + b == expected && inPlace == expected;
}

bool CheckVector4Difference()
{
    const Vector4 a = RandomVector4(COMPONENT_RANGE);
    const Vector4 b = RandomVector4(COMPONENT_RANGE);
    Vector4 inPlace = a;
    inPlace -= b;
    const Vector4 expected(a.x - b.x, a.y - b.y, a.z - b.z, a.w - b.w);
    return a - b == expected && inPlace == expected;
}

bool CheckRandomDirectionXY()
{
    return IsUnit(Vector4::RandomDirectionXY());
}

bool CheckRandomDirection()
{
    return IsUnit(Vector4::RandomDirection());
}

bool CheckRandomDirectionXZ()
{
    return IsUnit(Vector4::RandomDirectionXZ());
}

bool CheckRandomDirectionYZ()
{
    return IsUnit(Vector4::RandomDirectionYZ());
}
} // namespace

namespace SelfTestChecks
{
// On x, y and z; the result's w is 0.
bool CheckVector4Cross()
{
    const Vector4 a = RandomVector4(COMPONENT_RANGE);
    const Vector4 b = RandomVector4(COMPONENT_RANGE);
    return a.Cross(b) ==
           Vector4(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x, 0.0f);
}

// Over all four components, with a vector and with a point (w = 1).
bool CheckVector4Dot()
{
    const Vector4 a = RandomVector4(COMPONENT_RANGE);
    const Vector4 b = RandomVector4(COMPONENT_RANGE);
    const f32 x = RandomComponent();
    const f32 y = RandomComponent();
    const f32 z = RandomComponent();
    const Point4 p(x, y, z, 1.0f);
    const auto dot = Operations().vector4Dot;
    return Near(dot(a, b), a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w) &&
           Near(dot(a, p), a.x * p.x + a.y * p.y + a.z * p.z + a.w * p.w);
}

// Over all four components.
bool CheckVector4Length()
{
    const Vector4 v = RandomVector4(SMALL_RANGE);
    return Near(v.Length(), std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z + v.w * v.w));
}
} // namespace SelfTestChecks

bool TestVector2()
{
    return RunChecks({CheckVector2Length, CheckVector2Normalize, CheckVector2RandomDirection});
}

bool TestVector3()
{
    return RunChecks({CheckVector3Cross, CheckVector3Dot, CheckVector3Equality,
                      CheckVector3Inequality, CheckVector3Length, CheckVector3LengthSquared,
                      CheckVector3Negation, CheckVector3Copy, CheckVector3Normalize,
                      CheckVector3SetLength, CheckVector3Product, CheckVector3Quotient,
                      CheckVector3Sum, CheckVector3Difference, CheckVector3SumInPlace,
                      CheckVector3ProductInPlace});
}

bool TestVector4()
{
    return RunChecks({CheckVector4Cross, CheckVector4Dot, CheckVector4Equality,
                      CheckVector4Inequality, CheckVector4Length, CheckVector4LengthSquared,
                      CheckVector4Negation, CheckVector4Copy, CheckVector4Normalize,
                      CheckVector4Product, CheckVector4Quotient, CheckVector4Sum,
                      CheckVector4Difference, CheckRandomDirectionXY, CheckRandomDirection,
                      CheckRandomDirectionXZ, CheckRandomDirectionYZ});
}

} // namespace Math
