#pragma once
// An infinite line through point along direction.
#include "Math/DebugDraw.h"
#include "Math/Shapes/Shape.h"

namespace Math
{

class Line3 : public Shape
{
public:
    Line3(const Point4& point_, const Vector4& direction_) : point(point_), direction(direction_) {}

    Point4 GetPosition() const override { return point; }
    void SetPosition(const Point4& position) override { point = position; }
    void Draw(const ColorRGBA* colour) const override { DebugDrawLine3(*this, colour); }

    Point4 point;
    Vector4 direction;
};

} // namespace Math
