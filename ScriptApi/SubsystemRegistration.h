#pragma once
// Every subsystem registered, lowest layer first, in the order the game registers them (the order
// the type records are made in). The game's own registration (Game/Registration.cpp) calls it,
// and so does the whole game at play of the tests and the benchmarks
// (tests/ScriptApi/Support/GameFrameWorld.h), which sits below the game's layer. It sits with the
// script tables because they are registered last, above every subsystem they drive. A program
// that calls it links every engine library.
#include "AI/AIRegistration.h"
#include "Audio/AudioRegistration.h"
#include "Core/CoreRegistration.h"
#include "GameState/GameStateRegistration.h"
#include "Graphics/GraphicsRegistration.h"
#include "Logic/LogicRegistration.h"
#include "Physics/PhysicsRegistration.h"
#include "ScriptApi/ScriptApiRegistration.h"
#include "Scripting/ScriptingRegistration.h"
#include "Serializer/SerializerRegistration.h"
#include "Testing/TestingRegistration.h"
#include "Tools/ToolsRegistration.h"

class Engine;

namespace Scripting
{
// Call once on a new engine, before Engine::Initialize.
inline void RegisterAllSubsystems(Engine& engine)
{
    // Lowest layer first.
    Core::RegisterCore(engine);
    Serializer::RegisterSerializer(engine);
    Scripting::RegisterScripting(engine);
    Graphics::RegisterGraphics(engine);
    Physics::RegisterPhysics(engine);
    Audio::RegisterAudio(engine);
    GameState::RegisterGameState(engine);
    Logic::RegisterLogic(engine);
    AI::RegisterAI(engine);
    Tools::RegisterTools(engine);
    Testing::RegisterTesting(engine);
    // The script tables, above every subsystem they drive; set before any script runs.
    Scripting::RegisterScriptTables();
}
} // namespace Scripting
