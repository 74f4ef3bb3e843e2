#include "Graphics/Rendering/GlRenderSubmitter.h"
#include "Graphics/Assets/Material.h"
#include "Graphics/Assets/Model.h"
#include "Graphics/Assets/ShaderProgram.h"
#include "Graphics/Components/RenderComponent.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/Rendering/DeferredRenderer.h"
#include "Math/Matrix4.h"
#include <GL/glew.h>

namespace Graphics
{
namespace
{
GLint Location(u32 program, const char* name)
{
    return glGetUniformLocation(program, name);
}
} // namespace

void GlRenderSubmitter::SetBlending(bool transparent)
{
    if (!transparent)
    {
        glDisable(GL_BLEND);
        glDepthMask(GL_TRUE);
        return;
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
}

void GlRenderSubmitter::UseProgram(const ShaderProgram* program)
{
    if (program == nullptr)
    {
        ShaderProgram::UseNone();
        m_program = 0;
        return;
    }
    m_program = program->Use();
}

void GlRenderSubmitter::SetForwardUniforms()
{
    System::GraphicsSystem* graphics = System::GraphicsSystem::Instance();
    if (graphics == nullptr || m_program == 0)
        return;
    graphics->SetCameraUniforms(m_program);
    graphics->SetLightUniforms(m_program);
    if (DeferredRenderer* renderer = graphics->GetRenderer())
        renderer->SetShadowUniforms(m_program);
    glUniform2f(Location(m_program, "TexelSize"),
                1.0f / static_cast<f32>(graphics->GetWindowWidth()),
                1.0f / static_cast<f32>(graphics->GetWindowHeight()));
}

void GlRenderSubmitter::SetCameraUniforms(const CameraComponent* camera)
{
    System::GraphicsSystem* graphics = System::GraphicsSystem::Instance();
    if (graphics != nullptr && camera != nullptr && m_program != 0)
        graphics->SetCameraUniforms(m_program, *camera);
}

void GlRenderSubmitter::BindModel(const Model& model)
{
    model.BindVertexFormat();
}

void GlRenderSubmitter::UnbindModel(const Model& model)
{
    model.UnbindVertexFormat();
}

void GlRenderSubmitter::BindMaterial(const Material& material)
{
    material.Bind(m_program);
}

void GlRenderSubmitter::UnbindMaterial(const Material&)
{
    Material::UnbindAll();
}

void GlRenderSubmitter::SetObjectUniforms(const RenderComponent& component,
                                          const Math::Matrix4& model, const Math::Matrix4& normal)
{
    // Model-layout matrices are stored row by row: the transpose flag hands OpenGL its columns.
    glUniformMatrix4fv(Location(m_program, "ModelMatrix"), 1, GL_TRUE, model.m);
    glUniformMatrix4fv(Location(m_program, "NormalMatrix"), 1, GL_FALSE, normal.m);
    const Math::Vector3& emissive = component.bloomEmissiveColor;
    glUniform3f(Location(m_program, "BloomEmissiveColor"), emissive.x, emissive.y, emissive.z);
    glUniform1f(Location(m_program, "BloomEmissiveExposure"), component.bloomEmissiveExposure);
    glUniform1f(Location(m_program, "BloomEmissiveScale"), component.bloomEmissiveScale);
    const Math::Vector3& global = component.bloomGlobalColor;
    glUniform3f(Location(m_program, "BloomGlobalColor"), global.x, global.y, global.z);
    glUniform1f(Location(m_program, "BloomGlobalExposure"), component.bloomGlobalExposure);
    glUniform1f(Location(m_program, "BloomGlobalScale"), component.bloomGlobalScale);
    const Math::Vector3& intensity = component.intensity;
    glUniform3f(Location(m_program, "Intensity"), intensity.x, intensity.y, intensity.z);
    glUniform1f(Location(m_program, "Alpha"), component.alpha);
}

void GlRenderSubmitter::SetBoneMatrices(const Math::Matrix4* matrices, u32 count)
{
    static_assert(sizeof(Math::Matrix4) == 16 * sizeof(f32), "bone matrices are uploaded packed");
    glUniformMatrix4fv(Location(m_program, "WorldMatrixArray"), static_cast<GLsizei>(count),
                       GL_TRUE, matrices[0].m);
}

void GlRenderSubmitter::Draw(const Model& model)
{
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(model.GetIndexCount()), GL_UNSIGNED_INT,
                   nullptr);
}
} // namespace Graphics
