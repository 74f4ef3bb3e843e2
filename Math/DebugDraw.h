#pragma once
// The table of immediate debug drawers through which shapes, points and queries draw
// themselves. The math library cannot depend on rendering, so the renderer installs its
// drawers here at start-up (tests install a recorder); until then every drawer does nothing.
//
// Each drawer takes the shape and a colour that may be null: a non-null colour becomes the
// current drawing colour first, a null one keeps the current colour. The table belongs to the
// main thread: install it before drawing starts and do not change it while shapes draw.

#include "Math/Types.h"

namespace Math
{

class ColorRGBA;
class Point4;
class Plane;
class Ray3;
class Line3;
class Segment3;
class Sphere3;
class Circle3;
class Rectangle3;
class Cone3;
class Capsule3;
class OOB3;
class AABB3;

struct DebugDrawTable
{
    void (*point4)(const Point4& point, const ColorRGBA* colour) = nullptr;
    // Draws a square grid of the given size in the plane about its point nearest centre (the
    // origin when centre is null).
    void (*plane)(const Plane& plane, const Point4* centre, const ColorRGBA* colour,
                  f32 size) = nullptr;
    void (*ray3)(const Ray3& ray, const ColorRGBA* colour) = nullptr;
    void (*line3)(const Line3& line, const ColorRGBA* colour) = nullptr;
    void (*segment3)(const Segment3& segment, const ColorRGBA* colour) = nullptr;
    void (*sphere3)(const Sphere3& sphere, const ColorRGBA* colour) = nullptr;
    void (*circle3)(const Circle3& circle, const ColorRGBA* colour) = nullptr;
    void (*rectangle3)(const Rectangle3& rectangle, const ColorRGBA* colour) = nullptr;
    void (*cone3)(const Cone3& cone, const ColorRGBA* colour) = nullptr;
    void (*capsule3)(const Capsule3& capsule, const ColorRGBA* colour) = nullptr;
    void (*oob3)(const OOB3& box, const ColorRGBA* colour) = nullptr;
    void (*aabb3)(const AABB3& box, const ColorRGBA* colour) = nullptr;
};

// Installs the drawers; entries left null draw nothing.
void SetDebugDrawTable(const DebugDrawTable& table);
// Back to the table that draws nothing.
void ResetDebugDrawTable();
const DebugDrawTable& GetDebugDrawTable();

// Grid size with which a plane draws itself.
constexpr f32 PLANE_DRAW_SIZE = 1000.0f;

// Dispatch through the installed table.
void DebugDrawPoint4(const Point4& point, const ColorRGBA* colour);
void DebugDrawPlane(const Plane& plane, const Point4* centre, const ColorRGBA* colour, f32 size);
void DebugDrawRay3(const Ray3& ray, const ColorRGBA* colour);
void DebugDrawLine3(const Line3& line, const ColorRGBA* colour);
void DebugDrawSegment3(const Segment3& segment, const ColorRGBA* colour);
void DebugDrawSphere3(const Sphere3& sphere, const ColorRGBA* colour);
void DebugDrawCircle3(const Circle3& circle, const ColorRGBA* colour);
void DebugDrawRectangle3(const Rectangle3& rectangle, const ColorRGBA* colour);
void DebugDrawCone3(const Cone3& cone, const ColorRGBA* colour);
void DebugDrawCapsule3(const Capsule3& capsule, const ColorRGBA* colour);
void DebugDrawOOB3(const OOB3& box, const ColorRGBA* colour);
void DebugDrawAABB3(const AABB3& box, const ColorRGBA* colour);

} // namespace Math
