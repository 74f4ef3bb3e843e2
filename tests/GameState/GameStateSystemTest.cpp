#include "GameState/GameStateSystem.h"
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/Messages/Audio/AudioMusicMessage.h"
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

TEST(GameStateSystem, PauseAndResumeEachToggleTheBackgroundMusic)
{
    Engine engine;
    GameState::RegisterGameState(engine);
    engine.AddSystem("GameStateSystem");
    GameStateSystem* states = GameStateSystem::Instance();
    GameStateMessage pause(0, GSM_PAUSE, 0);
    states->HandleMessage(&pause);
    GameStateMessage resume(0, GSM_RESUME, 0);
    states->HandleMessage(&resume);
    // No message system yet: the posts wait in the engine.
    const auto held = engine.TakeHeldMessages();
    ASSERT_EQ(held.size(), 2u);
    for (const auto& [message, delay] : held)
    {
        auto* music = dynamic_cast<AudioMusicMessage*>(message);
        ASSERT_NE(music, nullptr);
        EXPECT_EQ(music->audioName, "backgroundMusicLoop");
        EXPECT_EQ(music->action, 1u) << "toggle";
        EXPECT_EQ(music->senderId, states->GetId());
        EXPECT_EQ(music->targetObjectId, 0u) << "to every system";
        EXPECT_EQ(delay, 0.0f);
        DestroyMessage(message);
    }
}
