#include "Graphics/Rendering/RenderTargets.h"
#include "Core/Log.h"
#include "Graphics/Assets/FrameBufferManager.h"
#include "Graphics/Assets/FrameBufferObject.h"
#include <GL/glew.h>

namespace Graphics
{
namespace
{
const char* const Names[] = {"GeometryBuffer", "LightingBuffer", "FinalBuffer",
                             "ShadowBuffer",   "BloomPrimary",   "BloomSecondary"};
enum NameIndex
{
    GeometryName,
    LightingName,
    FinalName,
    ShadowName,
    BloomPrimaryName,
    BloomSecondaryName,
};

void AddDepth(FrameBufferObject* target)
{
    target->SetDepthAttachment(GL_DEPTH_COMPONENT32, GL_DEPTH_COMPONENT, GL_FLOAT);
}

void AddColors(FrameBufferObject* target, u32 count)
{
    for (u32 i = 0; i < count; ++i)
        target->AddColorAttachment(GL_RGBA8, GL_RGBA, GL_FLOAT);
}

void BindColor(const FrameBufferObject* target, u32 attachment, u32 unit)
{
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, target != nullptr ? target->GetColorTexture(attachment) : 0u);
}
} // namespace

RenderTargets::RenderTargets(u32 width, u32 height)
    : m_geometry(nullptr), m_lighting(nullptr), m_final(nullptr), m_auxiliary{}, m_width(width),
      m_height(height)
{
}

FrameBufferObject* RenderTargets::AddTarget(const char* name, u32 width, u32 height)
{
    FrameBufferManager* manager = FrameBufferManager::Instance();
    if (manager == nullptr)
    {
        Core::Log() << "Error [RenderTargets]: no frame-buffer manager for " << name << '\n';
        return nullptr;
    }
    FrameBufferParam param;
    param.width = width;
    param.height = height;
    FrameBufferObject* target = manager->Add(name, param, 0);
    if (target == nullptr)
        Core::Log() << "Error [RenderTargets]: the render target " << name
                    << " exists already; the pass that draws into it is skipped\n";
    return target;
}

void RenderTargets::CreateGeometryBuffer()
{
    m_geometry = AddTarget(Names[GeometryName], m_width, m_height);
    if (m_geometry == nullptr)
        return;
    m_geometry->AddColorAttachment(GL_R32F, GL_RED, GL_FLOAT);
    m_geometry->AddColorAttachment(GL_RGBA8, GL_RGBA, GL_FLOAT);
    m_geometry->AddColorAttachment(GL_RGBA8, GL_RGBA, GL_FLOAT);
    m_geometry->AddColorAttachment(GL_RGB10_A2, GL_RGBA, GL_FLOAT);
    m_geometry->AddColorAttachment(GL_RGBA8, GL_RGBA, GL_FLOAT);
    m_geometry->AddColorAttachment(GL_RGBA8, GL_RGBA, GL_FLOAT);
    AddDepth(m_geometry);
    m_geometry->Complete();
}

void RenderTargets::CreateLightingBuffer()
{
    m_lighting = AddTarget(Names[LightingName], m_width, m_height);
    if (m_lighting == nullptr)
        return;
    AddColors(m_lighting, LightingAttachments);
    m_lighting->Complete();
}

void RenderTargets::CreateFinalBuffer()
{
    m_final = AddTarget(Names[FinalName], m_width, m_height);
    if (m_final == nullptr)
        return;
    AddColors(m_final, FinalAttachments);
    AddDepth(m_final);
    m_final->Complete();
}

void RenderTargets::CreateAuxiliaryBuffers()
{
    m_auxiliary[ShadowTarget] = AddTarget(Names[ShadowName], ShadowSize, ShadowSize);
    if (m_auxiliary[ShadowTarget] != nullptr)
    {
        AddDepth(m_auxiliary[ShadowTarget]);
        m_auxiliary[ShadowTarget]->Complete();
    }
    const NameIndex blooms[] = {BloomPrimaryName, BloomSecondaryName};
    for (u32 i = 0; i < 2; ++i)
    {
        FrameBufferObject*& bloom = m_auxiliary[BloomPrimaryTarget + i];
        bloom = AddTarget(Names[blooms[i]], BloomSize, BloomSize);
        if (bloom == nullptr)
            continue;
        AddColors(bloom, 1);
        bloom->Complete();
    }
}

void RenderTargets::CreateAll()
{
    CreateGeometryBuffer();
    CreateLightingBuffer();
    CreateFinalBuffer();
    CreateAuxiliaryBuffers();
}

void RenderTargets::BeginGeometry()
{
    if (m_geometry == nullptr)
        return;
    m_geometry->Bind();
    const GLfloat none[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    glClearBufferfv(GL_COLOR, GlowAttachment, none);
}

void RenderTargets::BeginLighting()
{
    if (m_lighting == nullptr)
        return;
    m_lighting->Bind();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const GLfloat base[4] = {LightingBase, LightingBase, LightingBase, 0.0f};
    glClearBufferfv(GL_COLOR, 0, base);
}

void RenderTargets::BeginFinal()
{
    if (m_final == nullptr)
        return;
    m_final->Bind();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Attachments 1, 2, then 0: the forward pass opens each for what it draws.
    const GLuint order[FinalAttachments] = {1, 2, 0};
    for (GLuint attachment : order)
        glColorMaski(attachment, GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
}

void RenderTargets::BindAuxiliaryTarget(u32 index)
{
    if (FrameBufferObject* target = GetAuxiliary(index))
        target->Bind();
}

void RenderTargets::BindFinalTexture(u32 unit)
{
    BindColor(m_final, unit, unit);
}

void RenderTargets::BindGeometryTexture(u32 unit)
{
    BindColor(m_geometry, unit, unit);
}

void RenderTargets::BindAuxiliaryTexture(u32 index)
{
    BindColor(GetAuxiliary(index), 0, index);
}
} // namespace Graphics
