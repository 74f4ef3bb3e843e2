#include "GameState/GameStateSystem.h"
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/Messages/UserInterface/GameStateMessage.h"

namespace GameState
{
namespace System
{
GameStateSystem* GameStateSystem::s_instance = nullptr;

namespace
{
// The engine's pause hook: the flag of the live game-state system.
bool IsGamePaused()
{
    GameStateSystem* system = GameStateSystem::Instance();
    return system != nullptr && system->IsPaused();
}
} // namespace

GameStateSystem::GameStateSystem()
{
    m_name = "GameStateSystem";
    s_instance = this;
}

GameStateSystem::~GameStateSystem()
{
    Core::Services().isPaused.Remove(&IsGamePaused);
    if (s_instance == this)
        s_instance = nullptr;
}

void GameStateSystem::Initialize(u32)
{
    Core::Services().isPaused.Install(&IsGamePaused);
}

void GameStateSystem::HandleMessage(Message* message)
{
    if (message == nullptr || message->type != GameStateMessage::Type)
        return;
    switch (static_cast<GameStateMessage*>(message)->command)
    {
    case GSM_EXIT:
        // The engine's own Quit posts this command again; quitting twice is harmless.
        if (g_Engine != nullptr && !g_Engine->IsDone())
            g_Engine->Quit();
        break;
    case GSM_PAUSE:
        m_paused = true;
        break;
    case GSM_RESUME:
        m_paused = false;
        break;
    default:
        break;
    }
}
} // namespace System
} // namespace GameState
