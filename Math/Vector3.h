#pragma once
// Three-component float vector (scales, Euler angles). A plain value: trivially copyable, no
// virtual functions, no dynamic memory. Comparisons use the EPSILON tolerance.
#include "Math/MathUtils.h"

#include <cmath>
#include <iosfwd>

namespace Math
{

class Vector3
{
public:
    constexpr Vector3() : x(0.0f), y(0.0f), z(0.0f) {}
    constexpr Vector3(f32 x_, f32 y_, f32 z_) : x(x_), y(y_), z(z_) {}

    constexpr Vector3 operator+(const Vector3& rhs) const
    {
        return Vector3(x + rhs.x, y + rhs.y, z + rhs.z);
    }
    constexpr Vector3 operator-(const Vector3& rhs) const
    {
        return Vector3(x - rhs.x, y - rhs.y, z - rhs.z);
    }
    constexpr Vector3 operator-() const { return Vector3(-x, -y, -z); }
    constexpr Vector3 operator*(f32 s) const { return Vector3(x * s, y * s, z * s); }
    // One division, three products, as Vector4's /=.
    constexpr Vector3 operator/(f32 d) const { return *this * (1.0f / d); }

    Vector3& operator+=(const Vector3& rhs)
    {
        x += rhs.x;
        y += rhs.y;
        z += rhs.z;
        return *this;
    }
    Vector3& operator*=(f32 s)
    {
        x *= s;
        y *= s;
        z *= s;
        return *this;
    }

    // True when every component differs by at most EPSILON.
    bool operator==(const Vector3& rhs) const
    {
        return std::fabs(x - rhs.x) <= EPSILON && std::fabs(y - rhs.y) <= EPSILON &&
               std::fabs(z - rhs.z) <= EPSILON;
    }
    bool operator!=(const Vector3& rhs) const { return !(*this == rhs); }

    constexpr f32 Dot(const Vector3& rhs) const { return x * rhs.x + y * rhs.y + z * rhs.z; }
    // this x rhs.
    constexpr Vector3 Cross(const Vector3& rhs) const
    {
        return Vector3(y * rhs.z - z * rhs.y, z * rhs.x - x * rhs.z, x * rhs.y - y * rhs.x);
    }
    constexpr f32 LengthSquared() const { return x * x + y * y + z * z; }
    f32 Length() const { return std::sqrt(LengthSquared()); }

    // Scales to unit length and returns the old length; shorter than EPSILON gives the zero
    // vector and returns 0.
    f32 Normalize()
    {
        const f32 length = Length();
        if (length < EPSILON)
        {
            x = y = z = 0.0f;
            return 0.0f;
        }
        *this *= 1.0f / length;
        return length;
    }
    // Scales to the given length and returns the old one; a vector shorter than EPSILON has
    // no direction to keep and becomes the zero vector.
    f32 SetLength(f32 length)
    {
        const f32 old = Normalize();
        *this *= length;
        return old;
    }

    f32 x;
    f32 y;
    f32 z;
};

// Writes "(x, y, z)".
std::ostream& operator<<(std::ostream& stream, const Vector3& v);

} // namespace Math
