#include "Math/Matrix4.h"

#include <cmath>

namespace Math
{
namespace
{
// The twelve 2 x 2 minors behind the determinant, the adjugate and the inverse: s from rows 0
// and 1, c from rows 2 and 3, each named by the pair of columns it spans.
struct Minors
{
    explicit Minors(const f32* a)
        : s0(a[0] * a[5] - a[1] * a[4]), s1(a[0] * a[6] - a[2] * a[4]),
          s2(a[0] * a[7] - a[3] * a[4]), s3(a[1] * a[6] - a[2] * a[5]),
          s4(a[1] * a[7] - a[3] * a[5]), s5(a[2] * a[7] - a[3] * a[6]),
          c0(a[8] * a[13] - a[9] * a[12]), c1(a[8] * a[14] - a[10] * a[12]),
          c2(a[8] * a[15] - a[11] * a[12]), c3(a[9] * a[14] - a[10] * a[13]),
          c4(a[9] * a[15] - a[11] * a[13]), c5(a[10] * a[15] - a[11] * a[14])
    {
    }

    f32 Determinant() const { return s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0; }

    // Writes the adjugate of a into out (which may not alias a).
    void Adjugate(const f32* a, f32* out) const
    {
        out[0] = a[5] * c5 - a[6] * c4 + a[7] * c3;
        out[1] = -a[1] * c5 + a[2] * c4 - a[3] * c3;
        out[2] = a[13] * s5 - a[14] * s4 + a[15] * s3;
        out[3] = -a[9] * s5 + a[10] * s4 - a[11] * s3;
        out[4] = -a[4] * c5 + a[6] * c2 - a[7] * c1;
        out[5] = a[0] * c5 - a[2] * c2 + a[3] * c1;
        out[6] = -a[12] * s5 + a[14] * s2 - a[15] * s1;
        out[7] = a[8] * s5 - a[10] * s2 + a[11] * s1;
        out[8] = a[4] * c4 - a[5] * c2 + a[7] * c0;
        out[9] = -a[0] * c4 + a[1] * c2 - a[3] * c0;
        out[10] = a[12] * s4 - a[13] * s2 + a[15] * s0;
        out[11] = -a[8] * s4 + a[9] * s2 - a[11] * s0;
        out[12] = -a[4] * c3 + a[5] * c1 - a[6] * c0;
        out[13] = a[0] * c3 - a[1] * c1 + a[2] * c0;
        out[14] = -a[12] * s3 + a[13] * s1 - a[14] * s0;
        out[15] = a[8] * s3 - a[9] * s1 + a[10] * s0;
    }

    f32 s0, s1, s2, s3, s4, s5;
    f32 c0, c1, c2, c3, c4, c5;
};
} // namespace

Matrix4 Matrix4::FromQuaternion(const Quaternion& q)
{
    Matrix4 out;
    q.ToMatrix4(out);
    return out;
}

Matrix4 Matrix4::FromAxisAngle(const Vector4& axis, f32 radians)
{
    f32 s, c;
    SinCos(radians, s, c);
    const f32 t = 1.0f - c;
    const f32 x = axis.x, y = axis.y, z = axis.z;
    return Matrix4(c + t * x * x, t * x * y - s * z, t * x * z + s * y, 0.0f, //
                   t * x * y + s * z, c + t * y * y, t * y * z - s * x, 0.0f, //
                   t * x * z - s * y, t * y * z + s * x, c + t * z * z, 0.0f, //
                   0.0f, 0.0f, 0.0f, 1.0f);
}

void Matrix4::FromEuler(f32 angleX, f32 angleY, f32 angleZ, bool radians)
{
    if (!radians)
    {
        angleX *= DEG_TO_RAD;
        angleY *= DEG_TO_RAD;
        angleZ *= DEG_TO_RAD;
    }
    f32 s1, c1, s2, c2, s3, c3;
    SinCos(angleX, s1, c1);
    SinCos(angleY, s2, c2);
    SinCos(angleZ, s3, c3);
    m[0] = c2 * c3;
    m[1] = s1 * s2 * c3 - c1 * s3;
    m[2] = c1 * s2 * c3 + s1 * s3;
    m[4] = c2 * s3;
    m[5] = s1 * s2 * s3 + c1 * c3;
    m[6] = c1 * s2 * s3 - s1 * c3;
    m[8] = -s2;
    m[9] = s1 * c2;
    m[10] = c1 * c2;
    m[15] = 1.0f;
}

Vector3 Matrix4::ToEuler(bool radians) const
{
    const f32 x = static_cast<f32>(std::atan2(static_cast<f64>(m[9]), static_cast<f64>(m[10])));
    const f32 y = static_cast<f32>(std::atan2(
        static_cast<f64>(-m[8]), std::sqrt(static_cast<f64>(m[0] * m[0] + m[4] * m[4]))));
    f32 s, c;
    SinCos(x, s, c);
    const f32 z = static_cast<f32>(
        std::atan2(static_cast<f64>(m[2] * s - m[1] * c), static_cast<f64>(m[5] * c - m[6] * s)));
    if (radians)
    {
        return Vector3(x, y, z);
    }
    return Vector3(x * RAD_TO_DEG, y * RAD_TO_DEG, z * RAD_TO_DEG);
}

f32 Matrix4::Determinant() const
{
    return Minors(m).Determinant();
}

void Matrix4::Adjugate(Matrix4& out) const
{
    Matrix4 result(true);
    Minors(m).Adjugate(m, result.m);
    out = result;
}

void Matrix4::Inverse(Matrix4& out, f32 epsilon) const
{
    const Minors minors(m);
    const f32 determinant = minors.Determinant();
    if (!(std::fabs(determinant) > epsilon))
    {
        out = Matrix4(true);
        return;
    }
    Matrix4 result(true);
    minors.Adjugate(m, result.m);
    result *= 1.0f / determinant;
    out = result;
}

void Matrix4::Transpose(Matrix4& out) const
{
    Matrix4 result(true);
    for (int r = 0; r < 4; ++r)
    {
        for (int c = 0; c < 4; ++c)
        {
            result.m[4 * r + c] = m[4 * c + r];
        }
    }
    out = result;
}

void Matrix4::ProductTransposed(const Matrix4& b, Matrix4& out) const
{
    (b * *this).Transpose(out);
}

Quaternion Matrix4::GetRotation() const
{
    const f32 rowLength = std::sqrt(m[0] * m[0] + m[1] * m[1] + m[2] * m[2]);
    if (rowLength < EPSILON)
    {
        return Quaternion();
    }
    Matrix4 unscaled = *this;
    const f32 inverse = 1.0f / rowLength;
    for (int r = 0; r < 4; ++r)
    {
        for (int c = 0; c < 3; ++c)
        {
            unscaled.m[4 * r + c] *= inverse;
        }
    }
    Quaternion rotation;
    rotation.FromMatrix(unscaled);
    return rotation;
}

Point4 Matrix4::InverseTransformPoint(const Point4& p) const
{
    const f32 dx = p.x - m[3], dy = p.y - m[7], dz = p.z - m[11];
    return Point4(m[0] * dx + m[4] * dy + m[8] * dz, m[1] * dx + m[5] * dy + m[9] * dz,
                  m[2] * dx + m[6] * dy + m[10] * dz, 1.0f);
}

Vector4 Matrix4::InverseRotateVector(const Vector4& v) const
{
    return Vector4(m[0] * v.x + m[4] * v.y + m[8] * v.z, m[1] * v.x + m[5] * v.y + m[9] * v.z,
                   m[2] * v.x + m[6] * v.y + m[10] * v.z, 0.0f);
}

Matrix4 Matrix4::LookAt(const Point4& eye, const Point4& target, const Vector4& up)
{
    Vector4 zAxis = eye - target;
    zAxis.Normalize();
    Vector4 xAxis = up.Cross(zAxis);
    xAxis.Normalize();
    Vector4 yAxis = zAxis.Cross(xAxis);
    yAxis.Normalize();

    Matrix4 out(true);
    out.m[0] = xAxis.x;
    out.m[4] = xAxis.y;
    out.m[8] = xAxis.z;
    out.m[1] = yAxis.x;
    out.m[5] = yAxis.y;
    out.m[9] = yAxis.z;
    out.m[2] = zAxis.x;
    out.m[6] = zAxis.y;
    out.m[10] = zAxis.z;
    out.m[12] = -(xAxis.x * eye.x + xAxis.y * eye.y + xAxis.z * eye.z);
    out.m[13] = -(yAxis.x * eye.x + yAxis.y * eye.y + yAxis.z * eye.z);
    out.m[14] = -(zAxis.x * eye.x + zAxis.y * eye.y + zAxis.z * eye.z);
    out.m[15] = 1.0f;
    return out;
}

Matrix4 Matrix4::Orthographic(f32 width, f32 height, f32 nearPlane, f32 farPlane)
{
    Matrix4 out(true);
    out.m[0] = 2.0f / width;
    out.m[5] = 2.0f / height;
    out.m[10] = -1.0f / (farPlane - nearPlane);
    // x = 0 and y = 0 land on -1, the left and bottom edges of the viewport.
    out.m[12] = -1.0f;
    out.m[13] = -1.0f;
    out.m[14] = -nearPlane / (farPlane - nearPlane);
    out.m[15] = 1.0f;
    return out;
}

Matrix4 Matrix4::Perspective(f32 fovDegrees, f32 aspect, f32 nearPlane, f32 farPlane)
{
    // Cotangent of half the vertical angle (degrees / 360 * PI is that half in radians).
    const f32 g = 1.0f / std::tan(fovDegrees / 360.0f * PI);
    Matrix4 out(true);
    out.m[0] = g / aspect;
    out.m[5] = g;
    out.m[10] = (nearPlane + farPlane) / (nearPlane - farPlane);
    out.m[11] = -1.0f;
    out.m[14] = 2.0f * farPlane * nearPlane / (nearPlane - farPlane);
    return out;
}

} // namespace Math
