#include "Graphics/Rendering/DeferredRenderer.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Graphics/Assets/FrameBufferObject.h"
#include "Graphics/Components/CameraComponent.h"
#include "Graphics/Components/SpotLightComponent.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/Rendering/RenderQueue.h"
#include "Graphics/Rendering/RenderTargets.h"
#include "Graphics/System/CameraSystem.h"
#include "Math/MathUtils.h"
#include <GL/glew.h>
#include <cmath>

namespace Graphics
{
namespace
{
const char* const GeometryProgram = "GeometryBuffer";
// Below this determinant a matrix counts as singular.
constexpr f32 InverseTolerance = 0.00001f;
// The quads are drawn as two triangles of the "Quad" model.
constexpr GLsizei QuadIndices = 6;
// Maps clip space (-1 to 1) into texture space (0 to 1), in OpenGL's column order.
constexpr Math::Matrix4 ShadowBias(0.5f, 0.0f, 0.0f, 0.0f, 0.0f, 0.5f, 0.0f, 0.0f, 0.0f, 0.0f, 0.5f,
                                   0.0f, 0.5f, 0.5f, 0.5f, 1.0f);

const CameraComponent* CameraOfGameObject(u32 objectId)
{
    GameFactory* factory = Engine::Factory();
    const GameObject* object = factory != nullptr ? factory->FindObject(objectId) : nullptr;
    return object != nullptr ? object->GetComponent<CameraComponent>() : nullptr;
}
} // namespace

DeferredRenderer::DeferredRenderer(RenderQueue& queue)
    : m_queue(queue), m_skyboxId(0), m_windowWidth(0), m_windowHeight(0)
{
}

DeferredRenderer::~DeferredRenderer() = default;

void DeferredRenderer::CreateRenderTargets(int renderWidth, int renderHeight)
{
    m_targets = std::make_unique<RenderTargets>(static_cast<u32>(renderWidth),
                                                static_cast<u32>(renderHeight));
    m_targets->CreateAll();
}

void DeferredRenderer::Render(int windowWidth, int windowHeight)
{
    m_windowWidth = windowWidth;
    m_windowHeight = windowHeight;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, windowWidth, windowHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glCullFace(GL_BACK);
    glEnable(GL_DEPTH_TEST);
    if (m_targets != nullptr)
    {
        GeometryPass();
        LightingPass();
        ShadowPass();
        ForwardPass();
        BloomPass();
        CompositionPass();
    }
    if (drawOverlay)
        drawOverlay();
    // The targets' binds left their clear colours; the window is cleared with its own, (0, 0,
    // 0, 0), at the start of the next frame.
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}

void DeferredRenderer::GeometryPass()
{
    glDisable(GL_BLEND);
    m_targets->BeginGeometry();
    if (m_targets->GetGeometryBuffer() != nullptr)
    {
        System::CameraSystem* cameras = System::CameraSystem::Instance();
        m_queue.RenderWithProgram(GeometryProgram,
                                  cameras != nullptr ? cameras->GetActiveCamera() : nullptr);
    }
    FrameBufferObject::BindDefault();
    glEnable(GL_BLEND);
}

Math::Matrix4 DeferredRenderer::QuadMatrix(f32 x0, f32 y0, f32 x1, f32 y1)
{
    Math::Matrix4 model;
    model.Compose(Math::Point4((x0 + x1) * 0.5f, (y0 + y1) * 0.5f, 0.0f, 1.0f), Math::Quaternion(),
                  Math::Vector3(x1 - x0, y1 - y0, 1.0f));
    return model;
}

void DeferredRenderer::DrawQuad(u32 texture, u32 unit, u32 program, f32 resolution, f32 x0, f32 y0,
                                f32 x1, f32 y1)
{
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, texture);
    glUniform1i(glGetUniformLocation(program, "DiffuseMap"), static_cast<GLint>(unit));
    glUniform1f(glGetUniformLocation(program, "Resolution"), resolution);
    const Math::Matrix4 model = QuadMatrix(x0, y0, x1, y1);
    glUniformMatrix4fv(glGetUniformLocation(program, "ModelMatrix"), 1, GL_TRUE, model.m);
    Math::Matrix4 normal;
    model.Inverse(normal, InverseTolerance);
    glUniformMatrix4fv(glGetUniformLocation(program, "NormalMatrix"), 1, GL_FALSE, normal.m);
    glDrawElements(GL_TRIANGLES, QuadIndices, GL_UNSIGNED_INT, nullptr);
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void DeferredRenderer::DrawFinalQuad(u32 unit, u32 program, f32 resolution, f32 x0, f32 y0, f32 x1,
                                     f32 y1)
{
    const FrameBufferObject* target = m_targets->GetFinalBuffer();
    DrawQuad(target != nullptr ? target->GetColorTexture(unit) : 0u, unit, program, resolution, x0,
             y0, x1, y1);
}

void DeferredRenderer::DrawGeometryQuad(u32 unit, u32 program, f32 resolution, f32 x0, f32 y0,
                                        f32 x1, f32 y1)
{
    const FrameBufferObject* target = m_targets->GetGeometryBuffer();
    DrawQuad(target != nullptr ? target->GetColorTexture(unit) : 0u, unit, program, resolution, x0,
             y0, x1, y1);
}

void DeferredRenderer::DrawAuxiliaryQuad(u32 unit, u32 program, f32 resolution, f32 x0, f32 y0,
                                         f32 x1, f32 y1)
{
    const FrameBufferObject* target = m_targets->GetAuxiliary(unit);
    DrawQuad(target != nullptr ? target->GetColorTexture(0) : 0u, unit, program, resolution, x0, y0,
             x1, y1);
}

void DeferredRenderer::SetScreenUniforms(u32 program) const
{
    // The square (0, 0) to (1, 1) covers the whole viewport.
    const Math::Matrix4 projection = Math::Matrix4::Orthographic(1.0f, 1.0f, 0.0f, 1.0f);
    const Math::Matrix4 identity;
    glUniformMatrix4fv(glGetUniformLocation(program, "ProjectionMatrix"), 1, GL_FALSE,
                       projection.m);
    glUniformMatrix4fv(glGetUniformLocation(program, "ViewMatrix"), 1, GL_FALSE, identity.m);
    glUniformMatrix4fv(glGetUniformLocation(program, "ViewInverse"), 1, GL_FALSE, identity.m);
}

const CameraComponent*
DeferredRenderer::ChooseShadowCamera(const std::list<GameObjectComponent*>& spotLights,
                                     const CameraComponent* fallback, CameraOfObject cameraOf)
{
    for (GameObjectComponent* component : spotLights)
    {
        const auto* light = dynamic_cast<const SpotLightComponent*>(component);
        if (light != nullptr && light->IsShadowCaster())
            return cameraOf != nullptr ? cameraOf(light->GetOwner()) : nullptr;
    }
    return fallback;
}

const CameraComponent* DeferredRenderer::GetShadowCamera() const
{
    System::GraphicsSystem* graphics = System::GraphicsSystem::Instance();
    System::CameraSystem* cameras = System::CameraSystem::Instance();
    const CameraComponent* active = cameras != nullptr ? cameras->GetActiveCamera() : nullptr;
    if (graphics == nullptr)
        return active;
    return ChooseShadowCamera(graphics->GetComponents(System::GraphicsSystem::SpotLightComponents),
                              active, &CameraOfGameObject);
}

void DeferredRenderer::SetShadowUniforms(u32 program)
{
    const GLint matrix = glGetUniformLocation(program, "ShadowMatrix");
    if (matrix == -1)
        return;
    const FrameBufferObject* shadow =
        m_targets != nullptr ? m_targets->GetAuxiliary(RenderTargets::ShadowTarget) : nullptr;
    glActiveTexture(GL_TEXTURE0 + ShadowMapUnit);
    glBindTexture(GL_TEXTURE_2D, shadow != nullptr ? shadow->GetDepthTexture() : 0u);
    glUniform1i(glGetUniformLocation(program, "ShadowMap"), static_cast<GLint>(ShadowMapUnit));
    const CameraComponent* camera = GetShadowCamera();
    if (camera == nullptr)
    {
        System::CameraSystem* cameras = System::CameraSystem::Instance();
        camera = cameras != nullptr ? cameras->GetActiveCamera() : nullptr;
    }
    if (camera == nullptr)
        return;
    // The engine's product of OpenGL-layout matrices: bias x projection x view for OpenGL.
    const Math::Matrix4 shadowMatrix = camera->GetView() * camera->GetProjection() * ShadowBias;
    glUniformMatrix4fv(matrix, 1, GL_FALSE, shadowMatrix.m);
}

bool DeferredRenderer::SeesLightFromInside(f32 distance, f32 nearPlane, f32 radius)
{
    return !(distance - nearPlane > radius);
}

f32 DeferredRenderer::SkyboxFieldOfView(f32 width, f32 nearPlane)
{
    return Math::RAD_TO_DEG * 0.5f * std::atan(width / (2.0f * nearPlane));
}
} // namespace Graphics
