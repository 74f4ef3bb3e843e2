#pragma once
// Orientation as a quaternion stored w first: (w, x, y, z); the identity is (1, 0, 0, 0).
// Rotation quaternions are expected to be of unit length; nothing renormalises unless it says
// so. Its rotation matrix is in the model layout of Math::Matrix4 (row by row, multiplying
// column vectors). A plain value: trivially copyable, no virtual functions.
#include "Math/Vector3.h"
#include "Math/Vector4.h"

namespace Math
{

class Matrix4;

class Quaternion
{
public:
    constexpr Quaternion() : w(1.0f), x(0.0f), y(0.0f), z(0.0f) {}
    constexpr Quaternion(f32 w_, f32 x_, f32 y_, f32 z_) : w(w_), x(x_), y(y_), z(z_) {}

    // Hamilton product this x r.
    constexpr Quaternion operator*(const Quaternion& r) const
    {
        return Quaternion(
            w * r.w - x * r.x - y * r.y - z * r.z, w * r.x + x * r.w + y * r.z - z * r.y,
            w * r.y - x * r.z + y * r.w + z * r.x, w * r.z + x * r.y - y * r.x + z * r.w);
    }
    constexpr Quaternion operator+(const Quaternion& r) const
    {
        return Quaternion(w + r.w, x + r.x, y + r.y, z + r.z);
    }
    constexpr Quaternion operator*(f32 s) const { return Quaternion(w * s, x * s, y * s, z * s); }

    // True when every component differs by at most EPSILON.
    bool operator==(const Quaternion& r) const
    {
        return std::fabs(w - r.w) <= EPSILON && std::fabs(x - r.x) <= EPSILON &&
               std::fabs(y - r.y) <= EPSILON && std::fabs(z - r.z) <= EPSILON;
    }
    bool operator!=(const Quaternion& r) const { return !(*this == r); }

    // Scales to unit length over all four components and returns the old length; a quaternion
    // shorter than EPSILON becomes all zeros (never NaN) and 0 is returned.
    f32 Normalize();

    // Rotation about a unit axis (x, y, z of the vector) by an angle in radians.
    void FromAxisAngle(const Vector4& axis, f32 radians);
    // The rotation of Matrix4::FromEuler: about X first, then Y, then Z (degrees unless told).
    void FromEuler(f32 angleX, f32 angleY, f32 angleZ, bool radians = false);
    // Takes the rotation from the upper 3 x 3 of a model-layout matrix.
    void FromMatrix(const Matrix4& matrix);
    // Writes all 16 elements: the rotation in the upper 3 x 3, no translation, element 15 = 1.
    void ToMatrix4(Matrix4& out) const;
    // Euler angles (x, y, z) as Matrix4::ToEuler reads them (degrees unless told).
    Vector3 ToEuler(bool radians = false) const;

    // The rotation matrix times v; w of v is carried through unchanged.
    Vector4 Rotate(const Vector4& v) const
    {
        const f32 xx = x * x, yy = y * y, zz = z * z;
        const f32 xy = x * y, xz = x * z, yz = y * z;
        const f32 wx = w * x, wy = w * y, wz = w * z;
        return Vector4(
            (1.0f - 2.0f * (yy + zz)) * v.x + 2.0f * (xy - wz) * v.y + 2.0f * (xz + wy) * v.z,
            2.0f * (xy + wz) * v.x + (1.0f - 2.0f * (xx + zz)) * v.y + 2.0f * (yz - wx) * v.z,
            2.0f * (xz - wy) * v.x + 2.0f * (yz + wx) * v.y + (1.0f - 2.0f * (xx + yy)) * v.z, v.w);
    }

    // Advances by an angular velocity (radians per second) over dt: this += 0.5 (0, w dt) this.
    // The result is not renormalised.
    void Integrate(const Vector4& angularVelocity, f32 dt);

    // Spherical interpolation from q0 (t = 0) to q1 (t = 1) along the shorter arc; t is not
    // clamped and the result is not renormalised.
    void Slerp(f32 t, const Quaternion& q0, const Quaternion& q1);

    // The shortest rotation turning the direction of a into that of b. Opposite directions
    // give a half turn about an axis perpendicular to a (Y whenever a is perpendicular to Y);
    // a vector shorter than EPSILON gives the all-zero quaternion.
    static Quaternion RotationBetween(const Vector4& a, const Vector4& b);

    f32 w;
    f32 x;
    f32 y;
    f32 z;
};

constexpr Quaternion operator*(f32 s, const Quaternion& q)
{
    return q * s;
}

} // namespace Math
