#pragma once
// 4 x 4 float matrix, the transform type of the engine. The 16 elements are stored row by row:
// m[4 r + c] is row r, column c. It is used in two layouts:
//
// - Model layout: matrices multiply column vectors (M v), the translation sits in elements
//   3, 7 and 11, and a model transform is composed as translation x rotation x scale. Such
//   matrices go to OpenGL with the transpose flag set.
// - OpenGL layout: LookAt, Orthographic and Perspective write OpenGL's column order, so read as
//   a model-layout matrix they are the transpose of the transform (translation in elements 12,
//   13 and 14). They go to OpenGL as they are; read their translation with
//   GetTranslationTransposed.
//
// Euler angles (FromEuler, ToEuler) rotate about X first, then Y, then Z (fixed axes):
// R = Rz(z) Ry(y) Rx(x). A plain value: trivially copyable, no virtual functions.
#include "Math/Point4.h"
#include "Math/Quaternion.h"
#include "Math/Vector3.h"

#include <cassert>

namespace Math
{

class Matrix4
{
public:
    // The identity, or all zeros when noIdentity is set.
    explicit constexpr Matrix4(bool noIdentity = false)
        : m{noIdentity ? 0.0f : 1.0f, 0.0f, 0.0f, 0.0f, 0.0f,
            noIdentity ? 0.0f : 1.0f, 0.0f, 0.0f, 0.0f, 0.0f,
            noIdentity ? 0.0f : 1.0f, 0.0f, 0.0f, 0.0f, 0.0f,
            noIdentity ? 0.0f : 1.0f}
    {
    }
    // Elements given row by row.
    constexpr Matrix4(f32 m00, f32 m01, f32 m02, f32 m03, f32 m10, f32 m11, f32 m12, f32 m13,
                      f32 m20, f32 m21, f32 m22, f32 m23, f32 m30, f32 m31, f32 m32, f32 m33)
        : m{m00, m01, m02, m03, m10, m11, m12, m13, m20, m21, m22, m23, m30, m31, m32, m33}
    {
    }

    Matrix4 operator*(const Matrix4& b) const
    {
        Matrix4 out(true);
        for (int r = 0; r < 4; ++r)
        {
            const f32* row = m + 4 * r;
            for (int c = 0; c < 4; ++c)
            {
                out.m[4 * r + c] = row[0] * b.m[c] + row[1] * b.m[4 + c] + row[2] * b.m[8 + c] +
                                   row[3] * b.m[12 + c];
            }
        }
        return out;
    }
    // Row i of this matrix dotted with all four components of v.
    Vector4 operator*(const Vector4& v) const
    {
        return Vector4(m[0] * v.x + m[1] * v.y + m[2] * v.z + m[3] * v.w,
                       m[4] * v.x + m[5] * v.y + m[6] * v.z + m[7] * v.w,
                       m[8] * v.x + m[9] * v.y + m[10] * v.z + m[11] * v.w,
                       m[12] * v.x + m[13] * v.y + m[14] * v.z + m[15] * v.w);
    }
    Matrix4& operator*=(f32 s)
    {
        for (f32& element : m)
        {
            element *= s;
        }
        return *this;
    }
    Matrix4& operator+=(const Matrix4& b)
    {
        for (int i = 0; i < 16; ++i)
        {
            m[i] += b.m[i];
        }
        return *this;
    }
    // True when every element differs by at most EPSILON.
    bool operator==(const Matrix4& b) const
    {
        for (int i = 0; i < 16; ++i)
        {
            if (std::fabs(m[i] - b.m[i]) > EPSILON)
            {
                return false;
            }
        }
        return true;
    }
    bool operator!=(const Matrix4& b) const { return !(*this == b); }

    static constexpr Matrix4 Identity() { return Matrix4(false); }
    // Identity with p.x, p.y, p.z in elements 3, 7 and 11.
    static constexpr Matrix4 Translation(const Vector4& p)
    {
        return Matrix4(1.0f, 0.0f, 0.0f, p.x, 0.0f, 1.0f, 0.0f, p.y, 0.0f, 0.0f, 1.0f, p.z, 0.0f,
                       0.0f, 0.0f, 1.0f);
    }
    // Diagonal (s.x, s.y, s.z, 1).
    static constexpr Matrix4 Scale(const Vector3& s)
    {
        return Matrix4(s.x, 0.0f, 0.0f, 0.0f, 0.0f, s.y, 0.0f, 0.0f, 0.0f, 0.0f, s.z, 0.0f, 0.0f,
                       0.0f, 0.0f, 1.0f);
    }
    // The cross-product matrix [v]x, so that SkewSymmetric(v) * u = v x u; element 15 is 0.
    static constexpr Matrix4 SkewSymmetric(const Vector4& v)
    {
        return Matrix4(0.0f, -v.z, v.y, 0.0f, v.z, 0.0f, -v.x, 0.0f, -v.y, v.x, 0.0f, 0.0f, 0.0f,
                       0.0f, 0.0f, 0.0f);
    }
    static Matrix4 FromQuaternion(const Quaternion& q);
    // Rotation about a unit axis by an angle in radians: c I + (1 - c) a aT + s [a]x.
    static Matrix4 FromAxisAngle(const Vector4& axis, f32 radians);

    // Writes the rotation into the upper 3 x 3 and element 15 = 1; the translation elements
    // (3, 7, 11, 12, 13, 14) are left as they are. Degrees unless radians is set.
    void FromEuler(f32 angleX, f32 angleY, f32 angleZ, bool radians = false);
    // The Euler angles (x, y, z) of the upper 3 x 3 (degrees unless radians is set).
    Vector3 ToEuler(bool radians = false) const;

    // Model matrix translation x rotation x scale.
    void Compose(const Point4& position, const Quaternion& rotation, const Vector3& scale)
    {
        rotation.ToMatrix4(*this);
        for (int r = 0; r < 3; ++r)
        {
            m[4 * r + 0] *= scale.x;
            m[4 * r + 1] *= scale.y;
            m[4 * r + 2] *= scale.z;
        }
        m[3] = position.x;
        m[7] = position.y;
        m[11] = position.z;
    }

    f32 Determinant() const;
    // The transposed cofactor matrix: the inverse times the determinant, without a division.
    void Adjugate(Matrix4& out) const;
    // out = the inverse; the all-zero matrix when |determinant| <= epsilon.
    void Inverse(Matrix4& out, f32 epsilon) const;
    void Transpose(Matrix4& out) const;
    // out = (b x this) transposed, that is thisT x bT.
    void ProductTransposed(const Matrix4& b, Matrix4& out) const;

    // Elements 4 index to 4 index + 3.
    Vector4 GetRow(int index) const
    {
        assert(index >= 0 && index < 4 && "Matrix4 row index out of range");
        const f32* row = m + 4 * index;
        return Vector4(row[0], row[1], row[2], row[3]);
    }
    void SetRow(int index, const Vector4& v)
    {
        assert(index >= 0 && index < 4 && "Matrix4 row index out of range");
        f32* row = m + 4 * index;
        row[0] = v.x;
        row[1] = v.y;
        row[2] = v.z;
        row[3] = v.w;
    }
    // Elements index, index + 4, index + 8, index + 12.
    Vector4 GetColumn(int index) const
    {
        assert(index >= 0 && index < 4 && "Matrix4 column index out of range");
        return Vector4(m[index], m[index + 4], m[index + 8], m[index + 12]);
    }
    void SetColumn(int index, const Vector4& v)
    {
        assert(index >= 0 && index < 4 && "Matrix4 column index out of range");
        m[index] = v.x;
        m[index + 4] = v.y;
        m[index + 8] = v.z;
        m[index + 12] = v.w;
    }

    // Translation of a model-layout matrix (elements 3, 7, 11), w = 1.
    Point4 GetTranslation() const { return Point4(m[3], m[7], m[11], 1.0f); }
    // Translation of an OpenGL-layout matrix (elements 12, 13, 14), w = 1.
    Point4 GetTranslationTransposed() const { return Point4(m[12], m[13], m[14], 1.0f); }
    // The rotation of a matrix whose upper 3 x 3 is a rotation times a uniform scale; a matrix
    // whose first row has no length gives the identity.
    Quaternion GetRotation() const;

    // The inverse of a rigid model transform applied to a point: (upper 3 x 3)T (p - t), w = 1.
    Point4 InverseTransformPoint(const Point4& p) const;
    // (upper 3 x 3)T v on x, y, z, w = 0.
    Vector4 InverseRotateVector(const Vector4& v) const;

    // Right-handed view matrix looking from eye at target along -z (OpenGL layout).
    static Matrix4 LookAt(const Point4& eye, const Point4& target, const Vector4& up);
    // Maps x in [0, width] and y in [0, height] to [-1, 1] and depth -near..-far to 0..1
    // (OpenGL layout).
    static Matrix4 Orthographic(f32 width, f32 height, f32 nearPlane, f32 farPlane);
    // Vertical field of view in degrees (OpenGL layout).
    static Matrix4 Perspective(f32 fovDegrees, f32 aspect, f32 nearPlane, f32 farPlane);

    f32 m[16];
};

} // namespace Math
