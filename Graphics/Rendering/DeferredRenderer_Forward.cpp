// The forward, bloom and composition passes of the deferred renderer, and the sky.
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Graphics/Assets/FrameBufferObject.h"
#include "Graphics/Assets/Material.h"
#include "Graphics/Assets/Model.h"
#include "Graphics/Assets/ModelManager.h"
#include "Graphics/Assets/ShaderProgram.h"
#include "Graphics/Assets/ShaderProgramManager.h"
#include "Graphics/Components/CameraComponent.h"
#include "Graphics/Components/RenderComponent.h"
#include "Graphics/Formats/ShaderProgramFile.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/Particles/ParticleEffectSystem.h"
#include "Graphics/Rendering/DeferredRenderer.h"
#include "Graphics/Rendering/RenderQueue.h"
#include "Graphics/Rendering/RenderTargets.h"
#include "Graphics/System/CameraSystem.h"
#include <GL/glew.h>

namespace Graphics
{
namespace
{
const char* const QuadModel = "Quad";
const char* const BlurHorizontalName = "BlurHorizontal";
const char* const BlurVerticalName = "BlurVertical";
const char* const LitQuad = "TexturedBasicLighting";
const char* const PlainQuad = "TexturedNoLighting";
constexpr f32 InverseTolerance = 0.00001f;
// Every screen quad covers its whole viewport at full resolution.
constexpr f32 FullResolution = 1.0f;
// The final buffer's attachments: the scene, the additive particles, the alpha particles.
constexpr GLuint SceneBuffer = 0;
constexpr GLuint AdditiveBuffer = 1;
constexpr GLuint AlphaBuffer = 2;
// The lighting buffer's attachments read by the composition, and their texture units.
constexpr u32 LightUnits[RenderTargets::LightingAttachments] = {1, 2, 3};
const char* const LightSamplers[RenderTargets::LightingAttachments] = {"EmissiveMap", "SpecularMap",
                                                                       "IntensityMap"};

void ColorMask(GLuint buffer, bool on)
{
    const GLboolean value = on ? GL_TRUE : GL_FALSE;
    glColorMaski(buffer, value, value, value, value);
}

const Model* FindQuad()
{
    ModelManager* models = ModelManager::Instance();
    return models != nullptr ? models->Find(QuadModel, 0) : nullptr;
}

const ShaderProgram* FindProgram(const char* name, u32 category)
{
    ShaderProgramManager* programs = ShaderProgramManager::Instance();
    return programs != nullptr ? programs->Find(name, category) : nullptr;
}
} // namespace

void DeferredRenderer::ForwardPass()
{
    glCullFace(GL_BACK);
    glEnable(GL_DEPTH_TEST);
    m_targets->BeginFinal();
    const FrameBufferObject* final = m_targets->GetFinalBuffer();
    const GLsizei width = final != nullptr ? static_cast<GLsizei>(final->GetWidth()) : 0;
    const GLsizei height = final != nullptr ? static_cast<GLsizei>(final->GetHeight()) : 0;
    glViewport(0, 0, width, height);
    ColorMask(SceneBuffer, true);
    if (final != nullptr)
    {
        DrawSkybox();
        m_queue.RenderForward();
    }
    // The transparent tree leaves depth writes off.
    glDepthMask(GL_TRUE);

    // Debug shapes land in the scene attachment only.
    ColorMask(SceneBuffer, false);
    glViewport(0, 0, width, height);
    ColorMask(SceneBuffer, true);
    if (final != nullptr && drawDebugShapes)
        drawDebugShapes();
    ColorMask(SceneBuffer, false);

    // Each particle layer into its own attachment, faded against the geometry buffer's depth.
    System::ParticleEffectSystem* particles = System::ParticleEffectSystem::Instance();
    const FrameBufferObject* geometry = m_targets->GetGeometryBuffer();
    const u32 depthMap = geometry != nullptr ? geometry->GetColorTexture(0) : 0u;
    glViewport(0, 0, width, height);
    ColorMask(AlphaBuffer, true);
    if (final != nullptr && particles != nullptr)
        particles->Draw(System::ParticleEffectSystem::AlphaLayer, depthMap);
    ColorMask(AlphaBuffer, false);
    ColorMask(AdditiveBuffer, true);
    if (final != nullptr && particles != nullptr)
        particles->Draw(System::ParticleEffectSystem::AdditiveLayer, depthMap);
    ColorMask(AdditiveBuffer, true);
    ColorMask(AlphaBuffer, true);
    ColorMask(SceneBuffer, true);
    FrameBufferObject::BindDefault();
}

void DeferredRenderer::DrawSkybox()
{
    GameFactory* factory = Engine::Factory();
    const GameObject* sky =
        factory != nullptr && m_skyboxId != 0 ? factory->FindObject(m_skyboxId) : nullptr;
    const auto* render = sky != nullptr ? sky->GetComponent<RenderComponent>() : nullptr;
    const auto* transform = sky != nullptr ? sky->GetComponent<TransformComponent>() : nullptr;
    System::CameraSystem* cameras = System::CameraSystem::Instance();
    const CameraComponent* camera = cameras != nullptr ? cameras->GetActiveCamera() : nullptr;
    System::GraphicsSystem* graphics = System::GraphicsSystem::Instance();
    // No sky without every part of it; culling and depth stay as they are.
    if (render == nullptr || transform == nullptr || render->GetModel() == nullptr ||
        render->GetProgram() == nullptr || camera == nullptr || graphics == nullptr)
        return;
    const Model& model = *render->GetModel();
    glEnable(GL_CULL_FACE);
    // The inside of the mesh, writing no depth that could hide the scene.
    glCullFace(GL_FRONT);
    glDisable(GL_DEPTH_TEST);
    const u32 program = render->GetProgram()->Use();
    graphics->SetCameraUniforms(program);
    const f32 viewWidth = camera->viewport.x;
    const f32 viewHeight = camera->viewport.y;
    const f32 nearPlane = camera->nearFar.x;
    const Math::Matrix4 projection = Math::Matrix4::Perspective(
        SkyboxFieldOfView(viewWidth, nearPlane), viewHeight != 0.0f ? viewWidth / viewHeight : 1.0f,
        nearPlane, SkyboxFarPlane);
    glUniformMatrix4fv(glGetUniformLocation(program, "ProjectionMatrix"), 1, GL_FALSE,
                       projection.m);
    model.BindVertexFormat();
    if (render->GetMaterial() != nullptr)
        render->GetMaterial()->Bind(program);
    Math::Matrix4 world;
    world.Compose(transform->GetPosition(), transform->GetOrientation(), transform->GetScale());
    glUniformMatrix4fv(glGetUniformLocation(program, "ModelMatrix"), 1, GL_TRUE, world.m);
    Math::Matrix4 normal;
    world.Inverse(normal, InverseTolerance);
    glUniformMatrix4fv(glGetUniformLocation(program, "NormalMatrix"), 1, GL_FALSE, normal.m);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(model.GetIndexCount()), GL_UNSIGNED_INT,
                   nullptr);
    Material::UnbindAll();
    model.UnbindVertexFormat();
    graphics->ClearShaderProgram();
    glEnable(GL_DEPTH_TEST);
    glCullFace(GL_BACK);
}

void DeferredRenderer::BloomPass()
{
    glDisable(GL_BLEND);
    const Model* quad = FindQuad();
    const ShaderProgram* blurs[2] = {FindProgram(BlurHorizontalName, ShaderProgramFile::Standard),
                                     FindProgram(BlurVerticalName, ShaderProgramFile::Standard)};
    const f32 texelWidth = m_windowWidth > 0 ? 1.0f / static_cast<f32>(m_windowWidth) : 0.0f;
    const f32 texelHeight = m_windowHeight > 0 ? 1.0f / static_cast<f32>(m_windowHeight) : 0.0f;
    // Horizontal: the geometry buffer's glow into BloomPrimary; vertical: that into
    // BloomSecondary.
    for (u32 step = 0; step < 2; ++step)
    {
        const u32 target = RenderTargets::BloomPrimaryTarget + step;
        m_targets->BindAuxiliaryTarget(target);
        if (m_targets->GetAuxiliary(target) == nullptr)
            continue;
        if (quad == nullptr || blurs[step] == nullptr)
        {
            // No blur: the target holds no glow, rather than whatever it held before, so the
            // composition adds nothing.
            glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
            glClear(GL_COLOR_BUFFER_BIT);
            FrameBufferObject::BindDefault();
            continue;
        }
        const u32 program = blurs[step]->Use();
        SetScreenUniforms(program);
        glUniform2f(glGetUniformLocation(program, "TexelSize"), texelWidth, texelHeight);
        quad->BindVertexFormat();
        if (step == 0)
            DrawGeometryQuad(RenderTargets::GlowAttachment, program, FullResolution, 0.0f, 0.0f,
                             1.0f, 1.0f);
        else
            DrawAuxiliaryQuad(RenderTargets::BloomPrimaryTarget, program, FullResolution, 0.0f,
                              0.0f, 1.0f, 1.0f);
        quad->UnbindVertexFormat();
        ShaderProgram::UseNone();
        FrameBufferObject::BindDefault();
    }
    glEnable(GL_BLEND);
}

void DeferredRenderer::CompositionPass()
{
    glDisable(GL_DEPTH_TEST);
    const Model* quad = FindQuad();
    const ShaderProgram* lit = FindProgram(LitQuad, ShaderProgramFile::Static);
    const ShaderProgram* plain = FindProgram(PlainQuad, ShaderProgramFile::Static);
    System::GraphicsSystem* graphics = System::GraphicsSystem::Instance();
    const FrameBufferObject* lighting = m_targets->GetLightingBuffer();
    f32 fade[3] = {1.0f, 1.0f, 1.0f};
    if (graphics != nullptr)
    {
        fade[0] = graphics->GetFade(System::GraphicsSystem::FadeRed);
        fade[1] = graphics->GetFade(System::GraphicsSystem::FadeGreen);
        fade[2] = graphics->GetFade(System::GraphicsSystem::FadeBlue);
    }
    if (quad != nullptr && lit != nullptr)
    {
        const u32 program = lit->Use();
        glViewport(0, 0, m_windowWidth, m_windowHeight);
        SetScreenUniforms(program);
        quad->BindVertexFormat();
        for (u32 i = 0; i < RenderTargets::LightingAttachments; ++i)
        {
            glActiveTexture(GL_TEXTURE0 + LightUnits[i]);
            glBindTexture(GL_TEXTURE_2D, lighting != nullptr ? lighting->GetColorTexture(i) : 0u);
            glUniform1i(glGetUniformLocation(program, LightSamplers[i]),
                        static_cast<GLint>(LightUnits[i]));
        }
        glUniform3f(glGetUniformLocation(program, "Fade"), fade[0], fade[1], fade[2]);
        // Made explicit rather than inherited from the lighting pass: the shaded scene is
        // laid over the cleared window by its alpha.
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        DrawFinalQuad(SceneBuffer, program, FullResolution, 0.0f, 0.0f, 1.0f, 1.0f);
        for (u32 unit : LightUnits)
        {
            glActiveTexture(GL_TEXTURE0 + unit);
            glBindTexture(GL_TEXTURE_2D, 0);
        }
        quad->UnbindVertexFormat();
    }
    if (quad != nullptr && plain != nullptr)
    {
        const u32 program = plain->Use();
        glUniform1f(glGetUniformLocation(program, "Alpha"), 1.0f);
        const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
        glUniform4fv(glGetUniformLocation(program, "DiffuseColor"), 1, white);
        glViewport(0, 0, m_windowWidth, m_windowHeight);
        SetScreenUniforms(program);
        quad->BindVertexFormat();
        // Screen blend: source + destination - source x destination.
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE_MINUS_DST_COLOR, GL_ONE);
        glUniform3f(glGetUniformLocation(program, "Fade"), fade[0], fade[1], fade[2]);
        DrawAuxiliaryQuad(RenderTargets::BloomSecondaryTarget, program, FullResolution, 0.0f, 0.0f,
                          1.0f, 1.0f);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        DrawFinalQuad(AlphaBuffer, program, FullResolution, 0.0f, 0.0f, 1.0f, 1.0f);
        DrawFinalQuad(AdditiveBuffer, program, FullResolution, 0.0f, 0.0f, 1.0f, 1.0f);
        quad->UnbindVertexFormat();
    }
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    ShaderProgram::UseNone();
    if (graphics != nullptr)
        graphics->ClearShaderProgram();
}
} // namespace Graphics
