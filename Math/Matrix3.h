#pragma once
// 3 x 3 float matrix stored row by row (m00 ... m22). A plain reflected record for editor and
// file data; it has no arithmetic of its own. Default: all zero.
#include "Math/Types.h"

namespace Math
{

struct Matrix3
{
    f32 m00 = 0.0f;
    f32 m01 = 0.0f;
    f32 m02 = 0.0f;
    f32 m10 = 0.0f;
    f32 m11 = 0.0f;
    f32 m12 = 0.0f;
    f32 m20 = 0.0f;
    f32 m21 = 0.0f;
    f32 m22 = 0.0f;
};

} // namespace Math
