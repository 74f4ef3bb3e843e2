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
    constexpr Vector3 operator*(f32 s) const { return Vector3(x * s, y * s, z * s); }

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

    f32 x;
    f32 y;
    f32 z;
};

// Writes "(x, y, z)".
std::ostream& operator<<(std::ostream& stream, const Vector3& v);

} // namespace Math
