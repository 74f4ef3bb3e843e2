#include "Game/Registration.h"
#include "Core/CoreRegistration.h"
#include "GameState/GameStateRegistration.h"
#include "Scripting/ScriptingRegistration.h"
#include "Serializer/SerializerRegistration.h"

namespace Game
{
void RegisterSubsystems(Engine& engine)
{
    // Lowest layer first. The subsystems still to come take their layers' places: Graphics,
    // Physics and Audio before GameState; Logic, AI, Tools and Testing after it.
    Core::RegisterCore(engine);
    Serializer::RegisterSerializer(engine);
    Scripting::RegisterScripting(engine);
    GameState::RegisterGameState(engine);
}
} // namespace Game
