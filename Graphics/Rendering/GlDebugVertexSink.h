#pragma once
// The debug vertex sink of a real frame: every batch becomes a glBegin / glEnd pair of the
// compatibility context, drawn with the fixed-function matrices that LoadCamera sets. Main
// thread only, with a context.
#include "Graphics/Rendering/DebugVertexSink.h"

namespace Math
{
class Matrix4;
}

namespace Graphics
{
class GlDebugVertexSink : public DebugVertexSink
{
public:
    // The fixed-function projection and model-view matrices (both in OpenGL's column order),
    // so that world-space vertices land where the camera shows them.
    static void LoadCamera(const Math::Matrix4& view, const Math::Matrix4& projection);

    void Begin(Primitive primitive) override;
    void Vertex(const Math::Vector4& vertex) override;
    void End() override;
    void SetColour(const Math::ColorRGBA& colour) override;
    void SetLineWidth(f32 width) override;
    void SetDepthTest(bool on) override;
};
} // namespace Graphics
