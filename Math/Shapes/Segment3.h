#pragma once
// A segment kept in two forms at once: its ends p0 and p1, and its centre with a unit
// direction and an extent (half the length). Change one form, then recompute the other with
// ComputeEndPoints or ComputeCentre. Its reference point is the centre.
#include "Math/DebugDraw.h"
#include "Math/Shapes/Shape.h"

namespace Math
{

class Segment3 : public Shape
{
public:
    Segment3() : extent(0.0f) {}
    // Equal ends give direction 0 and extent 0.
    Segment3(const Point4& p0_, const Point4& p1_) : p0(p0_), p1(p1_), extent(0.0f)
    {
        ComputeCentre();
    }
    Segment3(const Point4& centre_, const Vector4& direction_, f32 extent_)
        : centre(centre_), direction(direction_), extent(extent_)
    {
        ComputeEndPoints();
    }

    Point4 GetPosition() const override { return centre; }
    void SetPosition(const Point4& position) override
    {
        centre = position;
        ComputeEndPoints();
    }
    void Draw(const ColorRGBA* colour) const override { DebugDrawSegment3(*this, colour); }

    // p0 and p1 from centre, direction and extent.
    void ComputeEndPoints()
    {
        p0 = centre - direction * extent;
        p1 = centre + direction * extent;
    }
    // centre, direction and extent from p0 and p1.
    void ComputeCentre()
    {
        centre = (p0 + p1) * 0.5f;
        direction = p1 - p0;
        extent = direction.Normalize() * 0.5f;
    }

    Point4 p0;
    Point4 p1;
    Point4 centre;
    Vector4 direction;
    f32 extent;
};

} // namespace Math
