#pragma once
// Registration of the game-state subsystem with the engine. Game/Registration.cpp calls it
// after the registrations of the subsystems below it.
class Engine;

namespace GameState
{
// The game-state and user-interface systems, the screen-element, button, page and game-state
// components and their type records.
void RegisterGameState(Engine& engine);
} // namespace GameState
