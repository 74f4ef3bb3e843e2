#pragma once
// Registration of the physics subsystem with the engine. Game/Registration.cpp calls it after
// Graphics::RegisterGraphics.
class Engine;

namespace Physics
{
// The physics system under "PhysicsSystem", the physics components in their pool, and their
// type records.
void RegisterPhysics(Engine& engine);
} // namespace Physics
