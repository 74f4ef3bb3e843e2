#pragma once
// Registration of the game-state subsystem with the engine. Game/Registration.cpp calls it
// after Scripting::RegisterScripting.
class Engine;

namespace GameState
{
// The game-state system, under the name "GameStateSystem", and the HUD element component.
void RegisterGameState(Engine& engine);
} // namespace GameState
