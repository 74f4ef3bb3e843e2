#pragma once
// The game's registration: tells the engine which classes exist, subsystem by subsystem in a fixed
// order, lowest first. Each subsystem offers one Register function that registers its systems,
// component classes and type records; the one list that calls them is
// ScriptApi/SubsystemRegistration.h, which the whole game at play of the tests and the benchmarks
// calls too. A new subsystem adds its call there, in its layer's place.
class Engine;

namespace Game
{
// Call once on a new engine, before Engine::Initialize.
void RegisterSubsystems(Engine& engine);
} // namespace Game
