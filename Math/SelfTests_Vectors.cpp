#include "Math/SelfTests.h"
#include "Math/SelfTests_Checks.h"

#include "Math/Point4.h"
#include "Math/Vector2.h"
#include "Math/Vector3.h"

#include <algorithm>
#include <cmath>

namespace Math
{
namespace
{
using namespace SelfTestChecks;

constexpr f32 LENGTH_RANGE = 100.0f;
constexpr int DIRECTION_DRAWS = 250000;
constexpr f64 DIRECTION_MEAN_TOLERANCE = 0.005;

Vector3 RandomVector3()
{
    return Vector3(RandomComponent(), RandomComponent(), RandomComponent());
}

Vector4 RandomVector4()
{
    return Vector4(RandomComponent(), RandomComponent(), RandomComponent(), RandomComponent());
}

bool IsUnit(const Vector4& v)
{
    return std::fabs(v.Length() - 1.0f) <= EPSILON;
}

// --- Vector2 ---

bool CheckVector2Normalize()
{
    Vector2 v(0.0f, 5.0f);
    const f32 length = v.Normalize();
    Vector2 tiny(0.000001f, 0.0f);
    const f32 tinyLength = tiny.Normalize();
    Vector2 pythagoras(3.0f, 4.0f);
    return length == 5.0f && v.x == 0.0f && v.y == 1.0f && tinyLength == 0.0f && tiny.x == 0.0f &&
           tiny.y == 0.0f && pythagoras.Normalize() == 5.0f && pythagoras == Vector2(0.6f, 0.8f);
}

bool CheckVector2Arithmetic()
{
    const Vector2 a(RandomComponent(), RandomComponent());
    const Vector2 b(RandomComponent(), RandomComponent());
    const f32 s = RandUnit();
    const Vector2 sum = a + b, difference = a - b, negated = -a, scaled = a * s;
    Vector2 accumulated = a;
    accumulated += b;
    return sum.x == a.x + b.x && sum.y == a.y + b.y && difference.x == a.x - b.x &&
           difference.y == a.y - b.y && negated.x == -a.x && negated.y == -a.y &&
           scaled.x == a.x * s && scaled.y == a.y * s && !(accumulated != sum) &&
           a.Dot(b) == a.x * b.x + a.y * b.y;
}

bool CheckVector2RandomDirection()
{
    f64 sumX = 0.0, sumY = 0.0;
    for (int i = 0; i < DIRECTION_DRAWS; ++i)
    {
        const Vector2 v = Vector2::RandomDirection();
        if (std::fabs(std::sqrt(v.Dot(v)) - 1.0f) > EPSILON)
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

bool CheckVector3Arithmetic()
{
    const Vector3 a = RandomVector3();
    const Vector3 b = RandomVector3();
    const f32 s = RandUnit();
    const Vector3 sum = a + b, difference = a - b, scaled = a * s;
    Vector3 accumulated = a;
    accumulated += b;
    Vector3 inPlace = a;
    inPlace *= s;
    return sum.x == a.x + b.x && sum.y == a.y + b.y && sum.z == a.z + b.z &&
           difference.x == a.x - b.x && difference.y == a.y - b.y && difference.z == a.z - b.z &&
           scaled.x == a.x * s && scaled.y == a.y * s && scaled.z == a.z * s &&
           accumulated == sum && inPlace == scaled;
}

bool CheckVector3Equality()
{
    const Vector3 a = RandomVector3();
    Vector3 b = a;
    const bool same = a == b && !(a != b);
    b.y += 1.0f;
    return same && a != b && !(a == b) && Vector3(0, 0, 0) == Vector3(EPSILON, 0, 0) &&
           Vector3(0, 0, 0) != Vector3(2.0f * EPSILON, 0, 0);
}

// --- Vector4 ---

bool CheckVector4Products()
{
    const Vector4 a = RandomVector4();
    const Vector4 b = RandomVector4();
    const Point4 p(RandomComponent(), RandomComponent(), RandomComponent(), 1.0f);
    const Vector4 cross = a.Cross(b);
    return cross.x == a.y * b.z - a.z * b.y && cross.y == a.z * b.x - a.x * b.z &&
           cross.z == a.x * b.y - a.y * b.x && cross.w == 0.0f &&
           Close(a.Dot(b), a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w) &&
           Close(a.Dot(p), a.x * p.x + a.y * p.y + a.z * p.z + a.w);
}

bool CheckVector4Arithmetic()
{
    const Vector4 a = RandomVector4();
    const Vector4 b = RandomVector4();
    const f32 s = RandRange(1.0f, LENGTH_RANGE);
    const Vector4 sum = a + b, difference = a - b, negated = -a, scaled = a * s;
    Vector4 accumulated = a, reduced = a, multiplied = a, divided = a;
    accumulated += b;
    reduced -= b;
    multiplied *= s;
    divided /= s;
    return !(sum != Vector4(a.x + b.x, a.y + b.y, a.z + b.z, a.w + b.w)) &&
           !(difference != Vector4(a.x - b.x, a.y - b.y, a.z - b.z, a.w - b.w)) &&
           !(negated != Vector4(-a.x, -a.y, -a.z, -a.w)) && !(accumulated != sum) &&
           !(reduced != difference) && !(multiplied != scaled) && !(divided != a * (1.0f / s)) &&
           a != negated;
}

bool CheckVector4Length()
{
    Vector4 v(RandRange(-LENGTH_RANGE, LENGTH_RANGE), RandRange(-LENGTH_RANGE, LENGTH_RANGE),
              RandRange(-LENGTH_RANGE, LENGTH_RANGE), RandRange(-LENGTH_RANGE, LENGTH_RANGE));
    const f32 squared = v.x * v.x + v.y * v.y + v.z * v.z + v.w * v.w;
    const f32 length = std::sqrt(squared);
    const Vector4 original = v;
    const f32 returned = v.Normalize();
    Vector4 tiny(0.0f, 0.0f, 0.000001f, 0.0f);
    return v.LengthSquared() > 0.0f && Close(original.LengthSquared(), squared) &&
           Close(original.Length(), length) && returned == original.Length() &&
           !(v != original * (1.0f / length)) && tiny.Normalize() == 0.0f && tiny.IsZero() &&
           Vector4(0, 0, 3, 4).Length() == 5.0f;
}

bool CheckVector4RandomDirections()
{
    return IsUnit(Vector4::RandomDirectionXY()) && IsUnit(Vector4::RandomDirection()) &&
           IsUnit(Vector4::RandomDirectionXZ()) && IsUnit(Vector4::RandomDirectionYZ());
}

bool CheckPointDifference()
{
    const Point4 a(RandomComponent(), RandomComponent(), RandomComponent(), 1.0f);
    const Point4 b(RandomComponent(), RandomComponent(), RandomComponent(), 1.0f);
    const Vector4 difference = a - b;
    const Point4 moved = b + difference;
    return difference.w == 0.0f && moved.w == 1.0f && Vector4::AreParallel(a, a * 2.0f) &&
           !Vector4::AreParallel(Vector4(1, 0, 0, 0), Vector4(0, 1, 0, 0));
}
} // namespace

bool TestVector2()
{
    return RunChecks({CheckVector2Normalize, CheckVector2Arithmetic, CheckVector2RandomDirection});
}

bool TestVector3()
{
    return RunChecks({CheckVector3Arithmetic, CheckVector3Equality});
}

bool TestVector4()
{
    return RunChecks({CheckVector4Products, CheckVector4Arithmetic, CheckVector4Length,
                      CheckVector4RandomDirections, CheckPointDifference});
}

} // namespace Math
