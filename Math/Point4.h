#pragma once
// A position: a Vector4 whose w is 1. It shares the vector's layout and four-component
// operations (a point plus a vector is a point; the difference of two points is a vector with
// w = 0). Built from a vector it copies all four components as they are.
#include "Math/Vector4.h"

namespace Math
{

class Point4 : public Vector4
{
public:
    constexpr Point4() : Vector4(0.0f, 0.0f, 0.0f, 1.0f) {}
    constexpr Point4(f32 x_, f32 y_, f32 z_, f32 w_) : Vector4(x_, y_, z_, w_) {}
    constexpr Point4(const Vector4& v) : Vector4(v) {}

    // Hands the point to the debug point drawer; a null colour keeps the current one.
    void Draw(const ColorRGBA* colour) const;
};

} // namespace Math
