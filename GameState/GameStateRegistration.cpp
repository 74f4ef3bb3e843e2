#include "GameState/GameStateRegistration.h"
#include "Core/Engine.h"
#include "Core/Objects/ComponentFactory.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Core/SystemFactory.h"
#include "GameState/ButtonComponent.h"
#include "GameState/GameStateComponent.h"
#include "GameState/GameStateSystem.h"
#include "GameState/HUDComponent.h"
#include "GameState/PageComponent.h"
#include "GameState/UISystem.h"

namespace GameState
{
void RegisterGameState(Engine& engine)
{
    engine.GetSystemFactory().Register<System::GameStateSystem>("GameStateSystem");
    engine.GetSystemFactory().Register<System::UISystem>("UISystem");
    ComponentFactory& components = engine.GetFactory()->GetComponentFactory();
    // Screen elements come from the game-logic pool: they are the health bars and skill icons
    // that the game rules drive.
    components.Register<HUDComponent>(ComponentFactory::LogicPool);
    components.Register<ButtonComponent>(ComponentFactory::GameStatePool);
    components.Register<GameStateComponent>(ComponentFactory::GameStatePool);
    components.Register<PageComponent>(ComponentFactory::GameStatePool);
}
} // namespace GameState
