#include "Game/Registration.h"
#include "Core/CoreRegistration.h"
#include "GameState/GameStateSystem.h"
#include "Scripting/ScriptingRegistration.h"
#include "Serializer/SerializerRegistration.h"

namespace Game
{
void RegisterSystems(SystemFactory& factory)
{
    Core::RegisterCoreSystems(factory);
    Scripting::RegisterScriptingSystems(factory);
    Serializer::RegisterSerializerSystems(factory);
    GameState::RegisterGameStateSystems(factory);
}
} // namespace Game
