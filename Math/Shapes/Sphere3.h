#pragma once
// A sphere: centre and radius. Its reference point is the centre.
#include "Math/DebugDraw.h"
#include "Math/Shapes/Shape.h"

namespace Math
{

class Sphere3 : public Shape
{
public:
    Sphere3() : radius(0.0f) {}
    Sphere3(const Point4& centre_, f32 radius_) : centre(centre_), radius(radius_) {}

    Point4 GetPosition() const override { return centre; }
    void SetPosition(const Point4& position) override { centre = position; }
    void Draw(const ColorRGBA* colour) const override { DebugDrawSphere3(*this, colour); }

    Point4 centre;
    f32 radius;
};

} // namespace Math
