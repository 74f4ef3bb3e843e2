#pragma once
// The points within radius of an axis segment. Its reference point is the segment's centre.
#include "Math/Shapes/Segment3.h"

namespace Math
{

class Capsule3 : public Shape
{
public:
    Capsule3() : radius(0.0f) {}
    Capsule3(const Segment3& axis_, f32 radius_) : axis(axis_), radius(radius_) {}

    Point4 GetPosition() const override { return axis.GetPosition(); }
    void SetPosition(const Point4& position) override { axis.SetPosition(position); }
    void Draw(const ColorRGBA* colour) const override { DebugDrawCapsule3(*this, colour); }

    Segment3 axis;
    f32 radius;
};

} // namespace Math
