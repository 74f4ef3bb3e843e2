#pragma once
// The game rules' service hooks: what Logic asks at once of the AI subsystem above it, without
// including it. The AI system installs these when it starts and removes them when it stops
// (Core/ServiceHook.h); until then each answers 0 or false and does nothing.
#include "Core/ServiceHook.h"
#include "Math/Types.h"

class GameObjectComponent;

namespace Logic
{
struct LogicServices
{
    // The number of registered AI controllers (the damage modifier's final-kill sound; owner:
    // the AI system).
    ServiceHook<u32()> aiControllerCount;
    // Makes every AI controller target the object (the taunt trap's pulse; owner: the AI
    // system).
    ServiceHook<void(u32 targetObjectId)> setAIControllerTargets;
    // Hands a spawner ("SpawnChildrenComponent") its owner's health fraction; true when it
    // spawned, so the health container leaves an experience area (owner: the AI system).
    ServiceHook<bool(GameObjectComponent& spawner, f32 healthFraction)> spawnOnHealth;
};

// The process's one table.
LogicServices& Services();
} // namespace Logic
