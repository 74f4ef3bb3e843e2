#pragma once
// The one place that tells the engine which classes exist, subsystem by subsystem in a fixed
// order, lowest first. Each subsystem offers one Register function that registers its systems,
// component classes and type records; this file calls them. A new subsystem adds its call here,
// in its layer's place.
class Engine;

namespace Game
{
// Call once on a new engine, before Engine::Initialize.
void RegisterSubsystems(Engine& engine);
} // namespace Game
