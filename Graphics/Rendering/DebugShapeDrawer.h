#pragma once
// The debug drawers of every shape class: Install puts them into Math::DebugDrawTable, so that a
// shape's Draw (and every query that draws) sends its vertices to the given sink; Remove empties
// the table again. The graphics system installs them at start-up with the OpenGL sink; tests
// install a counting sink and check what a shape emits without a context.
//
// A drawer given a colour sets it first; a null colour keeps the sink's current colour. Shapes
// are drawn in their own world coordinates: circles as loops of n + 1 vertices with
// n = round(7.5 pi r) (n = 0 draws nothing), spheres as three families of such circles turned
// about the x, y and z axes, lines to infinity both ways (vertices with w = 0), segments, rays
// and box edges as two-vertex loops, planes as grids. Main thread only.
#include "Math/Types.h"

namespace Math
{
class ColorRGBA;
class Point4;
class Vector4;
} // namespace Math

namespace Graphics
{
class DebugVertexSink;

class DebugShapeDrawer
{
public:
    // A ray is drawn this far along its direction.
    static constexpr f32 RayLength = 70000.0f;
    // Segments around a cone's base (10 pi rounded up).
    static constexpr s32 ConeSegments = 32;
    static constexpr f32 GridLineWidth = 3.0f;
    static constexpr f32 GridSpacing = 1.0f;
    // Unit ticks (and half ticks on the positive side) along each world axis.
    static constexpr s32 AxisTicks = 100;

    // Fills the drawers of Math::DebugDrawTable; they emit into `sink` until Remove.
    static void Install(DebugVertexSink& sink);
    static void Remove();
    static bool IsInstalled();

    // n of a circle of the given radius: round(7.5 pi r), halves away from zero.
    static s32 CircleSegments(f32 radius);
    // n of a wire sphere of the given radius: round(2 pi r).
    static s32 SphereTurns(f32 radius);

    // A square grid about `centre` in the plane of `normal`: the central line and round(size /
    // spacing) lines on each side, in both directions. A zero normal draws nothing.
    static void DrawGrid(const Math::Point4& centre, const Math::Vector4& normal, f32 size,
                         f32 spacing);
    // The three world axes, x red, y green, z blue, each with unit and half ticks.
    static void DrawAxes();
};
} // namespace Graphics
