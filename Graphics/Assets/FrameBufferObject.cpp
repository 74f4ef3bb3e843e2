#include "Graphics/Assets/FrameBufferObject.h"
#include "Core/Log.h"
#include <GL/glew.h>

namespace Graphics
{
namespace
{
// The old clamp mode: OpenGL 4 takes the value and clamps as GL_CLAMP_TO_EDGE does for these
// single-level textures.
constexpr GLint Clamp = 0x2900;
} // namespace

FrameBufferObject::FrameBufferObject() : m_frameBuffer(0) {}

FrameBufferObject::~FrameBufferObject() = default;

bool FrameBufferObject::Load()
{
    GLuint name = 0;
    glGenFramebuffers(1, &name);
    m_frameBuffer = name;
    glBindFramebuffer(GL_FRAMEBUFFER, m_frameBuffer);
    return true;
}

void FrameBufferObject::Unload()
{
    if (m_depth.texture != 0)
    {
        GLuint texture = m_depth.texture;
        glDeleteTextures(1, &texture);
        m_depth.texture = 0;
    }
    for (Attachment& color : m_colors)
    {
        GLuint texture = color.texture;
        glDeleteTextures(1, &texture);
        color.texture = 0;
    }
    if (m_frameBuffer != 0)
    {
        GLuint name = m_frameBuffer;
        glDeleteFramebuffers(1, &name);
        m_frameBuffer = 0;
    }
}

bool FrameBufferObject::Reload()
{
    Load();
    if (m_depth.point != 0)
        CreateTexture(m_depth);
    for (Attachment& color : m_colors)
        CreateTexture(color);
    return true;
}

void FrameBufferObject::AddColorAttachment(u32 internalFormat, u32 format, u32 type)
{
    Attachment color;
    color.point = GL_COLOR_ATTACHMENT0 + static_cast<u32>(m_colors.size());
    color.internalFormat = internalFormat;
    color.format = format;
    color.type = type;
    CreateTexture(color);
    m_colors.push_back(color);
    m_drawBuffers.push_back(color.point);
}

void FrameBufferObject::SetDepthAttachment(u32 internalFormat, u32 format, u32 type)
{
    m_depth.point = GL_DEPTH_ATTACHMENT;
    m_depth.internalFormat = internalFormat;
    m_depth.format = format;
    m_depth.type = type;
    CreateTexture(m_depth);
}

void FrameBufferObject::CreateTexture(Attachment& attachment)
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    attachment.texture = texture;
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(attachment.internalFormat),
                 static_cast<GLsizei>(m_param.width), static_cast<GLsizei>(m_param.height), 0,
                 attachment.format, attachment.type, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, Clamp);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, Clamp);
    glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, attachment.point, GL_TEXTURE_2D, texture, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void FrameBufferObject::SelectDrawBuffers() const
{
    if (m_drawBuffers.empty())
        glDrawBuffer(GL_NONE);
    else
        glDrawBuffers(static_cast<GLsizei>(m_drawBuffers.size()), m_drawBuffers.data());
}

void FrameBufferObject::Complete()
{
    SelectDrawBuffers();
    glReadBuffer(GL_NONE);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        Core::Log() << "FBO Error: \n";
    BindDefault();
}

void FrameBufferObject::Bind()
{
    glBindFramebuffer(GL_FRAMEBUFFER, m_frameBuffer);
    SelectDrawBuffers();
    glViewport(0, 0, static_cast<GLsizei>(m_param.width), static_cast<GLsizei>(m_param.height));
    glClearColor(ClearValue, ClearValue, ClearValue, ClearValue);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void FrameBufferObject::BindDefault()
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

u32 FrameBufferObject::GetColorTexture(u32 index) const
{
    return index < m_colors.size() ? m_colors[index].texture : 0u;
}
} // namespace Graphics
