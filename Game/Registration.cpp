#include "Game/Registration.h"
#include "ScriptApi/SubsystemRegistration.h"

namespace Game
{
void RegisterSubsystems(Engine& engine)
{
    Scripting::RegisterAllSubsystems(engine);
}
} // namespace Game
