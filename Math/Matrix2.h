#pragma once
// 2 x 2 float matrix stored row by row (m00, m01, m10, m11). A plain reflected record for
// editor and file data; it has no arithmetic of its own. Default: all zero.
#include "Math/Types.h"

namespace Math
{

struct Matrix2
{
    f32 m00 = 0.0f;
    f32 m01 = 0.0f;
    f32 m10 = 0.0f;
    f32 m11 = 0.0f;
};

} // namespace Math
