#pragma once
// The frame renderer: it holds the render-target set of the deferred passes and the id of the
// skybox object, binds the window's frame buffer, clears it and runs the passes in their fixed
// order:
//   1 geometry   solid objects into the GeometryBuffer ("GeometryBuffer" program)
//   2 lighting   every point light added into the LightingBuffer as a sphere ("PointLight")
//   3 shadow     depth from the shadow camera into the ShadowBuffer ("DepthBuffer")
//   4 forward    sky, render queue, debug shapes (attachment 0) and the two particle layers
//                (attachments 2 and 1) into the FinalBuffer
//   5 bloom      the geometry buffer's glow blurred into the two 256 x 256 bloom targets
//   6 compose    the final buffer lit by the lighting buffer and faded, the bloom screen-blended
//                and the particle layers alpha-blended over it, on the window
//   7 overlay    whatever the overlay hook draws on the window
// A pass whose target, program or model ("Quad", "Sphere") is missing skips the draws that need
// it and the frame goes on. Uniform locations are looked up by name at every use.
//
// The shadow camera is chosen in one place (GetShadowCamera): the camera of the first
// registered spot light flagged as a shadow caster (none when its object has no camera), else
// the active camera. The forward programs' "ShadowMatrix" is that camera's, or the active
// camera's when there is none, so no program reads an unset matrix.
//
// Hooks set by the graphics system, empty by default: drawDebugShapes runs inside the forward
// pass with only attachment 0 written (the debug shapes land in the scene), drawOverlay runs on
// the window after composition. Main thread only, with a context.
#include "Math/Matrix4.h"
#include "Math/Types.h"
#include <functional>
#include <list>
#include <memory>

class GameObjectComponent;

namespace Graphics
{
class CameraComponent;
class Model;
class RenderQueue;
class RenderTargets;
class ShaderProgram;

class DeferredRenderer
{
public:
    // The far plane of the sky's own projection.
    static constexpr f32 SkyboxFarPlane = 1000.0f;
    // Point lights' intensities are scaled down so that several can overlap.
    static constexpr f32 LightIntensityScale = 0.125f;
    // The shadow map's texture unit for the forward programs.
    static constexpr u32 ShadowMapUnit = 6;

    // Finds the camera of a game object (the object's CameraComponent); replaced in tests.
    using CameraOfObject = const CameraComponent* (*)(u32 objectId);

    explicit DeferredRenderer(RenderQueue& queue);
    ~DeferredRenderer();
    DeferredRenderer(const DeferredRenderer&) = delete;
    DeferredRenderer& operator=(const DeferredRenderer&) = delete;

    // The six targets, of the render size (the desktop's) where the table says so; made once
    // the asset managers exist, before any asset batch.
    void CreateRenderTargets(int renderWidth, int renderHeight);
    // One frame into the window of the given size.
    void Render(int windowWidth, int windowHeight);

    void GeometryPass();
    void LightingPass();
    void ShadowPass();
    void ForwardPass();
    void BloomPass();
    void CompositionPass();
    void DrawSkybox();

    // A textured rectangle over the current viewport (x0, y0) to (x1, y1) in 0-1 units, with
    // the texture bound at the unit: the final buffer's attachment, the geometry buffer's
    // attachment or the auxiliary target's colour. The caller has made the program current
    // and bound the "Quad" model.
    void DrawFinalQuad(u32 unit, u32 program, f32 resolution, f32 x0, f32 y0, f32 x1, f32 y1);
    void DrawGeometryQuad(u32 unit, u32 program, f32 resolution, f32 x0, f32 y0, f32 x1, f32 y1);
    void DrawAuxiliaryQuad(u32 unit, u32 program, f32 resolution, f32 x0, f32 y0, f32 x1, f32 y1);

    // The forward programs' shadow uniforms: "ShadowMap" (the ShadowBuffer's depth at
    // ShadowMapUnit) and "ShadowMatrix", for a program that has the matrix.
    void SetShadowUniforms(u32 program);
    const CameraComponent* GetShadowCamera() const;

    RenderTargets* GetRenderTargets() const { return m_targets.get(); }
    u32 GetSkyboxId() const { return m_skyboxId; }
    void SetSkyboxId(u32 objectId) { m_skyboxId = objectId; }

    std::function<void()> drawDebugShapes;
    std::function<void()> drawOverlay;

    // The camera of the first spot light flagged as a shadow caster (null when its object has
    // no camera), or `fallback` when no spot light casts shadows.
    static const CameraComponent*
    ChooseShadowCamera(const std::list<GameObjectComponent*>& spotLights,
                       const CameraComponent* fallback, CameraOfObject cameraOf);
    // Whether a light's sphere is drawn from inside (front faces culled): the camera is within
    // the radius, counting from its near plane.
    static bool SeesLightFromInside(f32 distance, f32 nearPlane, f32 radius);
    // The sky's vertical field of view in degrees for a camera of that width and near plane.
    static f32 SkyboxFieldOfView(f32 width, f32 nearPlane);
    // The screen-space rectangle's model matrix.
    static Math::Matrix4 QuadMatrix(f32 x0, f32 y0, f32 x1, f32 y1);

private:
    void DrawQuad(u32 texture, u32 unit, u32 program, f32 resolution, f32 x0, f32 y0, f32 x1,
                  f32 y1);
    // Screen-space "ProjectionMatrix", "ViewMatrix" and "ViewInverse" on the program.
    void SetScreenUniforms(u32 program) const;
    void DrawPointLights(const ShaderProgram& program, const Model& sphere);

    RenderQueue& m_queue;
    std::unique_ptr<RenderTargets> m_targets;
    u32 m_skyboxId;
    int m_windowWidth;
    int m_windowHeight;
};
} // namespace Graphics
