#pragma once
// The six render targets of the deferred passes. The targets belong to the frame-buffer
// manager (category 0, under their names); the set only points to them.
//
//   GeometryBuffer  render size  0 R32F view depth (ClearValue where nothing was drawn),
//                                1 diffuse, 2 specular, 3 normal (RGB10_A2), 4 glow, 5 opacity;
//                                depth
//   LightingBuffer  render size  0 diffuse light, 1 specular light, 2 intensity (RGBA8)
//   FinalBuffer     render size  0 scene, 1 additive particles, 2 alpha particles (RGBA8); depth
//   ShadowBuffer    2048 x 2048  depth only        (auxiliary target 0)
//   BloomPrimary    256 x 256    0 RGBA8           (auxiliary target 1)
//   BloomSecondary  256 x 256    0 RGBA8           (auxiliary target 2)
//
// Depth attachments are 32-bit (GL_DEPTH_COMPONENT32); colour textures are made with type
// GL_FLOAT and no data. Binding a target clears it (FrameBufferObject::Bind). A target the
// manager refused (its name was taken) stays null and every operation on it does nothing.
// Main thread only, with a context.
#include "Math/Types.h"

namespace Graphics
{
class FrameBufferObject;

class RenderTargets
{
public:
    enum Auxiliary
    {
        ShadowTarget,
        BloomPrimaryTarget,
        BloomSecondaryTarget,
        AuxiliaryCount,
    };
    static constexpr u32 ShadowSize = 2048;
    static constexpr u32 BloomSize = 256;
    static constexpr u32 GeometryAttachments = 6;
    static constexpr u32 LightingAttachments = 3;
    static constexpr u32 FinalAttachments = 3;
    // The geometry buffer's glow attachment, cleared to zero for every frame.
    static constexpr u32 GlowAttachment = 4;
    // The lighting buffer's diffuse light starts from this grey before the lights add up.
    static constexpr f32 LightingBase = 0.1f;

    // The render size: that of the geometry, lighting and final buffers.
    RenderTargets(u32 width, u32 height);

    void CreateGeometryBuffer();
    void CreateLightingBuffer();
    void CreateFinalBuffer();
    // ShadowBuffer, BloomPrimary, BloomSecondary.
    void CreateAuxiliaryBuffers();
    // All four in that order.
    void CreateAll();

    void BeginGeometry();
    void BeginLighting();
    // Colour writes end off on every attachment; the forward pass opens them one by one.
    void BeginFinal();
    void BindAuxiliaryTarget(u32 index);
    void BindFinalTexture(u32 unit);
    void BindGeometryTexture(u32 unit);
    void BindAuxiliaryTexture(u32 index);

    FrameBufferObject* GetGeometryBuffer() const { return m_geometry; }
    FrameBufferObject* GetLightingBuffer() const { return m_lighting; }
    FrameBufferObject* GetFinalBuffer() const { return m_final; }
    FrameBufferObject* GetAuxiliary(u32 index) const
    {
        return index < AuxiliaryCount ? m_auxiliary[index] : nullptr;
    }

private:
    FrameBufferObject* AddTarget(const char* name, u32 width, u32 height);

    FrameBufferObject* m_geometry;
    FrameBufferObject* m_lighting;
    FrameBufferObject* m_final;
    FrameBufferObject* m_auxiliary[AuxiliaryCount];
    u32 m_width;
    u32 m_height;
};
} // namespace Graphics
