#pragma once
// Where the debug drawers send their vertices. The renderer's sink turns each batch into
// immediate-mode OpenGL; tests count the vertices of a batch without a context. A batch is
// Begin, any number of Vertex calls, End; colour, line width and depth test are state that
// holds until it is set again, as in OpenGL. Main thread only.
#include "Math/Types.h"

namespace Math
{
class ColorRGBA;
class Vector4;
} // namespace Math

namespace Graphics
{
class DebugVertexSink
{
public:
    enum Primitive
    {
        Points,
        Lines,
        LineLoop,
    };

    virtual ~DebugVertexSink() = default;
    virtual void Begin(Primitive primitive) = 0;
    // All four coordinates: w = 0 is a point at infinity in that direction.
    virtual void Vertex(const Math::Vector4& vertex) = 0;
    virtual void End() = 0;
    virtual void SetColour(const Math::ColorRGBA& colour) = 0;
    // Pixels.
    virtual void SetLineWidth(f32 width) = 0;
    virtual void SetDepthTest(bool on) = 0;
};
} // namespace Graphics
