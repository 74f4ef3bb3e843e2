#pragma once
// Registration of the game rules with the engine. Game/Registration.cpp calls it after
// GameState::RegisterGameState.
class Engine;

namespace Logic
{
// The logic system ("LogicSystem"), the logic component kinds in the logic pool (the enemies'
// attack ability in the AI pool), and their type records.
void RegisterLogic(Engine& engine);
// The members of the logic classes' type records (their bases' members, after every logic
// record is made).
void RegisterLogicTypeRecords();
} // namespace Logic
