#pragma once
// The frame renderer: it holds the render-target set of the deferred passes and the id of the
// skybox object, binds the window's frame buffer, clears it and runs the passes in their fixed
// order: geometry buffer, point lights, shadow depth, forward, bloom, composition, overlay. The
// passes arrive one by one; Render runs those that exist (today the forward pass, which draws
// the render queue straight into the window). Main thread only, with a context.
#include "Math/Types.h"

namespace Graphics
{
class RenderQueue;

class DeferredRenderer
{
public:
    explicit DeferredRenderer(RenderQueue& queue);
    DeferredRenderer(const DeferredRenderer&) = delete;
    DeferredRenderer& operator=(const DeferredRenderer&) = delete;

    // The frame buffers of the passes, made once the asset managers are loaded. None of the
    // passes that need them exists yet, so there is nothing to make.
    void CreateRenderTargets();
    // One frame into the window of the given size.
    void Render(int windowWidth, int windowHeight);

    u32 GetSkyboxId() const { return m_skyboxId; }
    void SetSkyboxId(u32 objectId) { m_skyboxId = objectId; }

private:
    void ForwardPass();

    RenderQueue& m_queue;
    u32 m_skyboxId;
};
} // namespace Graphics
