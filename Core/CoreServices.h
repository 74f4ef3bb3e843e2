#pragma once
// The engine core's service hooks: what Core asks of the subsystems above it at once, without
// including them. Each hook names its owner, which installs it when it starts and removes it
// when it stops (see Core/ServiceHook.h); an uninstalled hook answers false.
//
// A later subsystem that Core must call at once adds its hook here, with its owner and its
// default answer, and installs it from its own folder. Most requests need no hook: they travel
// as messages.
#include "Core/ServiceHook.h"
#include "Math/Types.h"

namespace Core
{
struct CoreServices
{
    // True while the game is paused; the frame loop asks it for every system (owner: the
    // game-state system).
    ServiceHook<bool()> isPaused;
    // The collision category and mask of an object's collider, false when it has none; read by
    // the collision message's log text (owner: the physics system).
    ServiceHook<bool(u32 objectId, u32& category, u32& mask)> colliderInfo;
};

// The process's one table.
CoreServices& Services();
} // namespace Core
