#pragma once
// 2 x 2 float matrix stored row by row (m00, m01, m10, m11). A plain reflected record for
// editor and file data; beyond comparison, row and column access and the product with a column
// vector it has no arithmetic of its own. Default: all zero.
#include "Math/Vector2.h"

#include <cassert>
#include <cmath>

namespace Math
{

struct Matrix2
{
    // True when every element differs by at most EPSILON.
    bool operator==(const Matrix2& rhs) const
    {
        return std::fabs(m00 - rhs.m00) <= EPSILON && std::fabs(m01 - rhs.m01) <= EPSILON &&
               std::fabs(m10 - rhs.m10) <= EPSILON && std::fabs(m11 - rhs.m11) <= EPSILON;
    }
    bool operator!=(const Matrix2& rhs) const { return !(*this == rhs); }

    // Row r times the column vector v, for each row.
    constexpr Vector2 operator*(const Vector2& v) const
    {
        return Vector2(m00 * v.x + m01 * v.y, m10 * v.x + m11 * v.y);
    }

    Vector2 GetRow(int index) const
    {
        assert(index >= 0 && index < 2 && "Matrix2 row index out of range");
        return index == 0 ? Vector2(m00, m01) : Vector2(m10, m11);
    }
    Vector2 GetColumn(int index) const
    {
        assert(index >= 0 && index < 2 && "Matrix2 column index out of range");
        return index == 0 ? Vector2(m00, m10) : Vector2(m01, m11);
    }

    f32 m00 = 0.0f;
    f32 m01 = 0.0f;
    f32 m10 = 0.0f;
    f32 m11 = 0.0f;
};

} // namespace Math
