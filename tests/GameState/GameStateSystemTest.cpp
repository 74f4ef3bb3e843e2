#include "GameState/GameStateSystem.h"
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/Messages/UserInterface/GameStateMessage.h"
#include "GameState/GameStateRegistration.h"
#include "tests/GameState/GameStateWorld.h"
#include <gtest/gtest.h>

using GameState::System::GameStateSystem;

namespace
{
// The game-state system behind a first system: the first one outlives the engine's allocator
// (the log's place in the game), and the state scripts live in that allocator.
SystemComponent* AddGameStateSystem(Engine& engine)
{
    engine.GetSystemFactory().Register(
        "CreationRecorder",
        [](const LaunchOptions&) -> SystemComponent* { return new CreationRecorder(); },
        []() -> SystemComponent* { return nullptr; });
    engine.AddSystem("CreationRecorder");
    return engine.AddSystem("GameStateSystem");
}
} // namespace

TEST(GameStateSystem, PauseAndResumeDriveTheEnginePauseFlag)
{
    Engine engine;
    GameState::RegisterGameState(engine);
    ASSERT_NE(AddGameStateSystem(engine), nullptr);
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
    AddGameStateSystem(engine);
    GameStateMessage exit(0, GSM_EXIT, 0);
    GameStateSystem::Instance()->HandleMessage(&exit);
    EXPECT_TRUE(engine.IsDone());
}

TEST(GameStateSystem, EngineIsNotPausedWithoutIt)
{
    Engine engine;
    {
        GameState::RegisterGameState(engine);
        AddGameStateSystem(engine);
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
        AddGameStateSystem(engine);
        EXPECT_TRUE(Core::Services().isPaused.IsInstalled());
    }
    // A hook left behind would keep answering for a system that no longer exists.
    EXPECT_FALSE(Core::Services().isPaused.IsInstalled());
    Engine next;
    EXPECT_FALSE(next.IsPaused());
}

// The state machine on temporary script trees: each state script logs its callbacks as
// "<state> <callback>", and its chunk logs "<state> chunk" whenever it runs (load or reload).
#include "Core/Messages/Assets/AssetThreadDoneMessage.h"
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Messages/MessageTypes.h"
#include "Core/Messages/UserInterface/ChangePageMessage.h"
#include "Core/Messages/UserInterface/GoToStateMessage.h"
#include "Core/Messages/UserInterface/NextLevelMessage.h"
#include "Core/System/AssetLoaderSystem.h"
#include "Core/System/MessageSystem.h"
#include "Scripting/LuaSystem.h"
#include "tests/GameState/GameStateWorld.h"
#include "tests/Support/TempFiles.h"
#include <chrono>
#include <thread>

namespace
{
std::string StateScript(const std::string& name)
{
    std::string text = "Engine.Output('" + name + " chunk')\n";
    for (const char* callback : {"Load", "Initialize", "Free", "Unload"})
        text += std::string("function ") + callback + "() Engine.Output('" + name + " " + callback +
                "') end\n";
    text += "function UpdateState(dt) Engine.Output('" + name + " UpdateState ' .. dt) end\n";
    text += "function Update(dt) end\n";
    return text;
}

// A tree with `count` states named S0, S1, ... in files States/File<i>.lua.
void WriteStates(const TempFolder& folder, u32 count)
{
    folder.Write("assets/Scripts/System/GameStateSystem.lua",
                 "function GetScriptCount() return " + std::to_string(count) +
                     " end\n"
                     "function GetScriptFilename(i) return 'States/File' .. (i - 1) .. '.lua' end\n"
                     "function GetScriptName(i) return 'S' .. (i - 1) end\n"
                     "function Update(dt) end\n");
    for (u32 i = 0; i < count; ++i)
        folder.Write("assets/Scripts/States/File" + std::to_string(i) + ".lua",
                     StateScript("S" + std::to_string(i)));
}

struct StateWorld
{
    // The scripts are written before the world's systems start.
    explicit StateWorld(u32 count) : written((WriteStates(folder, count), true)) {}
    GameStateSystem& States() { return *GameStateSystem::Instance(); }
    void Command(u32 command)
    {
        GameStateMessage message(0, command, 0);
        States().HandleMessage(&message);
    }
    void BatchLoaded()
    {
        Message loaded(0, MT_ASSET_BATCH_LOADED, 0, sizeof(Message));
        States().HandleMessage(&loaded);
    }
    std::size_t Count(const std::string& line) { return world.log.Count(line); }

    TempFolder folder{"quill-states"};
    bool written;
    GameStateWorld world;
};
} // namespace

TEST(GameStateMachine, StatesComeFromTheSystemScriptAndSwitchAndWrap)
{
    StateWorld states(3);
    GameStateSystem& system = states.States();
    EXPECT_EQ(system.GetCount(), 3u);
    EXPECT_EQ(system.GetStateName(2), "S2");
    EXPECT_EQ(states.Count("S2 chunk"), 1u) << "loaded from GetScriptFilename(3)";
    EXPECT_EQ(system.GetCurrent(), 0u);
    EXPECT_EQ(system.GetPrevious(), 0u);
    EXPECT_EQ(system.GetNext(), 1u);
    EXPECT_EQ(states.Count("S0 Load"), 1u);

    // Previous right after start-up targets the current state: left and entered again.
    states.BatchLoaded();
    states.Command(GSM_PREVIOUS);
    EXPECT_EQ(system.GetCurrent(), 0u);
    EXPECT_EQ(states.Count("S0 Free"), 1u);
    EXPECT_EQ(states.Count("S0 Load"), 2u);

    // Next twice to the last state, once more wraps to state 0 with next 1.
    states.Command(GSM_NEXT);
    states.Command(GSM_NEXT);
    EXPECT_EQ(system.GetCurrent(), 2u);
    EXPECT_EQ(system.GetNext(), 0u);
    EXPECT_EQ(system.GetPrevious(), 1u);
    states.Command(GSM_NEXT);
    EXPECT_EQ(system.GetCurrent(), 0u);
    EXPECT_EQ(system.GetNext(), 1u);

    // By name: the current state restarts, an unknown name changes nothing.
    GoToStateMessage same(0, "S0", 0);
    system.HandleMessage(&same);
    EXPECT_EQ(states.Count("S0 Load"), 4u);
    GoToStateMessage unknown(0, "S", 0);
    system.HandleMessage(&unknown);
    EXPECT_EQ(states.Count("S0 Load"), 4u);
    GoToStateMessage second(0, "S1", 0);
    system.HandleMessage(&second);
    EXPECT_EQ(system.GetCurrent(), 1u);
    states.Command(42);
    EXPECT_EQ(system.GetCurrent(), 1u);
}

TEST(GameStateMachine, InitializeOncePerEntryAndNoFreeBeforeIt)
{
    StateWorld states(2);
    states.BatchLoaded();
    states.BatchLoaded();
    EXPECT_EQ(states.Count("S0 Initialize"), 1u);
    states.Command(GSM_NEXT);
    EXPECT_EQ(states.Count("S0 Free"), 1u);
    EXPECT_EQ(states.Count("S0 Unload"), 1u);
    // S1 was never initialised: leaving it runs neither Free nor Unload.
    states.Command(GSM_NEXT);
    EXPECT_EQ(states.Count("S1 Free"), 0u);
    EXPECT_EQ(states.Count("S1 Unload"), 0u);
    states.BatchLoaded();
    EXPECT_EQ(states.Count("S0 Initialize"), 2u);
}

TEST(GameStateMachine, OneStateRestartsOnNextAndUpdatesWithZeroWhilePaused)
{
    StateWorld states(1);
    EXPECT_EQ(states.States().GetNext(), 0u);
    states.BatchLoaded();
    states.Command(GSM_NEXT);
    EXPECT_EQ(states.Count("S0 Load"), 2u);
    EXPECT_EQ(states.Count("S0 Unload"), 1u);

    states.BatchLoaded();
    states.Command(GSM_PAUSE);
    states.world.Frames(1);
    EXPECT_EQ(states.Count("S0 UpdateState 0"), 1u);
    states.Command(GSM_RESUME);
    states.world.Frames(1);
    EXPECT_EQ(states.Count("S0 UpdateState 0.033"), 1u);
}

TEST(GameStateMachine, NextLevelReloadsTheNextScriptClearsPauseAndPostsNextLater)
{
    StateWorld states(2);
    auto* messages = Core::System::MessageSystem::Instance();
    messages->ClearQueue();
    NextLevelMessage next(0, "GameStateSystem");
    states.Command(GSM_PAUSE);
    messages->ClearQueue();
    states.States().HandleMessage(&next);
    EXPECT_EQ(states.Count("S1 chunk"), 2u) << "the next state's script runs afresh";
    EXPECT_FALSE(states.States().IsPaused());
    ASSERT_EQ(messages->GetQueueSize(), 1u) << "only the delayed GSM_NEXT, no music message";

    // In the last state nothing is reloaded, and GSM_NEXT still follows 0.1 s later.
    states.world.Frames(2); // 2/30 s
    EXPECT_EQ(states.States().GetCurrent(), 0u);
    states.world.Frames(2);
    EXPECT_EQ(states.States().GetCurrent(), 1u);
    states.States().HandleMessage(&next);
    EXPECT_EQ(states.Count("S0 chunk"), 1u);
    EXPECT_EQ(states.Count("S1 chunk"), 2u);
    EXPECT_EQ(messages->GetQueueSize(), 1u);
}

TEST(GameStateMachine, DeveloperKeysActOnlyOnThePress)
{
    StateWorld states(2);
    auto* messages = Core::System::MessageSystem::Instance();
    states.BatchLoaded();
    messages->ClearQueue();
    for (u32 state : {KS_PRESSED, KS_RELEASE, KS_NONE})
    {
        KeyboardMessage f9(0, GameStateSystem::ReloadKey, state, 0);
        KeyboardMessage x(0, GameStateSystem::KillAIKey, state, 0);
        states.States().HandleMessage(&f9);
        states.States().HandleMessage(&x);
    }
    EXPECT_EQ(states.Count("F9"), 0u);
    EXPECT_EQ(messages->GetQueueSize(), 0u);

    KeyboardMessage x(0, GameStateSystem::KillAIKey, KS_TRIGGER, 0);
    states.States().HandleMessage(&x);
    EXPECT_EQ(messages->GetQueueSize(), 1u) << "the kill-AI message";

    // F9: the log line, every state script afresh, the current state left and entered again.
    KeyboardMessage f9(0, GameStateSystem::ReloadKey, KS_TRIGGER, 0);
    states.States().HandleMessage(&f9);
    EXPECT_EQ(states.Count("GameStateSystem handling keyboard key 'F9'"), 1u);
    EXPECT_EQ(states.Count("S0 chunk"), 2u);
    EXPECT_EQ(states.Count("S1 chunk"), 2u);
    EXPECT_EQ(states.Count("S0 Unload"), 1u);
    EXPECT_EQ(states.Count("S0 Load"), 2u);
    EXPECT_EQ(states.States().GetCount(), 2u);
}

// F6 reloads every script. A state script reloaded in the middle of its state would forget what
// its Unload must destroy (a level left after it kept all its objects): the Lua system leaves
// the state scripts to this system, which unloads, reloads and enters the state around it.
TEST(GameStateMachine, ReloadingEveryScriptUnloadsTheStateBeforeItsScriptReloads)
{
    StateWorld states(2);
    states.BatchLoaded();
    KeyboardMessage f6(0, GameStateSystem::ScriptReloadKey, KS_TRIGGER, 0);
    // The Lua system comes first in the engine's system order.
    Scripting::System::LuaSystem::Instance()->HandleMessage(&f6);
    EXPECT_EQ(states.Count("S0 chunk"), 1u) << "state scripts are not the Lua system's to reload";
    states.States().HandleMessage(&f6);
    EXPECT_EQ(states.Count("S0 Unload"), 1u);
    EXPECT_EQ(states.Count("S0 chunk"), 2u);
    EXPECT_EQ(states.Count("S0 Load"), 2u);
    EXPECT_EQ(states.Count("GameStateSystem handling keyboard key 'F9'"), 0u);
}

TEST(GameStateMachine, WithoutStatesNothingHappensAndOneLineSaysSo)
{
    TempFolder folder("quill-states");
    folder.Write("assets/Scripts/System/GameStateSystem.lua", "function Update(dt) end\n");
    GameStateWorld world;
    GameStateSystem& system = *GameStateSystem::Instance();
    EXPECT_EQ(system.GetCount(), 0u);
    EXPECT_EQ(world.log.Count("gives no states"), 1u);
    GameStateMessage next(0, GSM_NEXT, 0);
    system.HandleMessage(&next);
    Message loaded(0, MT_ASSET_BATCH_LOADED, 0, sizeof(Message));
    system.HandleMessage(&loaded);
    world.Frames(2);
    EXPECT_FALSE(system.IsInitialized());
    EXPECT_EQ(system.GetCurrent(), 0u);
}

TEST(GameStateMachine, MissingSystemScriptAndTooManyStates)
{
    {
        TempFolder folder("quill-states");
        GameStateWorld world;
        EXPECT_EQ(GameStateSystem::Instance()->GetCount(), 0u);
        EXPECT_EQ(world.log.Count("gives no states"), 1u);
    }
    TempFolder folder("quill-states");
    WriteStates(folder, 1);
    folder.Write("assets/Scripts/System/GameStateSystem.lua",
                 "function GetScriptCount() return 1000 end\n"
                 "function GetScriptFilename(i) return 'States/File0.lua' end\n"
                 "function GetScriptName(i) return 'S' .. i end\n");
    GameStateWorld world;
    EXPECT_EQ(GameStateSystem::Instance()->GetCount(), GameStateSystem::MaxStates);
    EXPECT_EQ(world.log.Count("only the first 64"), 1u);
}

// A count the list cannot give (NaN, beyond every integer) or a count of 0 is a list without
// states, and its line names the list.
TEST(GameStateMachine, ACountOfNoStatesIsNamedLikeAMissingList)
{
    for (const char* count : {"0/0", "1e300", "0"})
    {
        SCOPED_TRACE(count);
        TempFolder folder("quill-states");
        folder.Write("assets/Scripts/System/GameStateSystem.lua",
                     std::string("function GetScriptCount() return ") + count + " end\n");
        GameStateWorld world;
        EXPECT_EQ(GameStateSystem::Instance()->GetCount(), 0u);
        EXPECT_EQ(world.log.Count("System/GameStateSystem.lua gives no states"), 1u)
            << world.log.Text();
    }
}

TEST(GameStateMachine, NextDispatchedAmongQueuedMessagesClearsTheRest)
{
    StateWorld states(2);
    states.BatchLoaded();
    // Queued ahead and behind the switch; the switch empties the queue the walk is reading.
    states.world.Post(new ChangePageMessage(0, "Nowhere", 0));
    states.world.Post(new GameStateMessage(0, GSM_NEXT, 0));
    for (int i = 0; i < 5; ++i)
        states.world.Post(new ChangePageMessage(0, "Later", 0));
    states.world.Post(new GameStateMessage(0, GSM_NEXT, 0));
    states.world.Frames(2);
    EXPECT_EQ(states.States().GetCurrent(), 1u) << "the second GSM_NEXT was cleared";
    EXPECT_EQ(states.Count("Change Page: Later"), 0u);
    EXPECT_EQ(Core::System::MessageSystem::Instance()->GetQueueSize(), 0u);
}

TEST(GameStateMachine, BackgroundBatchFinishesAcrossAStateChange)
{
    TempFolder folder("quill-states");
    WriteStates(folder, 2);
    folder.Write("assets/AssetBatch/Bg.xml", "<AssetBatch/>");
    std::vector<std::string> systems = GameStateWorld::StateSystems();
    systems.insert(systems.begin() + 2, {"ThreadPoolSystem", "AssetLoaderSystem"});
    GameStateWorld world(systems);
    world.Frames(1); // the default batch's completion initialises S0
    ASSERT_TRUE(GameStateSystem::Instance()->IsInitialized());

    auto* loader = Core::System::AssetLoaderSystem::Instance();
    auto* messages = Core::System::MessageSystem::Instance();
    ASSERT_TRUE(loader->LoadBatchInBackground("Bg"));
    // Wait (not measured) until the worker has posted its completion.
    for (int i = 0; i < 5000 && messages->GetQueueSize() == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(messages->GetQueueSize(), 1u);

    GameStateMessage next(0, GSM_NEXT, 0);
    GameStateSystem::Instance()->HandleMessage(&next);
    world.Frames(2);
    EXPECT_EQ(loader->GetStagedBatchCount(), 0u);
    EXPECT_EQ(world.log.Count("Finished Loading Bg"), 1u);
    EXPECT_EQ(world.log.Count("S1 Initialize"), 1u) << "the batch's end initialised the new state";
}
