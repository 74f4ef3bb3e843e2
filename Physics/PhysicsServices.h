#pragma once
// The physics layer's service hooks: what physics asks at once of the game logic above it,
// without including it (see Core/ServiceHook.h). An uninstalled hook answers 0.
#include "Core/ServiceHook.h"
#include "Math/Types.h"

namespace Physics
{
struct PhysicsServices
{
    // The triggered state of the object's beacon stance, 0 when it has none or it is not
    // triggered; a character controller's stick input reads it (owner: the logic system).
    ServiceHook<u32(u32 objectId)> beaconStanceState;
    // The same for the object's archer stance; read when a controller turns its character
    // (owner: the logic system).
    ServiceHook<u32(u32 objectId)> archerStanceState;
};

// The process's one table.
PhysicsServices& Services();
} // namespace Physics
