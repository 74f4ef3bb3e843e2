#pragma once
// A rectangle in space: centre, two unit axes and the half sizes along them.
#include "Math/DebugDraw.h"
#include "Math/Shapes/Shape.h"

namespace Math
{

class Rectangle3 : public Shape
{
public:
    Rectangle3() : extent0(0.0f), extent1(0.0f) {}
    Rectangle3(const Point4& centre_, const Vector4& axis0_, const Vector4& axis1_, f32 extent0_,
               f32 extent1_)
        : centre(centre_), axis0(axis0_), axis1(axis1_), extent0(extent0_), extent1(extent1_)
    {
    }

    Point4 GetPosition() const override { return centre; }
    void SetPosition(const Point4& position) override { centre = position; }
    void Draw(const ColorRGBA* colour) const override { DebugDrawRectangle3(*this, colour); }

    // Corners named by the side of axis0, then of axis1 (Min: minus, Max: plus).
    Point4 GetCornerMinMin() const { return centre - axis0 * extent0 - axis1 * extent1; }
    Point4 GetCornerMaxMin() const { return centre + axis0 * extent0 - axis1 * extent1; }
    Point4 GetCornerMinMax() const { return centre - axis0 * extent0 + axis1 * extent1; }
    Point4 GetCornerMaxMax() const { return centre + axis0 * extent0 + axis1 * extent1; }

    Point4 centre;
    Vector4 axis0;
    Vector4 axis1;
    f32 extent0;
    f32 extent1;
};

} // namespace Math
