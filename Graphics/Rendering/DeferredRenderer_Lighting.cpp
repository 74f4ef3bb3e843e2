// The lighting and shadow passes of the deferred renderer.
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Graphics/Assets/FrameBufferObject.h"
#include "Graphics/Assets/Model.h"
#include "Graphics/Assets/ModelManager.h"
#include "Graphics/Assets/ShaderProgram.h"
#include "Graphics/Assets/ShaderProgramManager.h"
#include "Graphics/Components/CameraComponent.h"
#include "Graphics/Components/PointLightComponent.h"
#include "Graphics/Formats/ShaderProgramFile.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/Rendering/DeferredRenderer.h"
#include "Graphics/Rendering/RenderQueue.h"
#include "Graphics/Rendering/RenderTargets.h"
#include "Graphics/System/CameraSystem.h"
#include <GL/glew.h>

namespace Graphics
{
namespace
{
const char* const PointLightProgram = "PointLight";
const char* const DepthProgram = "DepthBuffer";
const char* const SphereModel = "Sphere";
constexpr f32 InverseTolerance = 0.00001f;
// The geometry buffer's inputs of the point-light shader: texture unit and attachment.
constexpr u32 DepthUnit = 0;
constexpr u32 SpecularUnit = 2;
constexpr u32 NormalUnit = 3;

void BindTexture(u32 unit, u32 texture)
{
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, texture);
}
} // namespace

void DeferredRenderer::LightingPass()
{
    m_targets->BeginLighting();
    // Draw buffer 2 is on already: the forward pass leaves every mask on.
    glColorMaski(0, GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glColorMaski(1, GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    // Lights add up.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);

    System::GraphicsSystem* graphics = System::GraphicsSystem::Instance();
    ShaderProgramManager* programs = ShaderProgramManager::Instance();
    ModelManager* models = ModelManager::Instance();
    const ShaderProgram* program =
        programs != nullptr ? programs->Find(PointLightProgram, ShaderProgramFile::Standard)
                            : nullptr;
    const Model* sphere = models != nullptr ? models->Find(SphereModel, 0) : nullptr;
    const bool anyLight =
        graphics != nullptr &&
        !graphics->GetComponents(System::GraphicsSystem::PointLightComponents).empty();
    if (anyLight && program != nullptr && sphere != nullptr &&
        m_targets->GetLightingBuffer() != nullptr && m_targets->GetGeometryBuffer() != nullptr)
        DrawPointLights(*program, *sphere);

    FrameBufferObject::BindDefault();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendEquation(GL_FUNC_ADD);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ZERO);
}

void DeferredRenderer::DrawPointLights(const ShaderProgram& program, const Model& sphere)
{
    System::GraphicsSystem* graphics = System::GraphicsSystem::Instance();
    System::CameraSystem* cameras = System::CameraSystem::Instance();
    const CameraComponent* camera = cameras != nullptr ? cameras->GetActiveCamera() : nullptr;
    GameFactory* factory = Engine::Factory();
    if (camera == nullptr || factory == nullptr)
        return;
    const u32 handle = program.Use();
    graphics->SetCameraUniforms(handle);
    const FrameBufferObject* geometry = m_targets->GetGeometryBuffer();
    glUniform1f(glGetUniformLocation(handle, "PixelWidth"), 1.0f / geometry->GetWidth());
    glUniform1f(glGetUniformLocation(handle, "PixelHeight"), 1.0f / geometry->GetHeight());
    sphere.BindVertexFormat();
    BindTexture(DepthUnit, geometry->GetDepthTexture());
    glUniform1i(glGetUniformLocation(handle, "DepthMap"), DepthUnit);
    BindTexture(SpecularUnit, geometry->GetColorTexture(SpecularUnit));
    glUniform1i(glGetUniformLocation(handle, "SpecularMap"), SpecularUnit);
    BindTexture(NormalUnit, geometry->GetColorTexture(NormalUnit));
    glUniform1i(glGetUniformLocation(handle, "NormalMap"), NormalUnit);

    const Math::Point4 eye = cameras->GetActiveCameraEye();
    for (GameObjectComponent* component :
         graphics->GetComponents(System::GraphicsSystem::PointLightComponents))
    {
        const auto* light = dynamic_cast<const PointLightComponent*>(component);
        const GameObject* owner =
            light != nullptr ? factory->FindObject(light->GetOwner()) : nullptr;
        const auto* transform =
            owner != nullptr ? owner->GetComponent<TransformComponent>() : nullptr;
        // A light whose object or transform is gone lights nothing this frame.
        if (transform == nullptr)
            continue;
        const f32 radius = light->GetRadius();
        // The unit sphere scaled to the radius, without the object's own turn or scale.
        const Math::Matrix4 model = transform->GetTranslationMatrix() *
                                    Math::Matrix4::Scale(Math::Vector3(radius, radius, radius));
        const Math::Point4 centre = model.GetTranslation();
        const f32 distance = (eye - centre).Length();
        glCullFace(SeesLightFromInside(distance, camera->nearFar.x, radius) ? GL_FRONT : GL_BACK);
        glUniformMatrix4fv(glGetUniformLocation(handle, "ModelMatrix"), 1, GL_TRUE, model.m);
        Math::Matrix4 normal;
        model.Inverse(normal, InverseTolerance);
        glUniformMatrix4fv(glGetUniformLocation(handle, "NormalMatrix"), 1, GL_FALSE, normal.m);
        glUniform3f(glGetUniformLocation(handle, "LightPosition"), centre.x, centre.y, centre.z);
        const Math::Vector4 diffuse = light->GetDiffuse();
        const Math::Vector4 specular = light->GetSpecular();
        glUniform4f(glGetUniformLocation(handle, "LightDiffuse"), diffuse.x, diffuse.y, diffuse.z,
                    diffuse.w);
        glUniform4f(glGetUniformLocation(handle, "LightSpecular"), specular.x, specular.y,
                    specular.z, specular.w);
        glUniform1f(glGetUniformLocation(handle, "LightRadiusNear"), light->GetNearRadius());
        glUniform1f(glGetUniformLocation(handle, "LightRadiusFar"), radius);
        glUniform1f(glGetUniformLocation(handle, "LightDiffuseIntensity"),
                    light->GetDiffuseIntensity() * LightIntensityScale);
        glUniform1f(glGetUniformLocation(handle, "LightSpecularIntensity"),
                    light->GetSpecularIntensity() * LightIntensityScale);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(sphere.GetIndexCount()), GL_UNSIGNED_INT,
                       nullptr);
    }
    BindTexture(DepthUnit, 0);
    BindTexture(SpecularUnit, 0);
    BindTexture(NormalUnit, 0);
    sphere.UnbindVertexFormat();
    graphics->ClearShaderProgram();
}

void DeferredRenderer::ShadowPass()
{
    m_targets->BindAuxiliaryTarget(RenderTargets::ShadowTarget);
    glEnable(GL_DEPTH_TEST);
    glCullFace(GL_FRONT);
    const CameraComponent* camera = GetShadowCamera();
    // Without a camera the map stays cleared: nothing is in shadow.
    if (camera != nullptr && m_targets->GetAuxiliary(RenderTargets::ShadowTarget) != nullptr)
        m_queue.RenderWithProgram(DepthProgram, camera);
    glCullFace(GL_BACK);
    FrameBufferObject::BindDefault();
}
} // namespace Graphics
