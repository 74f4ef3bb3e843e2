#pragma once
// An oriented box: centre, three unit axes and the half sizes along them.
#include "Math/DebugDraw.h"
#include "Math/Shapes/Shape.h"

namespace Math
{

class OOB3 : public Shape
{
public:
    static constexpr int CORNER_COUNT = 8;

    OOB3(const Point4& centre_, const Vector4& axis0_, const Vector4& axis1_, const Vector4& axis2_,
         f32 extent0_, f32 extent1_, f32 extent2_)
        : centre(centre_), axis0(axis0_), axis1(axis1_), axis2(axis2_), extent0(extent0_),
          extent1(extent1_), extent2(extent2_)
    {
    }

    Point4 GetPosition() const override { return centre; }
    void SetPosition(const Point4& position) override { centre = position; }
    void Draw(const ColorRGBA* colour) const override { DebugDrawOOB3(*this, colour); }

    // With A, B, C the axes times their half sizes: corners 0 to 3 run around the face on the
    // -B side, (-A -C), (+A -C), (+A +C), (-A +C); corners 4 to 7 around the +B face likewise.
    void GetCorners(Point4 (&corners)[CORNER_COUNT]) const;

    Point4 centre;
    Vector4 axis0;
    Vector4 axis1;
    Vector4 axis2;
    f32 extent0;
    f32 extent1;
    f32 extent2;
};

} // namespace Math
