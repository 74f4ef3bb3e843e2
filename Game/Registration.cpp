#include "Game/Registration.h"
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

namespace Game
{
void RegisterSubsystems(Engine& engine)
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
} // namespace Game
