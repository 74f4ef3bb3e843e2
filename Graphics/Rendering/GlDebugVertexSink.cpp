#include "Graphics/Rendering/GlDebugVertexSink.h"
#include "Math/ColorRGBA.h"
#include "Math/Matrix4.h"
#include "Math/Vector4.h"
#include <GL/glew.h>

namespace Graphics
{
namespace
{
GLenum ModeOf(DebugVertexSink::Primitive primitive)
{
    switch (primitive)
    {
    case DebugVertexSink::Points:
        return GL_POINTS;
    case DebugVertexSink::Lines:
        return GL_LINES;
    case DebugVertexSink::LineLoop:
        break;
    }
    return GL_LINE_LOOP;
}
} // namespace

void GlDebugVertexSink::LoadCamera(const Math::Matrix4& view, const Math::Matrix4& projection)
{
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection.m);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(view.m);
}

void GlDebugVertexSink::Begin(Primitive primitive)
{
    glBegin(ModeOf(primitive));
}

void GlDebugVertexSink::Vertex(const Math::Vector4& vertex)
{
    glVertex4f(vertex.x, vertex.y, vertex.z, vertex.w);
}

void GlDebugVertexSink::End()
{
    glEnd();
}

void GlDebugVertexSink::SetColour(const Math::ColorRGBA& colour)
{
    glColor4f(colour.r, colour.g, colour.b, colour.a);
}

void GlDebugVertexSink::SetLineWidth(f32 width)
{
    // OpenGL refuses a width of 0 or less; the last width stays.
    if (width > 0.0f)
        glLineWidth(width);
}

void GlDebugVertexSink::SetDepthTest(bool on)
{
    if (on)
        glEnable(GL_DEPTH_TEST);
    else
        glDisable(GL_DEPTH_TEST);
}
} // namespace Graphics
