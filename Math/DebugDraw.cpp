#include "Math/DebugDraw.h"

namespace Math
{
namespace
{
DebugDrawTable s_table;

// Calls one drawer when it is installed.
template <typename Drawer, typename... Args> void Dispatch(Drawer drawer, Args&&... args)
{
    if (drawer)
    {
        drawer(args...);
    }
}
} // namespace

void SetDebugDrawTable(const DebugDrawTable& table)
{
    s_table = table;
}

void ResetDebugDrawTable()
{
    s_table = DebugDrawTable();
}

const DebugDrawTable& GetDebugDrawTable()
{
    return s_table;
}

void DebugDrawPoint4(const Point4& point, const ColorRGBA* colour)
{
    Dispatch(s_table.point4, point, colour);
}

void DebugDrawPlane(const Plane& plane, const Point4* centre, const ColorRGBA* colour, f32 size)
{
    Dispatch(s_table.plane, plane, centre, colour, size);
}

void DebugDrawRay3(const Ray3& ray, const ColorRGBA* colour)
{
    Dispatch(s_table.ray3, ray, colour);
}

void DebugDrawLine3(const Line3& line, const ColorRGBA* colour)
{
    Dispatch(s_table.line3, line, colour);
}

void DebugDrawSegment3(const Segment3& segment, const ColorRGBA* colour)
{
    Dispatch(s_table.segment3, segment, colour);
}

void DebugDrawSphere3(const Sphere3& sphere, const ColorRGBA* colour)
{
    Dispatch(s_table.sphere3, sphere, colour);
}

void DebugDrawCircle3(const Circle3& circle, const ColorRGBA* colour)
{
    Dispatch(s_table.circle3, circle, colour);
}

void DebugDrawRectangle3(const Rectangle3& rectangle, const ColorRGBA* colour)
{
    Dispatch(s_table.rectangle3, rectangle, colour);
}

void DebugDrawCone3(const Cone3& cone, const ColorRGBA* colour)
{
    Dispatch(s_table.cone3, cone, colour);
}

void DebugDrawCapsule3(const Capsule3& capsule, const ColorRGBA* colour)
{
    Dispatch(s_table.capsule3, capsule, colour);
}

void DebugDrawOOB3(const OOB3& box, const ColorRGBA* colour)
{
    Dispatch(s_table.oob3, box, colour);
}

void DebugDrawAABB3(const AABB3& box, const ColorRGBA* colour)
{
    Dispatch(s_table.aabb3, box, colour);
}

} // namespace Math
