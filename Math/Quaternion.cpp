#include "Math/Quaternion.h"

#include "Math/Matrix4.h"

#include <cmath>

namespace Math
{
namespace
{
// Cosine beyond which two directions count as the same (or as opposite, negated).
constexpr f32 SAME_DIRECTION_COSINE = 0.99999f;
} // namespace

f32 Quaternion::Normalize()
{
    const f32 length = std::sqrt(w * w + x * x + y * y + z * z);
    if (length < EPSILON)
    {
        w = x = y = z = 0.0f;
        return 0.0f;
    }
    const f32 inverse = 1.0f / length;
    w *= inverse;
    x *= inverse;
    y *= inverse;
    z *= inverse;
    return length;
}

void Quaternion::FromAxisAngle(const Vector4& axis, f32 radians)
{
    f32 s, c;
    SinCos(radians * 0.5f, s, c);
    w = c;
    x = axis.x * s;
    y = axis.y * s;
    z = axis.z * s;
}

void Quaternion::FromEuler(f32 angleX, f32 angleY, f32 angleZ, bool radians)
{
    Matrix4 rotation;
    rotation.FromEuler(angleX, angleY, angleZ, radians);
    FromMatrix(rotation);
}

void Quaternion::FromMatrix(const Matrix4& matrix)
{
    const f32* m = matrix.m;
    const f32 trace = m[0] + m[5] + m[10];
    if (trace > 0.0f)
    {
        const f32 s = std::sqrt(trace + 1.0f);
        w = s * 0.5f;
        const f32 f = 0.5f / s;
        x = (m[9] - m[6]) * f;
        y = (m[2] - m[8]) * f;
        z = (m[4] - m[1]) * f;
        return;
    }

    // Build from the largest diagonal element for accuracy; ties keep the lower index.
    int i = 0;
    if (m[5] > m[0])
    {
        i = 1;
    }
    if (m[10] > m[5 * i])
    {
        i = 2;
    }
    const int j = (i + 1) % 3;
    const int k = (j + 1) % 3;
    auto at = [m](int r, int c) { return m[4 * r + c]; };

    f32 q[3];
    const f32 s = std::sqrt(at(i, i) - at(j, j) - at(k, k) + 1.0f);
    q[i] = s * 0.5f;
    const f32 f = 0.5f / s;
    w = (at(k, j) - at(j, k)) * f;
    q[j] = (at(j, i) + at(i, j)) * f;
    q[k] = (at(k, i) + at(i, k)) * f;
    x = q[0];
    y = q[1];
    z = q[2];
}

void Quaternion::ToMatrix4(Matrix4& out) const
{
    const f32 xx = x * x, yy = y * y, zz = z * z;
    const f32 xy = x * y, xz = x * z, yz = y * z;
    const f32 wx = w * x, wy = w * y, wz = w * z;
    out = Matrix4(1.0f - 2.0f * (yy + zz), 2.0f * (xy - wz), 2.0f * (xz + wy), 0.0f, //
                  2.0f * (xy + wz), 1.0f - 2.0f * (xx + zz), 2.0f * (yz - wx), 0.0f, //
                  2.0f * (xz - wy), 2.0f * (yz + wx), 1.0f - 2.0f * (xx + yy), 0.0f, //
                  0.0f, 0.0f, 0.0f, 1.0f);
}

Vector3 Quaternion::ToEuler(bool radians) const
{
    Matrix4 rotation;
    ToMatrix4(rotation);
    return rotation.ToEuler(radians);
}

void Quaternion::Integrate(const Vector4& angularVelocity, f32 dt)
{
    const Quaternion spin(0.0f, angularVelocity.x * dt, angularVelocity.y * dt,
                          angularVelocity.z * dt);
    *this = *this + 0.5f * (spin * *this);
}

void Quaternion::Slerp(f32 t, const Quaternion& q0, const Quaternion& q1)
{
    f32 d = q1.w * q0.w + q1.x * q0.x + q1.y * q0.y + q1.z * q0.z;
    f32 sign = 1.0f;
    if (d < 0.0f)
    {
        d = -d;
        sign = -1.0f;
    }

    f32 a, b;
    if (1.0f - d > EPSILON)
    {
        const f32 theta = std::acos(d);
        const f32 inverseSine = 1.0f / std::sin(theta);
        a = std::sin(theta - t * theta) * inverseSine;
        b = std::sin(t * theta) * inverseSine;
    }
    else
    {
        // Nearly equal orientations: the sines vanish, interpolate linearly.
        a = 1.0f - t;
        b = t;
    }
    *this = a * q0 + (sign * b) * q1;
}

Quaternion Quaternion::RotationBetween(const Vector4& a, const Vector4& b)
{
    const f32 lengthSquaredA = a.LengthSquared();
    const f32 lengthSquaredB = b.LengthSquared();
    if (lengthSquaredA < EPSILON * EPSILON || lengthSquaredB < EPSILON * EPSILON)
    {
        return Quaternion(0.0f, 0.0f, 0.0f, 0.0f);
    }

    const f32 n = std::sqrt(lengthSquaredA * lengthSquaredB);
    const f32 dot = a.Dot(b);
    const f32 cosine = dot / n;
    if (cosine >= SAME_DIRECTION_COSINE)
    {
        return Quaternion();
    }
    if (cosine <= -SAME_DIRECTION_COSINE)
    {
        // Half turn about an axis perpendicular to a. Y serves whenever a is perpendicular to
        // it; otherwise (a along or leaning towards Y) an axis from a's orthonormal basis.
        Vector4 axis(0.0f, 1.0f, 0.0f, 0.0f);
        Vector4 direction(a.x, a.y, a.z, 0.0f);
        direction.Normalize();
        if (!IsNearZero(direction.y))
        {
            Vector4 other;
            MakeOrthonormalBasis(axis, other, direction);
            axis.w = 0.0f;
        }
        f32 s, c;
        SinCos(HALF_PI, s, c);
        return Quaternion(c, axis.x * s, axis.y * s, axis.z * s);
    }

    const Vector4 cross = a.Cross(b);
    Quaternion rotation(n + dot, cross.x, cross.y, cross.z);
    rotation.Normalize();
    return rotation;
}

} // namespace Math
