#pragma once
// A cone standing on its base circle; the apex lies height along the base normal. Its
// reference point is the base centre.
#include "Math/Shapes/Circle3.h"

namespace Math
{

class Cone3 : public Shape
{
public:
    Cone3(const Circle3& base_, f32 height_) : base(base_), height(height_) {}

    Point4 GetPosition() const override { return base.GetPosition(); }
    void SetPosition(const Point4& position) override { base.SetPosition(position); }
    void Draw(const ColorRGBA* colour) const override { DebugDrawCone3(*this, colour); }

    Circle3 base;
    f32 height;
};

} // namespace Math
