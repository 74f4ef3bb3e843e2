#include "Game/Registration.h"
#include "Core/CoreRegistration.h"
#include "GameState/GameStateSystem.h"
#include "Graphics/GraphicsRegistration.h"
#include "Scripting/ScriptingRegistration.h"
#include "Serializer/SerializerRegistration.h"

namespace Game
{
void RegisterSystems(SystemFactory& factory)
{
    Core::RegisterCoreSystems(factory);
    Scripting::RegisterScriptingSystems(factory);
    Serializer::RegisterSerializerSystems(factory);
    Graphics::RegisterGraphics(factory);
    GameState::RegisterGameStateSystems(factory);
}
} // namespace Game
