#include "GameState/GameStateRegistration.h"
#include "Core/Engine.h"
#include "Core/Objects/ComponentFactory.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Core/SystemFactory.h"
#include "GameState/GameStateSystem.h"
#include "GameState/HUDComponent.h"

namespace GameState
{
namespace
{
void RegisterGameStateTypeRecords()
{
    TypeRecordOf<HUDComponent>();
}
} // namespace

void RegisterGameState(Engine& engine)
{
    engine.GetSystemFactory().Register<System::GameStateSystem>("GameStateSystem");
    engine.GetFactory()->GetComponentFactory().Register<HUDComponent>(
        ComponentFactory::GameStatePool);
    AddTypeRecordRegistration(&RegisterGameStateTypeRecords);
}
} // namespace GameState
