#pragma once
// The game-state system: owns the paused flag that the frame loop reads for every system, and
// acts on game-state commands (exit quits the engine; pause and resume set the flag).
// The state scripts and their life cycle join it with the scripting layer.
#include "Core/SystemComponent.h"

namespace GameState
{
namespace System
{
class GameStateSystem : public SystemComponent
{
public:
    GameStateSystem();
    ~GameStateSystem() override;

    static GameStateSystem* Instance() { return s_instance; }

    std::string GetName() const override { return "GameStateSystem"; }
    void Update(f32) override {}
    // Installs the paused flag as the engine's pause hook (Core/CoreServices.h).
    void Initialize(u32 launchFlags) override;
    void HandleMessage(Message* message) override;

    bool IsPaused() const { return m_paused; }

private:
    bool m_paused = false;

    static GameStateSystem* s_instance;
};
} // namespace System
} // namespace GameState
