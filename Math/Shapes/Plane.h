#pragma once
// The plane a x + b y + c z + d = 0; (a, b, c) is its normal, expected of unit length by the
// distance queries (a longer normal scales their results). Its reference point is the origin
// and it cannot be moved.
#include "Math/DebugDraw.h"
#include "Math/Shapes/Shape.h"

namespace Math
{

class Plane : public Shape
{
public:
    constexpr Plane() : a(0.0f), b(0.0f), c(0.0f), d(0.0f) {}
    constexpr Plane(f32 a_, f32 b_, f32 c_, f32 d_) : a(a_), b(b_), c(c_), d(d_) {}
    // The plane through point with the given normal (w = 0; point w = 1): d = -(n . p).
    Plane(const Vector4& normal, const Point4& point)
        : a(normal.x), b(normal.y), c(normal.z), d(-normal.Dot(point))
    {
    }

    Point4 GetPosition() const override { return Point4(); }
    void SetPosition(const Point4&) override {}
    // A grid of PLANE_DRAW_SIZE about the plane's point nearest the origin.
    void Draw(const ColorRGBA* colour) const override
    {
        const Point4 centre;
        DebugDrawPlane(*this, &centre, colour, PLANE_DRAW_SIZE);
    }

    // a p.x + b p.y + c p.z + d (w of p is not used).
    f32 SignedDistance(const Vector4& p) const { return a * p.x + b * p.y + c * p.z + d; }
    Vector4 GetNormal() const { return Vector4(a, b, c, 0.0f); }

    f32 a;
    f32 b;
    f32 c;
    f32 d;
};

} // namespace Math
