#pragma once
// A half line from origin along direction. Queries treat a direction shorter than EPSILON as
// no ray at all.
#include "Math/DebugDraw.h"
#include "Math/Shapes/Shape.h"

namespace Math
{

class Ray3 : public Shape
{
public:
    Ray3() = default;
    constexpr Ray3(const Point4& origin_, const Vector4& direction_)
        : origin(origin_), direction(direction_)
    {
    }

    Point4 GetPosition() const override { return origin; }
    void SetPosition(const Point4& position) override { origin = position; }
    void Draw(const ColorRGBA* colour) const override { DebugDrawRay3(*this, colour); }

    Point4 origin;
    Vector4 direction;
};

} // namespace Math
