#include "GameState/GameStateRegistration.h"
#include "Core/Engine.h"
#include "Core/SystemFactory.h"
#include "GameState/GameStateSystem.h"

namespace GameState
{
void RegisterGameState(Engine& engine)
{
    engine.GetSystemFactory().Register<System::GameStateSystem>("GameStateSystem");
}
} // namespace GameState
