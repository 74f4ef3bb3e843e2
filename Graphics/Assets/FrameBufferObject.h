#pragma once
// A render target: an OpenGL framebuffer with texture attachments, any number of colour
// textures (drawn into as multiple render targets in the order they were added) and at most one
// depth texture, all of the framebuffer's size. Targets are assets of the frame-buffer manager;
// their creator adds one by name and size (Load makes the framebuffer and leaves it bound),
// attaches its textures and calls Complete once.
//
// Every attachment texture is filtered linearly and clamped at its edges. Reload (after the
// window and its context were recreated) makes the framebuffer and every texture again from the
// attachment records. Main thread only, with a context.
#include "Core/Assets/AssetManager.h"
#include <vector>

namespace Graphics
{
struct FrameBufferParam
{
    u32 width = 0;
    u32 height = 0;
};

class FrameBufferObject : public Asset<FrameBufferParam>
{
public:
    // The largest finite float: floating-point attachments hold it where nothing was drawn.
    static constexpr f32 ClearValue = 3.4028235e38f;

    // One texture of the target and how it was made.
    struct Attachment
    {
        u32 texture = 0;
        u32 point = 0; // GL_COLOR_ATTACHMENT0 + n, or GL_DEPTH_ATTACHMENT
        u32 internalFormat = 0;
        u32 format = 0;
        u32 type = 0;
    };

    FrameBufferObject();
    ~FrameBufferObject() override;

    // Generates the framebuffer and binds it; it stays bound until Complete.
    bool Load() override;
    void Unload() override;
    bool Reload() override;

    void AddColorAttachment(u32 internalFormat, u32 format, u32 type);
    void SetDepthAttachment(u32 internalFormat, u32 format, u32 type);
    // Selects the draw buffers, reads from none, logs "FBO Error: " when the framebuffer is not
    // complete (it is used anyway) and binds the window's framebuffer again.
    void Complete();
    // Draws into this target: draw buffers, a viewport of its size, and colour and depth
    // cleared (colour to ClearValue; normalised attachments store 1).
    void Bind();
    static void BindDefault();

    u32 GetWidth() const { return m_param.width; }
    u32 GetHeight() const { return m_param.height; }
    u32 GetFrameBuffer() const { return m_frameBuffer; }
    u32 GetDepthTexture() const { return m_depth.texture; }
    // 0 for an index past the colour attachments.
    u32 GetColorTexture(u32 index) const;
    u32 GetColorCount() const { return static_cast<u32>(m_colors.size()); }
    const Attachment& GetDepthAttachment() const { return m_depth; }
    const Attachment& GetColorAttachment(u32 index) const { return m_colors[index]; }

private:
    void CreateTexture(Attachment& attachment);
    void SelectDrawBuffers() const;

    u32 m_frameBuffer;
    Attachment m_depth;
    std::vector<Attachment> m_colors;
    std::vector<u32> m_drawBuffers;
};
} // namespace Graphics
