#include "GameState/GameStateSystem.h"
#include "Core/Assets/ObjectDefinitionManager.h"
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Messages/Assets/AssetThreadDoneMessage.h"
#include "Core/Messages/Audio/AudioMusicMessage.h"
#include "Core/Messages/Gameplay/KillAIMessage.h"
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Messages/MessageTypes.h"
#include "Core/Messages/PostNew.h"
#include "Core/Messages/UserInterface/GameStateMessage.h"
#include "Core/Messages/UserInterface/GoToStateMessage.h"
#include "Core/System/MessageSystem.h"
#include "Scripting/LuaComponent.h"
#include "Scripting/LuaSystem.h"

namespace GameState
{
namespace System
{
GameStateSystem* GameStateSystem::s_instance = nullptr;

namespace
{
const char* const LogName = "GameStateSystem";
constexpr const char* AISystemName = "AISystem";
constexpr u32 NoTarget = 0;

// The engine's pause hook: the flag of the live game-state system.
bool IsGamePaused()
{
    GameStateSystem* system = GameStateSystem::Instance();
    return system != nullptr && system->IsPaused();
}

Scripting::LuaComponent* FindLuaScript(const std::string& name)
{
    Scripting::System::LuaSystem* lua = Scripting::System::LuaSystem::Instance();
    return lua != nullptr ? lua->FindScript(name) : nullptr;
}
} // namespace

GameStateSystem::GameStateSystem()
    : m_systemScript(nullptr), m_previous(0), m_current(0), m_next(0), m_count(0),
      m_initialized(false), m_paused(false)
{
    m_name = "GameStateSystem";
    s_instance = this;
}

GameStateSystem::~GameStateSystem()
{
    Core::Services().isPaused.Remove(&IsGamePaused);
    if (s_instance == this)
        s_instance = nullptr;
    // The scripts live in the engine's allocator; a system destroyed after it (a program that
    // made this system first) can no longer reach them, and their memory went with it.
    if (g_Engine == nullptr || g_Engine->GetAllocator() == nullptr)
        return;
    Leave();
    m_previous = m_current = m_next = m_count = 0;
    // The scripts are released here (a state script that failed to load belongs to no one
    // else); Destroy leaves the Lua system first.
    for (Scripting::LuaComponent* script : m_states)
        Scripting::LuaComponent::Destroy(script);
    m_states.clear();
    Scripting::LuaComponent::Destroy(m_systemScript);
    m_systemScript = nullptr;
}

std::string GameStateSystem::GetStateName(u32 index) const
{
    return index < m_count ? m_states[index]->GetScriptName() : std::string();
}

void GameStateSystem::Initialize(u32)
{
    Core::Services().isPaused.Install(&IsGamePaused);
    m_initialized = false;
    BuildStates();
    Leave();
    m_current = m_previous = 0;
    m_next = m_count >= 2 ? 1 : 0;
    Enter();
}

void GameStateSystem::BuildStates()
{
    // Named only once it gives its states.
    bool loaded = false;
    m_systemScript = Scripting::LuaComponent::CreateLoaded(
        SystemScript, std::string(), Scripting::LuaComponent::FailedLoad::Keep, &loaded);
    u32 count = 0;
    // A count of 0 (or one the script could not give as a number) leaves the game as empty as
    // a missing list, and is said the same way.
    if (!loaded || !m_systemScript->CallReturnUnsigned("GetScriptCount", count) || count == 0)
    {
        Core::Log() << "Error [" << LogName << "]: " << SystemScript
                    << " gives no states; the game has none\n";
        return;
    }
    m_systemScript->SetScriptName(SystemScriptName);
    if (count > MaxStates)
    {
        Core::Log() << "Error [" << LogName << "]: " << SystemScript << " reports " << count
                    << " states; only the first " << MaxStates << " are used\n";
        count = MaxStates;
    }
    // A call that ran past its budget would do so again for every state left, each taking the
    // whole budget: the list ends there.
    const Scripting::ScriptLimits& limits = m_systemScript->GetLimits();
    for (u32 i = 1; i <= count; ++i)
    {
        std::string file;
        std::string name;
        m_systemScript->CallUnsignedReturnString("GetScriptFilename", i, file);
        if (!limits.stopped)
            m_systemScript->CallUnsignedReturnString("GetScriptName", i, name);
        if (limits.stopped)
        {
            Core::Log() << "Error [" << LogName << "]: " << SystemScript
                        << " ran past its budget naming state " << i << "; the list ends there\n";
            break;
        }
        // A state that does not load keeps its place; its callbacks are reported as missing.
        Scripting::LuaComponent* state = Scripting::LuaComponent::CreateLoaded(
            file, name, Scripting::LuaComponent::FailedLoad::Keep);
        if (state == nullptr)
            break;
        // Reloaded here (F6, F9) between leaving and entering the current state.
        state->SetReloadedByOwner(true);
        m_states.push_back(state);
    }
    m_count = static_cast<u32>(m_states.size());
    Core::Log() << LogName << ": " << m_count << " states\n";
}

bool GameStateSystem::CallState(const char* function)
{
    if (m_current >= m_count)
        return false;
    m_states[m_current]->Call(function);
    return true;
}

void GameStateSystem::Enter()
{
    if (m_initialized || m_current >= m_count)
        return;
    if (Core::System::MessageSystem* messages = Core::System::MessageSystem::Instance())
        messages->ClearObjectMessages();
    Core::Log() << LogName << ": entering state " << GetStateName(m_current) << '\n';
    CallState("Load");
}

void GameStateSystem::Leave()
{
    if (!m_initialized || m_current >= m_count)
        return;
    if (Core::System::MessageSystem* messages = Core::System::MessageSystem::Instance())
    {
        messages->ClearQueueSparing(AssetThreadDoneMessage::Type);
        messages->ClearObjectMessages();
    }
    Core::Log() << LogName << ": leaving state " << GetStateName(m_current) << '\n';
    CallState("Free");
    CallState("Unload");
    m_initialized = false;
}

void GameStateSystem::SwitchTo(u32 target)
{
    Leave();
    if (target != m_current && target < m_count)
    {
        m_previous = m_current;
        m_current = target;
        m_next = target + 1 < m_count ? target + 1 : 0;
    }
    Enter();
}

void GameStateSystem::Update(f32 seconds)
{
    if (m_initialized && m_current < m_count)
        m_states[m_current]->CallWithFloat("UpdateState", seconds);
}

void GameStateSystem::HandleMessage(Message* message)
{
    if (message == nullptr)
        return;
    switch (message->type)
    {
    case GameStateMessage::Type:
        HandleCommand(static_cast<GameStateMessage*>(message)->command);
        break;
    case GoToStateMessage::Type:
        GoToState(static_cast<GoToStateMessage*>(message)->stateName);
        break;
    case MT_NEXT_LEVEL:
        NextLevel();
        break;
    case MT_KEYBOARD:
    {
        const auto* key = static_cast<KeyboardMessage*>(message);
        if (key->state == KS_TRIGGER)
            HandleKey(key->keyCode);
        break;
    }
    case MT_ASSET_BATCH_LOADED:
        if (!m_initialized && m_current < m_count)
        {
            Core::Log() << LogName << ": initializing state " << GetStateName(m_current) << '\n';
            // Marked first: a script that causes another batch message during its Initialize
            // must not be initialised twice.
            m_initialized = true;
            CallState("Initialize");
        }
        break;
    default:
        break;
    }
}

void GameStateSystem::HandleCommand(u32 command)
{
    switch (command)
    {
    case GSM_RESTART:
        SwitchTo(m_current);
        break;
    case GSM_EXIT:
        Leave();
        // The engine's own Quit posts this command again; quitting twice is harmless.
        if (g_Engine != nullptr && !g_Engine->IsDone())
            g_Engine->Quit();
        break;
    case GSM_PREVIOUS:
        SwitchTo(m_previous);
        break;
    case GSM_NEXT:
        SwitchTo(m_next);
        break;
    case GSM_PAUSE:
        SetPaused(true);
        break;
    case GSM_RESUME:
        SetPaused(false);
        break;
    default:
        break;
    }
}

void GameStateSystem::SetPaused(bool paused)
{
    m_paused = paused;
    Core::PostNew<AudioMusicMessage>(LogName, 0.0f, m_id, PauseMusic, MusicToggle, NoTarget);
}

void GameStateSystem::GoToState(const std::string& name)
{
    for (u32 i = 0; i < m_count; ++i)
    {
        if (m_states[i]->GetScriptName() == name)
        {
            SwitchTo(i);
            return;
        }
    }
}

void GameStateSystem::NextLevel()
{
    if (m_current + 1 < m_count)
    {
        if (Scripting::LuaComponent* next = FindLuaScript(m_states[m_current + 1]->GetScriptName()))
            next->Reload();
    }
    m_paused = false;
    if (g_Engine != nullptr)
        Core::PostNew<GameStateMessage>(LogName, NextLevelDelay, m_id, GSM_NEXT, NoTarget);
}

void GameStateSystem::HandleKey(u32 key)
{
    if (key == KillAIKey)
    {
        Core::PostNew<KillAIMessage>(LogName, 0.0f, m_id, AISystemName);
        return;
    }
    if (key != ReloadKey && key != ScriptReloadKey)
        return;
    if (key == ReloadKey)
    {
        Core::Log() << "GameStateSystem handling keyboard key 'F9'\n";
        if (Serializer::ObjectDefinitionManager* definitions =
                Serializer::ObjectDefinitionManager::Instance())
            definitions->ReloadAll();
    }
    Leave();
    for (Scripting::LuaComponent* state : m_states)
        state->Reload();
    if (Scripting::LuaComponent* geometry = FindLuaScript(GeometryScriptName))
        geometry->Reload();
    Enter();
}
} // namespace System
} // namespace GameState
