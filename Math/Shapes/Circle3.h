#pragma once
// A circle in space: centre, unit normal, two unit in-plane axes (axis0, axis1, perpendicular
// to the normal and to each other) and radius.
#include "Math/DebugDraw.h"
#include "Math/Shapes/Shape.h"

namespace Math
{

class Circle3 : public Shape
{
public:
    Circle3() : radius(0.0f) {}
    // Derives the in-plane axes from the normal.
    Circle3(const Point4& centre_, const Vector4& normal_, f32 radius_)
        : centre(centre_), normal(normal_), radius(radius_)
    {
        MakeOrthonormalBasis(axis0, axis1, normal);
    }

    Point4 GetPosition() const override { return centre; }
    void SetPosition(const Point4& position) override { centre = position; }
    void Draw(const ColorRGBA* colour) const override { DebugDrawCircle3(*this, colour); }

    Point4 centre;
    Vector4 normal;
    Vector4 axis0;
    Vector4 axis1;
    f32 radius;
};

} // namespace Math
