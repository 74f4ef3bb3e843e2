#pragma once
// An axis-aligned box between two corner points. Its reference point is the middle.
#include "Math/DebugDraw.h"
#include "Math/Shapes/Shape.h"

namespace Math
{

class AABB3 : public Shape
{
public:
    AABB3() = default;
    // The box about centre with half sizes along X, Y and Z.
    AABB3(const Point4& centre, f32 halfX, f32 halfY, f32 halfZ)
        : min(centre.x - halfX, centre.y - halfY, centre.z - halfZ, 1.0f),
          max(centre.x + halfX, centre.y + halfY, centre.z + halfZ, 1.0f)
    {
    }

    Point4 GetPosition() const override { return (min + max) * 0.5f; }
    // Keeps the size and centres the box on x, y, z of the given point.
    void SetPosition(const Point4& position) override
    {
        const Vector4 half = (max - min) * 0.5f;
        min.x = position.x - half.x;
        min.y = position.y - half.y;
        min.z = position.z - half.z;
        max.x = position.x + half.x;
        max.y = position.y + half.y;
        max.z = position.z + half.z;
    }
    void Draw(const ColorRGBA* colour) const override { DebugDrawAABB3(*this, colour); }

    Point4 min;
    Point4 max;
};

} // namespace Math
