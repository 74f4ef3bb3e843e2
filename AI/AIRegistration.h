#pragma once
// Registration of the computer-controlled side with the engine. Game/Registration.cpp calls it
// after Logic::RegisterLogic.
class Engine;

namespace AI
{
// The AI system ("AISystem"), the AI component kinds in the AI pool, and their type records.
void RegisterAI(Engine& engine);
} // namespace AI
