#pragma once
// Two-component float vector for screen and texture quantities. A plain value: trivially
// copyable, no virtual functions, no dynamic memory. Comparisons use the EPSILON tolerance.
#include "Math/MathUtils.h"

#include <cmath>
#include <iosfwd>

namespace Math
{

class Vector2
{
public:
    constexpr Vector2() : x(0.0f), y(0.0f) {}
    constexpr Vector2(f32 x_, f32 y_) : x(x_), y(y_) {}

    constexpr Vector2 operator+(const Vector2& rhs) const { return Vector2(x + rhs.x, y + rhs.y); }
    constexpr Vector2 operator-(const Vector2& rhs) const { return Vector2(x - rhs.x, y - rhs.y); }
    constexpr Vector2 operator-() const { return Vector2(-x, -y); }
    constexpr Vector2 operator*(f32 s) const { return Vector2(x * s, y * s); }

    Vector2& operator+=(const Vector2& rhs)
    {
        x += rhs.x;
        y += rhs.y;
        return *this;
    }

    // True when some component differs by more than EPSILON.
    bool operator!=(const Vector2& rhs) const
    {
        return std::fabs(x - rhs.x) > EPSILON || std::fabs(y - rhs.y) > EPSILON;
    }
    bool operator==(const Vector2& rhs) const { return !(*this != rhs); }

    constexpr f32 Dot(const Vector2& rhs) const { return x * rhs.x + y * rhs.y; }
    f32 Length() const { return std::sqrt(x * x + y * y); }

    // Scales to unit length and returns the old length; shorter than EPSILON gives (0, 0)
    // and returns 0.
    f32 Normalize()
    {
        const f32 length = std::sqrt(x * x + y * y);
        if (length < EPSILON)
        {
            x = y = 0.0f;
            return 0.0f;
        }
        const f32 inverse = 1.0f / length;
        x *= inverse;
        y *= inverse;
        return length;
    }

    // A random unit vector (draws y first, then x).
    static Vector2 RandomDirection();

    f32 x;
    f32 y;
};

// Writes "(x, y)".
std::ostream& operator<<(std::ostream& stream, const Vector2& v);

} // namespace Math
