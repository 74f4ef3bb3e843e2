#include "Math/SelfTests.h"
#include "Math/SelfTests_Checks.h"

#include "Math/MathConstants.h"
#include "Math/Matrix4.h"

namespace Math
{
namespace
{
using namespace SelfTestChecks;

// Largest distance, in representable floats, between two elements that compare equal: the bit
// pattern of EPSILON (1e-5) read as an integer. Against an expected 0 this is exactly
// |x| < EPSILON; between non-zero values of one sign it forgives the rounding of products of
// inputs up to COMPONENT_RANGE, while a wrong sign still fails.
constexpr s32 ELEMENT_ULPS = 925353388;

// The fixed matrix of the cofactor checks, its adjugate and its determinant.
constexpr Matrix4 FIXED(3, 5, 8, 1, 7, 9, -4, -3, -6, 2, -1, 0, 7, 3, 4, 1);
constexpr Matrix4 FIXED_ADJUGATE(-34, 10, -56, 64, -20, 28, 144, 104, 164, -4, -128, -176, -358,
                                 -138, 472, 696);
constexpr f32 FIXED_DETERMINANT = 752.0f;

bool ElementsEqual(const Matrix4& a, const Matrix4& b)
{
    for (int i = 0; i < 16; ++i)
    {
        if (!AlmostEqualUlps(a.m[i], b.m[i], ELEMENT_ULPS))
        {
            return false;
        }
    }
    return true;
}

Matrix4 RandomMatrix()
{
    Matrix4 matrix(true);
    for (f32& element : matrix.m)
    {
        element = RandomComponent();
    }
    return matrix;
}

Vector4 RandomVector()
{
    return Vector4(RandomComponent(), RandomComponent(), RandomComponent(), RandomComponent());
}

bool SameComponents(const Vector4& a, const Vector4& b)
{
    return Near(a.x, b.x) && Near(a.y, b.y) && Near(a.z, b.z) && Near(a.w, b.w);
}

// Rotation about one world axis (0 = X, 1 = Y, 2 = Z) built from SinCos directly.
Matrix4 AxisRotation(int axis, f32 radians)
{
    f32 s, c;
    SinCos(radians, s, c);
    switch (axis)
    {
    case 0:
        return Matrix4(1, 0, 0, 0, 0, c, -s, 0, 0, s, c, 0, 0, 0, 0, 1);
    case 1:
        return Matrix4(c, 0, s, 0, 0, 1, 0, 0, -s, 0, c, 0, 0, 0, 0, 1);
    default:
        return Matrix4(c, -s, 0, 0, s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    }
}

bool CheckZero()
{
    return ElementsEqual(Matrix4(true), Matrix4(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
}

bool CheckIdentity()
{
    const Matrix4 expected(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    return ElementsEqual(Matrix4(false), expected) && ElementsEqual(Matrix4(), expected) &&
           ElementsEqual(Matrix4::Identity(), expected);
}

bool CheckRowOrder()
{
    const Matrix4 matrix(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    for (int i = 0; i < 16; ++i)
    {
        if (!AlmostEqualUlps(matrix.m[i], static_cast<f32>(i), ELEMENT_ULPS))
        {
            return false;
        }
    }
    return true;
}

// Multiplied by a random matrix on either side or scaled, the zero matrix stays zero.
bool CheckZeroStaysZero()
{
    const Matrix4 zero(true);
    const Matrix4 random = RandomMatrix();
    Matrix4 scaled = zero;
    scaled *= RandomComponent();
    return ElementsEqual(zero * random, zero) && ElementsEqual(random * zero, zero) &&
           ElementsEqual(scaled, zero);
}

// Multiplied by itself, transposed or inverted the identity stays the identity, and it leaves a
// random matrix as it is on either side.
bool CheckIdentityStaysIdentity()
{
    const Matrix4 identity;
    const Matrix4 random = RandomMatrix();
    Matrix4 transposed, inverse;
    identity.Transpose(transposed);
    identity.Inverse(inverse, EPSILON);
    return ElementsEqual(identity * identity, identity) && ElementsEqual(transposed, identity) &&
           ElementsEqual(inverse, identity) && ElementsEqual(identity * random, random) &&
           ElementsEqual(random * identity, random);
}

bool CheckSetRows()
{
    for (int row = 0; row < 4; ++row)
    {
        const Vector4 v = RandomVector();
        Matrix4 matrix(true);
        matrix.SetRow(row, v);
        Matrix4 expected(true);
        expected.m[4 * row] = v.x;
        expected.m[4 * row + 1] = v.y;
        expected.m[4 * row + 2] = v.z;
        expected.m[4 * row + 3] = v.w;
        if (!ElementsEqual(matrix, expected))
        {
            return false;
        }
    }
    return true;
}

bool CheckSetColumns()
{
    for (int column = 0; column < 4; ++column)
    {
        const Vector4 v = RandomVector();
        Matrix4 matrix(true);
        matrix.SetColumn(column, v);
        Matrix4 expected(true);
        expected.m[column] = v.x;
        expected.m[column + 4] = v.y;
        expected.m[column + 8] = v.z;
        expected.m[column + 12] = v.w;
        if (!ElementsEqual(matrix, expected))
        {
            return false;
        }
    }
    return true;
}

bool CheckGetRows()
{
    const Matrix4 matrix = RandomMatrix();
    for (int row = 0; row < 4; ++row)
    {
        const Point4 read = matrix.GetRow(row);
        const f32* elements = matrix.m + 4 * row;
        if (!SameComponents(read, Vector4(elements[0], elements[1], elements[2], elements[3])))
        {
            return false;
        }
    }
    return true;
}

bool CheckGetColumns()
{
    const Matrix4 matrix = RandomMatrix();
    for (int column = 0; column < 4; ++column)
    {
        const Point4 read = matrix.GetColumn(column);
        const f32* m = matrix.m;
        if (!SameComponents(read, Vector4(m[column], m[column + 4], m[column + 8], m[column + 12])))
        {
            return false;
        }
    }
    return true;
}

bool CheckInverse()
{
    Matrix4 inverse;
    FIXED.Inverse(inverse, EPSILON);
    Matrix4 expected = FIXED_ADJUGATE;
    expected *= 1.0f / FIXED_DETERMINANT;
    return ElementsEqual(inverse, expected);
}

bool CheckAdjugate()
{
    Matrix4 adjugate;
    FIXED.Adjugate(adjugate);
    return ElementsEqual(adjugate, FIXED_ADJUGATE);
}

bool CheckDeterminant()
{
    return AlmostEqualUlps(Operations().matrix4Determinant(FIXED), FIXED_DETERMINANT, ELEMENT_ULPS);
}

bool CheckProduct()
{
    const Matrix4 a = RandomMatrix();
    const Matrix4 b = RandomMatrix();
    Matrix4 expected(true);
    for (int r = 0; r < 4; ++r)
    {
        for (int c = 0; c < 4; ++c)
        {
            expected.m[4 * r + c] = a.m[4 * r] * b.m[c] + a.m[4 * r + 1] * b.m[4 + c] +
                                    a.m[4 * r + 2] * b.m[8 + c] + a.m[4 * r + 3] * b.m[12 + c];
        }
    }
    return a * b == expected;
}

bool CheckSum()
{
    const Matrix4 a = RandomMatrix();
    const Matrix4 b = RandomMatrix();
    Matrix4 sum = a;
    sum += b;
    Matrix4 expected(true);
    for (int i = 0; i < 16; ++i)
    {
        expected.m[i] = a.m[i] + b.m[i];
    }
    return sum == expected;
}

bool CheckScalarProduct()
{
    const Matrix4 a = RandomMatrix();
    const f32 s = RandomComponent();
    Matrix4 scaled = a;
    scaled *= s;
    Matrix4 expected(true);
    for (int i = 0; i < 16; ++i)
    {
        expected.m[i] = a.m[i] * s;
    }
    return scaled == expected;
}

bool CheckPointProduct()
{
    const Matrix4 matrix = RandomMatrix();
    const Point4 p(RandomComponent(), RandomComponent(), RandomComponent(), 1.0f);
    const Vector4 product = matrix * p;
    const f32 components[4] = {product.x, product.y, product.z, product.w};
    for (int row = 0; row < 4; ++row)
    {
        if (!AlmostEqualUlps(components[row], matrix.GetRow(row).Dot(p), ELEMENT_ULPS))
        {
            return false;
        }
    }
    return true;
}

bool CheckTranspose()
{
    const Matrix4 a = RandomMatrix();
    Matrix4 transposed;
    a.Transpose(transposed);
    for (int r = 0; r < 4; ++r)
    {
        for (int c = 0; c < 4; ++c)
        {
            if (!AlmostEqualUlps(transposed.m[4 * r + c], a.m[4 * c + r], ELEMENT_ULPS))
            {
                return false;
            }
        }
    }
    return true;
}

// (b a) transposed.
bool CheckProductTransposed()
{
    const Matrix4 a = RandomMatrix();
    const Matrix4 b = RandomMatrix();
    Matrix4 product, expected;
    a.ProductTransposed(b, product);
    (b * a).Transpose(expected);
    return ElementsEqual(product, expected);
}

bool CheckTranslation()
{
    const Point4 p(RandomComponent(), RandomComponent(), RandomComponent(), 1.0f);
    return ElementsEqual(Matrix4::Translation(p),
                         Matrix4(1, 0, 0, p.x, 0, 1, 0, p.y, 0, 0, 1, p.z, 0, 0, 0, 1));
}

bool CheckScale()
{
    const Vector3 s(RandomComponent(), RandomComponent(), RandomComponent());
    return ElementsEqual(Matrix4::Scale(s),
                         Matrix4(s.x, 0, 0, 0, 0, s.y, 0, 0, 0, 0, s.z, 0, 0, 0, 0, 1));
}

bool CheckSkewSymmetric()
{
    const Vector4 v = RandomVector();
    return ElementsEqual(Matrix4::SkewSymmetric(v),
                         Matrix4(0, -v.z, v.y, 0, v.z, 0, -v.x, 0, -v.y, v.x, 0, 0, 0, 0, 0, 0));
}

bool CheckSelfEquality()
{
    const Matrix4 a = RandomMatrix();
    const Matrix4 copy = a;
    return a == a && a == copy && !(a != copy);
}

bool CheckChangedElementInequality()
{
    const Matrix4 a = RandomMatrix();
    Matrix4 changed = a;
    changed.m[RandomInt(0, 15)] -= COMPONENT_RANGE;
    return a != changed && !(a == changed);
}

bool CheckZeroConstant()
{
    return ElementsEqual(MATRIX4_ZERO, Matrix4(true));
}

bool CheckIdentityConstant()
{
    return ElementsEqual(MATRIX4_IDENTITY, Matrix4(false));
}

// FromEuler rotates about X (pitch), then Y (yaw), then Z (roll), about fixed axes.
bool CheckEulerRotation()
{
    const f32 pitch = RandomPitch();
    const f32 yaw = RandomTurn();
    const f32 roll = RandomTurn();
    Matrix4 euler;
    euler.FromEuler(pitch, yaw, roll);
    const Matrix4 expected = AxisRotation(2, roll * DEG_TO_RAD) *
                             AxisRotation(1, yaw * DEG_TO_RAD) *
                             AxisRotation(0, pitch * DEG_TO_RAD);
    return ElementsEqual(euler, expected);
}

// A quaternion and its negation are the same rotation.
bool CheckRotationReadBack()
{
    for (f32 degrees : {45.0f, 90.0f})
    {
        Quaternion q;
        q.FromEuler(degrees, degrees, degrees);
        Matrix4 rotation;
        q.ToMatrix4(rotation);
        const Quaternion back = rotation.GetRotation();
        if (!(back == q) && !(back == -1.0f * q))
        {
            return false;
        }
    }
    return true;
}
} // namespace

bool TestMatrix4()
{
    return RunChecks({CheckZero,
                      CheckIdentity,
                      CheckRowOrder,
                      CheckZeroStaysZero,
                      CheckIdentityStaysIdentity,
                      CheckSetRows,
                      CheckSetColumns,
                      CheckGetRows,
                      CheckGetColumns,
                      CheckInverse,
                      CheckAdjugate,
                      CheckDeterminant,
                      CheckProduct,
                      CheckSum,
                      CheckScalarProduct,
                      CheckPointProduct,
                      CheckTranspose,
                      CheckProductTransposed,
                      CheckTranslation,
                      CheckScale,
                      CheckSkewSymmetric,
                      CheckSelfEquality,
                      CheckChangedElementInequality,
                      CheckZeroConstant,
                      CheckIdentityConstant,
                      CheckEulerRotation,
                      CheckRotationReadBack});
}

} // namespace Math
