#include "Graphics/Rendering/DeferredRenderer.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/Particles/ParticleEffectSystem.h"
#include "Graphics/Rendering/OverlayPass.h"
#include "Graphics/Rendering/RenderQueue.h"
#include <GL/glew.h>

namespace Graphics
{
DeferredRenderer::DeferredRenderer(RenderQueue& queue) : m_queue(queue), m_skyboxId(0) {}

void DeferredRenderer::CreateRenderTargets() {}

void DeferredRenderer::Render(int windowWidth, int windowHeight)
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, windowWidth, windowHeight);
    // The clear colour stays the window's until the composition pass covers every pixel.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glCullFace(GL_BACK);
    glEnable(GL_DEPTH_TEST);
    ForwardPass();
    // The overlay (pages, world texts, cursor) on top of everything.
    System::GraphicsSystem* graphics = System::GraphicsSystem::Instance();
    if (OverlayPass* overlay = graphics != nullptr ? graphics->GetOverlayPass() : nullptr)
        overlay->Draw(windowWidth, windowHeight);
}

void DeferredRenderer::ForwardPass()
{
    m_queue.RenderForward();
    // The transparent tree leaves depth writes off.
    glDepthMask(GL_TRUE);
    // The debug shapes (F2), depth-tested against the scene just drawn.
    System::GraphicsSystem* graphics = System::GraphicsSystem::Instance();
    if (graphics != nullptr && graphics->IsDebugDrawOn())
        graphics->DrawDebug();
    // The particle layers, "Alpha" then "Additive". Until the final buffer's layer attachments
    // exist both land in the window, with no scene depth to fade against.
    if (System::ParticleEffectSystem* particles = System::ParticleEffectSystem::Instance())
    {
        particles->Draw(System::ParticleEffectSystem::AlphaLayer, 0);
        particles->Draw(System::ParticleEffectSystem::AdditiveLayer, 0);
    }
}
} // namespace Graphics
