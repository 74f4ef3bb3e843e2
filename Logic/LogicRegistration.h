#pragma once
// Registration of the game rules with the engine. Game/Registration.cpp calls it after
// GameState::RegisterGameState.
class Engine;

namespace Logic
{
// The logic system ("LogicSystem"), the logic component kinds in the logic pool (the enemies'
// attack ability in the AI pool), and their type records.
void RegisterLogic(Engine& engine);
// The type records of every logic class, bases first.
void RegisterLogicTypeRecords();
} // namespace Logic
