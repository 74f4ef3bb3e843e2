#pragma once
// The engine core's service hooks: what Core asks of the subsystems above it at once, without
// including them. Each hook names its owner, which installs it when it starts and removes it
// when it stops (see Core/ServiceHook.h); an uninstalled hook answers false.
//
// A later subsystem that Core must call at once adds its hook here, with its owner and its
// default answer, and installs it from its own folder. Most requests need no hook: they travel
// as messages.
#include "Core/ServiceHook.h"
#include "Math/Shapes/Ray3.h"
#include "Math/Types.h"
#include <string>

class GameObjectComponent;

namespace Core
{
// The window size assumed while no window answers.
constexpr s32 DefaultWindowWidth = 1024;
constexpr s32 DefaultWindowHeight = 768;

struct CoreServices
{
    // True while the game is paused; the frame loop asks it for every system (owner: the
    // game-state system).
    ServiceHook<bool()> isPaused;
    // The collision category and mask of an object's collider, false when it has none; read by
    // the collision message's log text (owner: the physics system).
    ServiceHook<bool(u32 objectId, u32& category, u32& mask)> colliderInfo;
    // Draws the colliders and the bodies' motion through the debug drawers; the renderer calls
    // it while debug drawing (F2) is on (owner: the physics system).
    ServiceHook<void()> drawPhysicsDebug;

    // The window's client size in pixels, read by the input system and the input translation
    // through WindowWidth and WindowHeight, which answer 1024 x 768 while it is not installed
    // (owner: the graphics system).
    ServiceHook<s32()> windowWidth;
    ServiceHook<s32()> windowHeight;
    // True while the editor bars are shown: they take mouse input first (owner: the graphics
    // system).
    ServiceHook<bool()> editorBarsShown;
    // Places every editor bar again for a new window size (owner: the tools system).
    ServiceHook<void()> reloadEditorBars;
    // A component is being destroyed (called from its base destructor, so only its address and
    // its owner's id may be used): the editor bars drop every entry bound to it at once, before
    // anything draws them again (owner: the tools system).
    ServiceHook<void(const GameObjectComponent* component, u32 ownerId)> componentDestroyed;
    // Shows or hides the system mouse cursor (owner: the graphics system).
    ServiceHook<void(bool visible)> setMouseCursorVisible;
    // The id of the cursor object, 0 for none (owner: the camera system).
    ServiceHook<u32()> cursorObjectId;
    // The ray from the active camera's eye through a window point (pixels, y downwards), false
    // when no camera answers; the physics system picks objects along it (owner: the camera
    // system).
    ServiceHook<bool(f32 x, f32 y, Math::Ray3& ray)> screenRay;
    // While no AI controller exists, writes the ground position (x, then z) of each AI
    // spawner's object into xz, at most capacity pairs, and answers how many it wrote; 0 while
    // any enemy lives. Camera mounts frame the spawners with it (owner: the AI system).
    ServiceHook<u32(f32* xz, u32 capacity)> idleSpawnerPositions;
    // Gives the heads-up element of an object (a HUD element or button) a new relative position,
    // in reference units from its anchor, and lays it out again; nothing for an object without
    // one. The camera system moves the cursor's element under the mouse with it (owner: the
    // user-interface system).
    ServiceHook<void(u32 objectId, f32 x, f32 y)> setHudElementPosition;
    // Loads a settings script below "assets/Scripts/" under a script name and answers an opaque
    // handle, null when it did not load; the release hook destroys such a handle (owner: the
    // scripting system, which exists before the input system starts).
    ServiceHook<void*(const std::string& file, const std::string& name)> loadSettingsScript;
    ServiceHook<void(void* script)> releaseSettingsScript;
};

// The process's one table.
CoreServices& Services();

// The window hooks' answers, with the default size while no window answers.
s32 WindowWidth();
s32 WindowHeight();
} // namespace Core
