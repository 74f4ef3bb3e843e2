#include "GameState/GameStateSystem.h"
#include "Core/Engine.h"
#include "Core/Messages/UserInterface/GameStateMessage.h"
#include "Core/SystemFactory.h"

namespace GameState
{
namespace System
{
GameStateSystem* GameStateSystem::s_instance = nullptr;

GameStateSystem::GameStateSystem()
{
    m_name = "GameStateSystem";
    s_instance = this;
}

GameStateSystem::~GameStateSystem()
{
    if (g_Engine != nullptr)
        g_Engine->SetPauseQuery(nullptr);
    if (s_instance == this)
        s_instance = nullptr;
}

void GameStateSystem::Initialize(u32)
{
    if (g_Engine != nullptr)
        g_Engine->SetPauseQuery([this]() { return m_paused; });
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

void RegisterGameStateSystems(SystemFactory& factory)
{
    factory.Register<System::GameStateSystem>("GameStateSystem");
}
} // namespace GameState
