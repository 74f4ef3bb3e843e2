#include "Graphics/Rendering/DebugShapeDrawer.h"
#include "Graphics/Rendering/DebugVertexSink.h"
#include "Math/ColorRGBA.h"
#include "Math/DebugDraw.h"
#include "Math/MathUtils.h"
#include "Math/Quaternion.h"
#include "Math/Shapes/AABB3.h"
#include "Math/Shapes/Capsule3.h"
#include "Math/Shapes/Cone3.h"
#include "Math/Shapes/Line3.h"
#include "Math/Shapes/OOB3.h"
#include "Math/Shapes/Plane.h"
#include "Math/Shapes/Ray3.h"
#include "Math/Shapes/Rectangle3.h"
#include "Math/Shapes/Segment3.h"
#include "Math/Shapes/Sphere3.h"
#include <cmath>
#include <initializer_list>

namespace Graphics
{
namespace
{
DebugVertexSink* s_sink = nullptr;

// Segments of a circle per unit of radius, over pi.
constexpr f32 CircleDensity = 7.5f;
// Below this squared length a normal counts as zero.
constexpr f32 ZeroNormal = 1e-12f;
constexpr f32 UnitTick = 0.5f; // half length of a unit tick
constexpr f32 HalfTick = 0.25f;
constexpr f32 HalfStep = 0.5f;
constexpr int BoxEdges = 12;
// Corner pairs of the 12 edges of a box whose corners run bottom face (0-3) then top face (4-7).
constexpr int BoxEdgeCorners[BoxEdges][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6},
                                             {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};

void UseColour(const Math::ColorRGBA* colour)
{
    if (colour != nullptr)
        s_sink->SetColour(*colour);
}

// A two-vertex loop: the drawing of segments, rays and edges.
void EmitEdge(const Math::Vector4& from, const Math::Vector4& to)
{
    s_sink->Begin(DebugVertexSink::LineLoop);
    s_sink->Vertex(from);
    s_sink->Vertex(to);
    s_sink->End();
}

void EmitBox(const Math::Point4 (&corners)[Math::OOB3::CORNER_COUNT])
{
    for (const auto& edge : BoxEdgeCorners)
        EmitEdge(corners[edge[0]], corners[edge[1]]);
}

void EmitCircle(const Math::Point4& centre, const Math::Vector4& axis0, const Math::Vector4& axis1,
                f32 radius)
{
    const s32 n = DebugShapeDrawer::CircleSegments(radius);
    if (n <= 0)
        return;
    s_sink->Begin(DebugVertexSink::LineLoop);
    for (s32 k = 1; k <= n + 1; ++k)
    {
        const f32 angle = Math::TWO_PI * static_cast<f32>(k) / static_cast<f32>(n);
        s_sink->Vertex(centre + (axis0 * std::cos(angle) + axis1 * std::sin(angle)) * radius);
    }
    s_sink->End();
}

void DrawPoint4(const Math::Point4& point, const Math::ColorRGBA* colour)
{
    UseColour(colour);
    s_sink->Begin(DebugVertexSink::Points);
    s_sink->Vertex(point);
    s_sink->End();
}

void DrawPlane(const Math::Plane& plane, const Math::Point4* centre, const Math::ColorRGBA* colour,
               f32 size)
{
    UseColour(colour);
    const Math::Vector4 normal = plane.GetNormal();
    const f32 lengthSquared = normal.LengthSquared();
    if (lengthSquared < ZeroNormal)
        return;
    const Math::Point4 about = centre != nullptr ? *centre : Math::Point4();
    // The plane's point nearest `about`.
    const Math::Point4 nearest = about - normal * (plane.SignedDistance(about) / lengthSquared);
    DebugShapeDrawer::DrawGrid(nearest, normal, size, DebugShapeDrawer::GridSpacing);
}

void DrawRay3(const Math::Ray3& ray, const Math::ColorRGBA* colour)
{
    UseColour(colour);
    EmitEdge(ray.origin, ray.origin + ray.direction * DebugShapeDrawer::RayLength);
}

void DrawLine3(const Math::Line3& line, const Math::ColorRGBA* colour)
{
    UseColour(colour);
    Math::Vector4 forward = line.direction;
    forward.w = 0.0f;
    s_sink->Begin(DebugVertexSink::Lines);
    s_sink->Vertex(line.point);
    s_sink->Vertex(forward);
    s_sink->Vertex(line.point);
    s_sink->Vertex(-forward);
    s_sink->End();
}

void DrawSegment3(const Math::Segment3& segment, const Math::ColorRGBA* colour)
{
    UseColour(colour);
    EmitEdge(segment.p0, segment.p1);
}

void DrawSphere3(const Math::Sphere3& sphere, const Math::ColorRGBA* colour)
{
    UseColour(colour);
    const s32 turns = DebugShapeDrawer::SphereTurns(sphere.radius);
    if (turns <= 0)
        return;
    const Math::Vector4 axes[] = {Math::Vector4(1.0f, 0.0f, 0.0f, 0.0f),
                                  Math::Vector4(0.0f, 1.0f, 0.0f, 0.0f),
                                  Math::Vector4(0.0f, 0.0f, 1.0f, 0.0f)};
    // Each circle contains its axis; turned about it by pi / n at a time, the circles of one
    // axis sweep the whole sphere like meridians.
    for (int i = 0; i < 3; ++i)
    {
        const Math::Vector4& axis = axes[i];
        const Math::Vector4& across = axes[(i + 1) % 3];
        Math::Quaternion turn;
        turn.FromAxisAngle(axis, Math::PI / static_cast<f32>(turns));
        Math::Vector4 side = across;
        for (s32 k = 0; k <= turns; ++k)
        {
            EmitCircle(sphere.centre, axis, side, sphere.radius);
            side = turn.Rotate(side);
        }
    }
}

void DrawCircle3(const Math::Circle3& circle, const Math::ColorRGBA* colour)
{
    UseColour(colour);
    EmitCircle(circle.centre, circle.axis0, circle.axis1, circle.radius);
}

void DrawRectangle3(const Math::Rectangle3& rectangle, const Math::ColorRGBA* colour)
{
    UseColour(colour);
    const Math::Point4 corners[] = {rectangle.GetCornerMinMin(), rectangle.GetCornerMaxMin(),
                                    rectangle.GetCornerMaxMax(), rectangle.GetCornerMinMax()};
    for (int i = 0; i < 4; ++i)
        EmitEdge(corners[i], corners[(i + 1) % 4]);
}

void DrawCone3(const Math::Cone3& cone, const Math::ColorRGBA* colour)
{
    UseColour(colour);
    const Math::Circle3& base = cone.base;
    const Math::Point4 apex = base.centre + base.normal * cone.height;
    // One triangle loop (apex, rim point, next rim point) per segment of the base.
    for (s32 k = 0; k < DebugShapeDrawer::ConeSegments; ++k)
    {
        const f32 step = Math::TWO_PI / static_cast<f32>(DebugShapeDrawer::ConeSegments);
        const f32 a0 = step * static_cast<f32>(k);
        const f32 a1 = step * static_cast<f32>(k + 1);
        s_sink->Begin(DebugVertexSink::LineLoop);
        s_sink->Vertex(apex);
        s_sink->Vertex(base.centre +
                       (base.axis0 * std::cos(a0) + base.axis1 * std::sin(a0)) * base.radius);
        s_sink->Vertex(base.centre +
                       (base.axis0 * std::cos(a1) + base.axis1 * std::sin(a1)) * base.radius);
        s_sink->End();
    }
}

void DrawCapsule3(const Math::Capsule3&, const Math::ColorRGBA* colour)
{
    // A capsule has no outline of its own: an empty batch keeps the drawing's shape.
    UseColour(colour);
    s_sink->Begin(DebugVertexSink::Lines);
    s_sink->End();
}

void DrawOOB3(const Math::OOB3& box, const Math::ColorRGBA* colour)
{
    UseColour(colour);
    Math::Point4 corners[Math::OOB3::CORNER_COUNT];
    box.GetCorners(corners);
    EmitBox(corners);
}

void DrawAABB3(const Math::AABB3& box, const Math::ColorRGBA* colour)
{
    UseColour(colour);
    const Math::Point4& lo = box.min;
    const Math::Point4& hi = box.max;
    const Math::Point4 corners[Math::OOB3::CORNER_COUNT] = {
        {lo.x, lo.y, lo.z, 1.0f}, {hi.x, lo.y, lo.z, 1.0f}, {hi.x, lo.y, hi.z, 1.0f},
        {lo.x, lo.y, hi.z, 1.0f}, {lo.x, hi.y, lo.z, 1.0f}, {hi.x, hi.y, lo.z, 1.0f},
        {hi.x, hi.y, hi.z, 1.0f}, {lo.x, hi.y, hi.z, 1.0f}};
    EmitBox(corners);
}

// Lines of the grid along `along`, offset across it by multiples of `across`.
void EmitGridLines(const Math::Point4& centre, const Math::Vector4& along,
                   const Math::Vector4& across, f32 size, f32 spacing)
{
    const s32 sideLines = spacing > 0.0f ? Math::RoundToInt(size / spacing) : 0;
    s_sink->Begin(DebugVertexSink::Lines);
    for (s32 k = -sideLines; k <= sideLines; ++k)
    {
        const Math::Point4 middle = centre + across * (spacing * static_cast<f32>(k));
        s_sink->Vertex(middle - along * size);
        s_sink->Vertex(middle + along * size);
    }
    s_sink->End();
}

void EmitAxis(const Math::Vector4& axis, const Math::Vector4& tick, const Math::ColorRGBA& colour)
{
    DrawLine3(Math::Line3(Math::Point4(), axis), &colour);
    for (s32 k = 1; k <= DebugShapeDrawer::AxisTicks; ++k)
    {
        const f32 at = static_cast<f32>(k);
        for (const f32 side : {at, -at})
        {
            const Math::Point4 centre = Math::Point4() + axis * side;
            EmitEdge(centre - tick * UnitTick, centre + tick * UnitTick);
        }
        const Math::Point4 half = Math::Point4() + axis * (at - HalfStep);
        EmitEdge(half - tick * HalfTick, half + tick * HalfTick);
    }
}
} // namespace

void DebugShapeDrawer::Install(DebugVertexSink& sink)
{
    s_sink = &sink;
    Math::DebugDrawTable table;
    table.point4 = &DrawPoint4;
    table.plane = &DrawPlane;
    table.ray3 = &DrawRay3;
    table.line3 = &DrawLine3;
    table.segment3 = &DrawSegment3;
    table.sphere3 = &DrawSphere3;
    table.circle3 = &DrawCircle3;
    table.rectangle3 = &DrawRectangle3;
    table.cone3 = &DrawCone3;
    table.capsule3 = &DrawCapsule3;
    table.oob3 = &DrawOOB3;
    table.aabb3 = &DrawAABB3;
    Math::SetDebugDrawTable(table);
}

void DebugShapeDrawer::Remove()
{
    Math::ResetDebugDrawTable();
    s_sink = nullptr;
}

bool DebugShapeDrawer::IsInstalled()
{
    return s_sink != nullptr;
}

s32 DebugShapeDrawer::CircleSegments(f32 radius)
{
    return Math::RoundToInt(CircleDensity * Math::PI * radius);
}

s32 DebugShapeDrawer::SphereTurns(f32 radius)
{
    return Math::RoundToInt(Math::TWO_PI * radius);
}

void DebugShapeDrawer::DrawGrid(const Math::Point4& centre, const Math::Vector4& normal, f32 size,
                                f32 spacing)
{
    if (s_sink == nullptr)
        return;
    Math::Vector4 unit(normal.x, normal.y, normal.z, 0.0f);
    if (unit.LengthSquared() < ZeroNormal)
        return;
    unit.Normalize();
    Math::Vector4 a;
    Math::Vector4 b;
    Math::MakeOrthonormalBasis(a, b, unit);
    a.w = 0.0f;
    b.w = 0.0f;
    s_sink->SetLineWidth(GridLineWidth);
    EmitGridLines(centre, a, b, size, spacing);
    EmitGridLines(centre, b, a, size, spacing);
}

void DebugShapeDrawer::DrawAxes()
{
    if (s_sink == nullptr)
        return;
    const Math::Vector4 x(1.0f, 0.0f, 0.0f, 0.0f);
    const Math::Vector4 y(0.0f, 1.0f, 0.0f, 0.0f);
    const Math::Vector4 z(0.0f, 0.0f, 1.0f, 0.0f);
    EmitAxis(x, z, Math::ColorRGBA(1.0f, 0.0f, 0.0f, 1.0f));
    EmitAxis(y, x, Math::ColorRGBA(0.0f, 1.0f, 0.0f, 1.0f));
    EmitAxis(z, x, Math::ColorRGBA(0.0f, 0.0f, 1.0f, 1.0f));
}
} // namespace Graphics
