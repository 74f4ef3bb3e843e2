#include "GameState/GameStateSystem.h"
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/Messages/Audio/AudioMusicMessage.h"
#include "Core/Messages/UserInterface/GameStateMessage.h"

namespace GameState
{
namespace System
{
GameStateSystem* GameStateSystem::s_instance = nullptr;

namespace
{
// The music that pausing and resuming the game pause and resume, and the music command that
// toggles a track's pause.
constexpr const char* PausedMusic = "backgroundMusicLoop";
constexpr u32 MusicTogglePause = 1;

// Both pause and resume send the toggle, to every system (the audio system takes it).
void TogglePausedMusic(u32 senderId)
{
    if (g_Engine != nullptr)
        g_Engine->SendMessage(new AudioMusicMessage(senderId, PausedMusic, MusicTogglePause, 0),
                              0.0f);
}

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
        TogglePausedMusic(GetId());
        break;
    case GSM_RESUME:
        m_paused = false;
        TogglePausedMusic(GetId());
        break;
    default:
        break;
    }
}
} // namespace System
} // namespace GameState
