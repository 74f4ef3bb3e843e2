// The particle effect system's part of the forward pass: one layer of particles per call.
#include "Core/Components/TransformComponent.h"
#include "Core/Log.h"
#include "Graphics/Assets/ShaderProgram.h"
#include "Graphics/Assets/ShaderProgramManager.h"
#include "Graphics/Assets/Texture.h"
#include "Graphics/Components/CameraComponent.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/Particles/ParticleEffectSystem.h"
#include "Graphics/Particles/ParticleEmitterComponent.h"
#include "Graphics/Particles/ParticleSystemComponent.h"
#include "Graphics/System/CameraSystem.h"
#include <GL/glew.h>

namespace Graphics
{
namespace System
{
namespace
{
void SetFloat(u32 program, const char* name, f32 value)
{
    const GLint location = glGetUniformLocation(program, name);
    if (location >= 0)
        glUniform1f(location, value);
}

void SetInt(u32 program, const char* name, GLint value)
{
    const GLint location = glGetUniformLocation(program, name);
    if (location >= 0)
        glUniform1i(location, value);
}

// OpenGL-layout matrices go up as they are.
void SetCameraMatrix(u32 program, const char* name, const Math::Matrix4& matrix)
{
    const GLint location = glGetUniformLocation(program, name);
    if (location >= 0)
        glUniformMatrix4fv(location, 1, GL_FALSE, matrix.m);
}

// The "Particle" program made current: through the graphics system when it runs, else straight
// from the program manager (tools and tests without the whole renderer).
u32 UseParticleProgram()
{
    if (GraphicsSystem* graphics = GraphicsSystem::Instance())
        return graphics->UseShaderProgram(ParticleEffectSystem::ProgramName);
    ShaderProgramManager* programs = ShaderProgramManager::Instance();
    ShaderProgram* program = programs != nullptr ? programs->Find(ParticleEffectSystem::ProgramName,
                                                                  ShaderProgramFile::Standard)
                                                 : nullptr;
    return program != nullptr ? program->Use() : 0u;
}

void ClearParticleProgram()
{
    if (GraphicsSystem* graphics = GraphicsSystem::Instance())
        graphics->ClearShaderProgram();
    else
        ShaderProgram::UseNone();
}
} // namespace

void ParticleEffectSystem::SetCamera(const Math::Matrix4& view, const Math::Matrix4& projection)
{
    m_view = view;
    m_projection = projection;
}

void ParticleEffectSystem::ReleaseDrawObjects()
{
    // Names of a context that is gone are not deleted: glIs* answers false for them.
    if (m_drawState.vertexBuffer != 0 && glIsBuffer(m_drawState.vertexBuffer))
        glDeleteBuffers(1, &m_drawState.vertexBuffer);
    if (m_drawState.vertexArray != 0 && glIsVertexArray(m_drawState.vertexArray))
        glDeleteVertexArrays(1, &m_drawState.vertexArray);
    m_drawState.vertexBuffer = 0;
    m_drawState.vertexArray = 0;
}

void ParticleEffectSystem::Draw(u32 blending, u32 depthTexture)
{
    // Emitters local to their object follow its translation only.
    for (auto& object : registered_)
    {
        for (auto& entry : object.second)
        {
            for (ParticleEmitterComponent* emitter : entry.second.emitters)
            {
                Math::Matrix4 model = Math::Matrix4::Identity();
                if (emitter->IsLocalToEmitter())
                {
                    if (const TransformComponent* transform = emitter->FindTransform())
                        model = Math::Matrix4::Translation(
                            transform->GetTransformMatrix().GetTranslation());
                }
                emitter->SetModelMatrix(model);
            }
        }
    }

    const u32 program = UseParticleProgram();
    if (program == 0)
        return;
    // A context made again (full screen) no longer knows the old names.
    if (m_drawState.vertexBuffer == 0 || !glIsBuffer(m_drawState.vertexBuffer) ||
        !glIsVertexArray(m_drawState.vertexArray))
    {
        glGenBuffers(1, &m_drawState.vertexBuffer);
        glGenVertexArrays(1, &m_drawState.vertexArray);
        glBindVertexArray(m_drawState.vertexArray);
        glBindBuffer(GL_ARRAY_BUFFER, m_drawState.vertexBuffer);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        glBindVertexArray(0);
    }
    m_drawState.effectsDrawn = 0;
    m_drawState.particlesDrawn = 0;
    // Sprites face the active camera; without one, the pass's own view.
    m_drawState.viewMatrix = m_view;
    if (CameraSystem* cameras = CameraSystem::Instance())
    {
        if (const CameraComponent* camera = cameras->GetActiveCamera())
            m_drawState.viewMatrix = camera->GetView();
    }

    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    // The pass's own camera first; the camera system's uniforms, once it sets them, win.
    SetCameraMatrix(program, "ViewMatrix", m_view);
    SetCameraMatrix(program, "ProjectionMatrix", m_projection);
    if (GraphicsSystem* graphics = GraphicsSystem::Instance())
        graphics->SetCameraUniforms(program);
    glActiveTexture(GL_TEXTURE0 + DepthUnit);
    glBindTexture(GL_TEXTURE_2D, depthTexture);
    SetInt(program, "DepthMap", static_cast<GLint>(DepthUnit));
    // Without a depth map there is nothing to fade against.
    SetInt(program, "SoftFade", depthTexture != 0 ? 1 : 0);
    glActiveTexture(GL_TEXTURE0 + DiffuseUnit);

    DrawEntries(registered_, blending, program);
    DrawEntries(effects_, blending, program);

    Texture::UnbindUnit(DiffuseUnit);
    Texture::UnbindUnit(DepthUnit);
    glDepthMask(GL_TRUE);
    ClearParticleProgram();
    if (GraphicsSystem* graphics = GraphicsSystem::Instance())
    {
        GraphicsSystem::FrameStatistics& statistics = graphics->GetFrameStatistics();
        statistics.effects += m_drawState.effectsDrawn;
        statistics.particles += m_drawState.particlesDrawn;
    }
}

void ParticleEffectSystem::DrawEntries(EntryMap& map, u32 blending, u32 handle)
{
    for (auto& object : map)
    {
        for (auto& pair : object.second)
        {
            Entry& entry = pair.second;
            if (entry.data == nullptr || entry.data->GetTexture() == nullptr)
                continue;
            // The sprite-sheet uniforms, set for either layer.
            const f32 across = static_cast<f32>(entry.data->GetWidthFrames());
            const f32 total = static_cast<f32>(entry.data->GetTotalFrames());
            const f32 rows = total / across;
            SetFloat(handle, "FrameWidth", 1.0f / across);
            SetFloat(handle, "FrameHeight", 1.0f / rows);
            SetFloat(handle, "TotalFrames", total);
            SetFloat(handle, "WidthFrames", across);
            SetFloat(handle, "HeightFrames", rows);
            if (entry.data->GetBlending() != blending)
                continue;
            for (ParticleEmitterComponent* emitter : entry.emitters)
                emitter->Draw(handle, m_drawState);
        }
    }
}
} // namespace System
} // namespace Graphics
