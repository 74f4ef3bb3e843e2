#pragma once
// The game's states (menus, levels) as Lua scripts, and the game's pause flag.
//
// Which states exist and in which order is said by "System/GameStateSystem.lua" through
// GetScriptCount, GetScriptFilename(i) and GetScriptName(i), i from 1; state i is index i - 1.
// A call that runs past the script's budget ends the list there (logged).
// A state script may define Load (on entry), Initialize (when an asset batch has finished
// loading after the entry), UpdateState(dt) (every frame while initialised), Free and Unload (on
// leaving, only when initialised). The state machine is four indices: previous, current, next
// and the count; game-state messages switch, restart, pause and resume, a go-to-state message
// switches by name, a next-level message reloads the next state's script and posts GSM_NEXT.
// Developer keys on their press: X removes every computer-controlled character, F9 reloads the
// object definitions and every state script, F6 (every script) reloads the state scripts the same
// way: the current state is left, its script reloaded, and the state entered again.
//
// Without states (the system script missing or broken, or no GetScriptCount) entering,
// leaving, initialising and updating do nothing; one log line says so. Script entries may run
// while other systems and the game factory are absent (start-up, shut-down), so every call
// here tolerates that. Main thread only.
#include "Core/SystemComponent.h"
#include "Platform/KeyCodes.h"
#include <vector>

namespace Scripting
{
class LuaComponent;
}

namespace GameState
{
namespace System
{
class GameStateSystem : public SystemComponent
{
public:
    static constexpr const char* SystemScript = "System/GameStateSystem.lua";
    static constexpr const char* SystemScriptName = "gameStateSystemScript";
    // More states than this are cut off (with a log line): a count is the script's word.
    static constexpr u32 MaxStates = 64;
    // Developer keys, in the engine's key numbering.
    static constexpr u32 KillAIKey = 'X';
    static constexpr u32 ReloadKey = Platform::Keys::F9;
    // The Lua system's reload of every script (F6) reloads the state scripts here, the current
    // state left before and entered again after, as F9 does.
    static constexpr u32 ScriptReloadKey = Platform::Keys::F6;
    // What GSM_NEXT waits after a next-level message, so the reload is done first.
    static constexpr f32 NextLevelDelay = 0.1f;
    // The music that pause and resume toggle, and the command that toggles it.
    static constexpr const char* PauseMusic = "backgroundMusicLoop";
    static constexpr u32 MusicToggle = 1;
    // The debug script F9 reloads with the states.
    static constexpr const char* GeometryScriptName = "geo";

    GameStateSystem();
    // Leaves the current state, then releases the state scripts.
    ~GameStateSystem() override;

    static GameStateSystem* Instance() { return s_instance; }

    const std::string& GetName() const override
    {
        static const std::string name = "GameStateSystem";
        return name;
    }
    // UpdateState(dt) of the current state while it is initialised.
    void Update(f32 seconds) override;
    // Installs the pause hook (Core/CoreServices.h), builds the states and enters state 0.
    void Initialize(u32 launchFlags) override;
    void HandleMessage(Message* message) override;
    // Game-state components register here; the system keeps no list of them.
    void Register(GameObjectComponent*) override {}
    void Unregister(GameObjectComponent*) override {}

    bool IsPaused() const { return m_paused; }

    u32 GetCurrent() const { return m_current; }
    u32 GetPrevious() const { return m_previous; }
    u32 GetNext() const { return m_next; }
    u32 GetCount() const { return m_count; }
    bool IsInitialized() const { return m_initialized; }
    // The name of a state; empty for an index out of range.
    std::string GetStateName(u32 index) const;

private:
    void BuildStates();
    // Load of the current state, after dropping pending object messages; nothing when already
    // initialised.
    void Enter();
    // Free and Unload of the current state when it is initialised, after emptying the queues
    // (batch completions are spared so a background batch still finishes).
    void Leave();
    // Leave, move the indices to the target (unless it is the current one), enter.
    void SwitchTo(u32 target);
    void HandleCommand(u32 command);
    void GoToState(const std::string& name);
    void NextLevel();
    void HandleKey(u32 key);
    void SetPaused(bool paused);
    // Calls a state callback; false when there is no such state.
    bool CallState(const char* function);

    Scripting::LuaComponent* m_systemScript;
    std::vector<Scripting::LuaComponent*> m_states;
    u32 m_previous;
    u32 m_current;
    u32 m_next;
    u32 m_count;
    bool m_initialized;
    bool m_paused;

    static GameStateSystem* s_instance;
};
} // namespace System
} // namespace GameState
