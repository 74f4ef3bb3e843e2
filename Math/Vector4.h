#pragma once
// Four-component float vector: a direction when w = 0. Math::Point4 (w = 1) shares its layout
// and its four-component operations, so the difference of two points is a Vector4 with w = 0
// and a point moved by a vector stays a point. Every operation below runs over all four
// components unless it says otherwise. A plain value: trivially copyable, no virtual functions.
#include "Math/MathUtils.h"

#include <cmath>
#include <iosfwd>

namespace Math
{

class ColorRGBA;

class Vector4
{
public:
    constexpr Vector4() : x(0.0f), y(0.0f), z(0.0f), w(0.0f) {}
    constexpr Vector4(f32 x_, f32 y_, f32 z_, f32 w_) : x(x_), y(y_), z(z_), w(w_) {}

    constexpr Vector4 operator+(const Vector4& rhs) const
    {
        return Vector4(x + rhs.x, y + rhs.y, z + rhs.z, w + rhs.w);
    }
    constexpr Vector4 operator-(const Vector4& rhs) const
    {
        return Vector4(x - rhs.x, y - rhs.y, z - rhs.z, w - rhs.w);
    }
    constexpr Vector4 operator-() const { return Vector4(-x, -y, -z, -w); }
    constexpr Vector4 operator*(f32 s) const { return Vector4(x * s, y * s, z * s, w * s); }

    Vector4& operator+=(const Vector4& rhs)
    {
        x += rhs.x;
        y += rhs.y;
        z += rhs.z;
        w += rhs.w;
        return *this;
    }
    Vector4& operator-=(const Vector4& rhs)
    {
        x -= rhs.x;
        y -= rhs.y;
        z -= rhs.z;
        w -= rhs.w;
        return *this;
    }
    Vector4& operator*=(f32 s)
    {
        x *= s;
        y *= s;
        z *= s;
        w *= s;
        return *this;
    }
    // One division, four products.
    Vector4& operator/=(f32 d) { return *this *= 1.0f / d; }

    // True when some component differs by more than EPSILON.
    bool operator!=(const Vector4& rhs) const
    {
        return std::fabs(x - rhs.x) > EPSILON || std::fabs(y - rhs.y) > EPSILON ||
               std::fabs(z - rhs.z) > EPSILON || std::fabs(w - rhs.w) > EPSILON;
    }
    bool operator==(const Vector4& rhs) const { return !(*this != rhs); }

    constexpr f32 Dot(const Vector4& rhs) const
    {
        return x * rhs.x + y * rhs.y + z * rhs.z + w * rhs.w;
    }
    // this x rhs on x, y, z; the result's w is 0.
    constexpr Vector4 Cross(const Vector4& rhs) const
    {
        return Vector4(y * rhs.z - z * rhs.y, z * rhs.x - x * rhs.z, x * rhs.y - y * rhs.x, 0.0f);
    }
    constexpr f32 LengthSquared() const { return x * x + y * y + z * z + w * w; }
    f32 Length() const { return std::sqrt(LengthSquared()); }

    // Scales to unit length and returns the old length; shorter than EPSILON gives the zero
    // vector and returns 0.
    f32 Normalize()
    {
        const f32 length = Length();
        if (length < EPSILON)
        {
            SetZero();
            return 0.0f;
        }
        *this *= 1.0f / length;
        return length;
    }

    void SetZero() { x = y = z = w = 0.0f; }
    // True when x, y and z are exactly 0 (w is not looked at).
    constexpr bool IsZero() const { return x == 0.0f && y == 0.0f && z == 0.0f; }

    // True when every component of a x b is within EPSILON of 0 (NaN never counts as parallel).
    static bool AreParallel(const Vector4& a, const Vector4& b)
    {
        const Vector4 c = a.Cross(b);
        return IsNearZero(c.x) && IsNearZero(c.y) && IsNearZero(c.z);
    }

    // Random unit directions (w = 0); a draw shorter than EPSILON gives the zero vector.
    static Vector4 RandomDirection();
    static Vector4 RandomDirectionXY();
    static Vector4 RandomDirectionXZ();
    static Vector4 RandomDirectionYZ();

    // Debug-draws the segment from the origin to (x, y, z); a null colour keeps the current one.
    void Draw(const ColorRGBA* colour) const;

    f32 x;
    f32 y;
    f32 z;
    f32 w;
};

// Writes "(x, y, z, w)".
std::ostream& operator<<(std::ostream& stream, const Vector4& v);

// Fills x, y, z of two unit vectors u and v perpendicular to the unit normal n and to each
// other (their w is left untouched). A zero normal gives infinities or NaN.
void MakeOrthonormalBasis(Vector4& u, Vector4& v, const Vector4& n);

} // namespace Math
