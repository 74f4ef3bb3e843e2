#include "GameState/GameStateSystem.h"
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/Messages/UserInterface/GameStateMessage.h"
#include "GameState/GameStateRegistration.h"
#include <gtest/gtest.h>

using GameState::System::GameStateSystem;

TEST(GameStateSystem, PauseAndResumeDriveTheEnginePauseFlag)
{
    Engine engine;
    GameState::RegisterGameState(engine);
    ASSERT_NE(engine.AddSystem("GameStateSystem"), nullptr);
    GameStateSystem* states = GameStateSystem::Instance();
    ASSERT_NE(states, nullptr);
    EXPECT_FALSE(engine.IsPaused());

    GameStateMessage pause(0, GSM_PAUSE, 0);
    states->HandleMessage(&pause);
    EXPECT_TRUE(engine.IsPaused());
    GameStateMessage resume(0, GSM_RESUME, 0);
    states->HandleMessage(&resume);
    EXPECT_FALSE(engine.IsPaused());
}

TEST(GameStateSystem, ExitQuitsTheEngine)
{
    Engine engine;
    GameState::RegisterGameState(engine);
    engine.AddSystem("GameStateSystem");
    GameStateMessage exit(0, GSM_EXIT, 0);
    GameStateSystem::Instance()->HandleMessage(&exit);
    EXPECT_TRUE(engine.IsDone());
}

TEST(GameStateSystem, EngineIsNotPausedWithoutIt)
{
    Engine engine;
    {
        GameState::RegisterGameState(engine);
        engine.AddSystem("GameStateSystem");
        GameStateMessage pause(0, GSM_PAUSE, 0);
        GameStateSystem::Instance()->HandleMessage(&pause);
        EXPECT_TRUE(engine.IsPaused());
    }
    // Removing the pause source (as the system's destructor does) answers "not paused".
    Core::Services().isPaused.Install(nullptr);
    EXPECT_FALSE(engine.IsPaused());
}

TEST(GameStateSystem, StoppingRemovesThePauseHook)
{
    {
        Engine engine;
        GameState::RegisterGameState(engine);
        engine.AddSystem("GameStateSystem");
        EXPECT_TRUE(Core::Services().isPaused.IsInstalled());
    }
    // A hook left behind would keep answering for a system that no longer exists.
    EXPECT_FALSE(Core::Services().isPaused.IsInstalled());
    Engine next;
    EXPECT_FALSE(next.IsPaused());
}
