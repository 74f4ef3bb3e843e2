#pragma once
// The values that the fade, field-of-view and camera-turn actions change live in the render and
// camera components of the rendering subsystem, which stands above the engine core. Rendering
// installs these accessors when it starts and removes them when it stops; tests install their
// own. An accessor that is not installed answers false, and the action then treats the
// component as missing and finishes at once. Main thread only.
#include "Math/Types.h"

class GameObjectComponent;

namespace Core
{
struct GraphicsActionHooks
{
    // The fade value of a "RenderComponent" (1 is fully drawn).
    bool (*getFade)(GameObjectComponent& render, f32& fade) = nullptr;
    void (*setFade)(GameObjectComponent& render, f32 fade) = nullptr;
    // The field of view of a "CameraComponent", set through the camera's own setter.
    bool (*getFieldOfView)(GameObjectComponent& camera, f32& fieldOfView) = nullptr;
    void (*setFieldOfView)(GameObjectComponent& camera, f32 fieldOfView) = nullptr;
    // Phi and theta (radians) of a "CameraComponent"'s spherical coordinate.
    bool (*getViewAngles)(GameObjectComponent& camera, f32& phi, f32& theta) = nullptr;
    void (*setViewAngles)(GameObjectComponent& camera, f32 phi, f32 theta) = nullptr;
};

// Replaces the whole table; a default-constructed table removes every accessor.
void SetGraphicsActionHooks(const GraphicsActionHooks& hooks);
const GraphicsActionHooks& GetGraphicsActionHooks();
} // namespace Core
