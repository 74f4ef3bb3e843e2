// The Lua system: update order, F6 reloads, script messages, lookups by name and id, and the
// walks that survive scripts removing scripts.
#include "Core/CoreRegistration.h"
#include "Core/CoreServices.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Messages/Input/MouseButtonMessage.h"
#include "Core/Messages/Scripting/ScriptMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/System/MessageSystem.h"
#include "Scripting/CallThunk.h"
#include "Scripting/Namespace.h"
#include "Scripting/ScriptingRegistration.h"
#include "Scripting/TestClass.h"
#include "tests/Scripting/ScriptTestEnvironment.h"
#include <gtest/gtest.h>
#include <string>

using Scripting::LuaComponent;

namespace
{
// Every script appends its own name to this trace when its Update runs.
std::string g_trace;

void Trace(const char* text)
{
    g_trace += text;
    g_trace += ' ';
}

void RemoveScriptNamed(const char* name)
{
    Scripting::System::LuaSystem::Instance()->RemoveScript(name);
}

// Gives the script's state the probe functions the tests' scripts call.
void AddProbe(LuaComponent* script)
{
    Scripting::Namespace probe(script->GetState(), "probe");
    Scripting::BindFunction(probe, "trace", &Trace);
    Scripting::BindFunction(probe, "remove", &RemoveScriptNamed);
    probe.Close();
}

std::string TracingScript(const std::string& tag)
{
    return "function Update(dt) probe.trace('" + tag + "' .. dt) end";
}

// A message that is none of the types the system looks at.
class OtherMessage : public Message
{
public:
    OtherMessage() : Message(0, MT_SET_GLOW, 0u, sizeof(OtherMessage)) {}
};

class LuaSystemTest : public ScriptTest
{
protected:
    void SetUp() override
    {
        ScriptTest::SetUp();
        g_trace.clear();
    }

    LuaComponent* LoadTracing(const std::string& file, const std::string& name)
    {
        WriteScript(file, TracingScript(name));
        LuaComponent* script = lua.LoadScript(file, name);
        EXPECT_NE(nullptr, script);
        if (script != nullptr)
            AddProbe(script);
        return script;
    }

    void Press(u32 key, u32 state)
    {
        KeyboardMessage message(0, key, state, 0);
        lua.HandleMessage(&message);
    }
};
} // namespace

TEST_F(LuaSystemTest, NameAndNothingToDoWithoutScripts)
{
    EXPECT_EQ("ScriptingSystem", lua.GetName());
    EXPECT_EQ(&lua, Scripting::System::LuaSystem::Instance());
    lua.Update(0.1f);
    Press(Scripting::System::LuaSystem::ReloadKey, KS_TRIGGER);
    lua.RemoveScript("nobody");
    lua.RemoveScriptById(12345);
    EXPECT_EQ(0u, lua.GetScriptCount());
    EXPECT_EQ(nullptr, lua.GetScript("nobody"));
    EXPECT_EQ("", LogText());
}

TEST_F(LuaSystemTest, EngineCoreSystemsLoadTheirSettingsScriptsThroughTheHooks)
{
    WriteScript("Settings.lua", "speed = 3");
    void* settings = Core::Services().loadSettingsScript("Settings.lua", "settings");
    ASSERT_NE(nullptr, settings);
    EXPECT_EQ(settings, lua.GetScript("settings"));
    Core::Services().releaseSettingsScript(settings);
    EXPECT_EQ(nullptr, lua.GetScript("settings"));
    EXPECT_EQ(nullptr, Core::Services().loadSettingsScript("Missing.lua", "missing"));
}

TEST_F(LuaSystemTest, ScriptsUpdateInLoadOrderAndKeepTheirPlaceOnReload)
{
    LuaComponent* b = LoadTracing("B.lua", "b");
    LoadTracing("A.lua", "a");
    LoadTracing("C.lua", "c");
    lua.Update(0.5f);
    EXPECT_EQ("b0.5 a0.5 c0.5 ", g_trace);

    b->Reload();
    AddProbe(b);
    g_trace.clear();
    lua.Update(0.0f);
    EXPECT_EQ("b0 a0 c0 ", g_trace);
}

TEST_F(LuaSystemTest, F6PressedReloadsEveryScriptAndResetsItsGlobals)
{
    WriteScript("Counter.lua", "count = (count or 0) + 1");
    LuaComponent* first = lua.LoadScript("Counter.lua", "one");
    LuaComponent* second = lua.LoadScript("Counter.lua", "two");
    ASSERT_EQ(LUA_OK, luaL_dostring(first->GetState(), "count = 50"));
    ASSERT_EQ(LUA_OK, luaL_dostring(second->GetState(), "count = 60"));
    s32 count = 0;

    // Held, released, and the same code as a mouse button: nothing reloads.
    Press(Scripting::System::LuaSystem::ReloadKey, KS_PRESSED);
    Press(Scripting::System::LuaSystem::ReloadKey, KS_RELEASE);
    Press(Scripting::System::LuaSystem::ReloadKey - 1, KS_TRIGGER);
    MouseButtonMessage mouse(0, Math::Vector2(), Scripting::System::LuaSystem::ReloadKey,
                             KS_TRIGGER, 0);
    lua.HandleMessage(&mouse);
    ASSERT_TRUE(first->GetGlobalInt("count", count));
    EXPECT_EQ(50, count);

    Press(Scripting::System::LuaSystem::ReloadKey, KS_TRIGGER);
    ASSERT_TRUE(first->GetGlobalInt("count", count));
    EXPECT_EQ(1, count);
    ASSERT_TRUE(second->GetGlobalInt("count", count));
    EXPECT_EQ(1, count);
    EXPECT_EQ(first, lua.GetScript("one"));
    EXPECT_EQ(2u, lua.GetScriptCount());
}

TEST_F(LuaSystemTest, ScriptMessageLoadsAndRemoves)
{
    WriteScript("Menu.lua", "function Update(dt) end");
    ScriptMessage load(0, 0, "menu", "Menu.lua");
    EXPECT_EQ("ScriptingSystem", load.targetSystem);
    lua.HandleMessage(&load);
    LuaComponent* menu = lua.GetScript("menu");
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ("Menu.lua", menu->GetFileName());

    ScriptMessage removeUnknown(0, 1, "nobody", "");
    lua.HandleMessage(&removeUnknown);
    EXPECT_EQ(1u, lua.GetScriptCount());

    ScriptMessage remove(0, 1, "menu", "");
    lua.HandleMessage(&remove);
    EXPECT_EQ(nullptr, lua.GetScript("menu"));
    EXPECT_EQ(0u, lua.GetScriptCount());

    MarkLog();
    ScriptMessage missing(0, 0, "ghost", "Ghost.lua");
    lua.HandleMessage(&missing);
    EXPECT_EQ(0u, lua.GetScriptCount());
    EXPECT_EQ(1u, LogCount("Ghost.lua could not be loaded"));

    // Every other message reaches the scripts' (empty) handlers and changes nothing.
    OtherMessage other;
    lua.HandleMessage(&other);
}

TEST_F(LuaSystemTest, DuplicateNamesFindAndRemoveTheFirstOnly)
{
    LuaComponent* first = LoadTracing("First.lua", "same");
    LuaComponent* second = LoadTracing("Second.lua", "same");
    EXPECT_EQ(first, lua.GetScript("same"));
    EXPECT_EQ(nullptr, lua.GetScript("Same"));
    lua.RemoveScript("same");
    EXPECT_EQ(second, lua.GetScript("same"));

    lua.RemoveScriptById(second->GetId());
    EXPECT_EQ(0u, lua.GetScriptCount());
}

TEST_F(LuaSystemTest, ErrorInUpdateIsLoggedAndOtherScriptsGoOn)
{
    WriteScript("Faulty.lua", "function Update(dt) local t = nil; return t.field end");
    ASSERT_NE(nullptr, lua.LoadScript("Faulty.lua", "faulty"));
    LoadTracing("Fine.lua", "fine");
    MarkLog();
    lua.Update(0.25f);
    lua.Update(0.25f);
    EXPECT_EQ(2u, LogCount("Faulty.lua: assets/Scripts/Faulty.lua:1: attempt to index"))
        << LogText();
    EXPECT_EQ("fine0.25 fine0.25 ", g_trace);
}

TEST_F(LuaSystemTest, UpdateThatRemovesOtherScriptsSkipsThem)
{
    WriteScript("Remover.lua",
                "function Update(dt) probe.trace('remover') probe.remove('victim') end");
    LuaComponent* remover = lua.LoadScript("Remover.lua", "remover");
    AddProbe(remover);
    LoadTracing("Victim.lua", "victim");
    LoadTracing("After.lua", "after");

    lua.Update(1.0f);
    EXPECT_EQ("remover after1 ", g_trace);
    EXPECT_EQ(nullptr, lua.GetScript("victim"));
    EXPECT_EQ(2u, lua.GetScriptCount());
}

// A component that owns a script, as game-state and object components do: destroying its
// object destroys the script.
class ScriptOwner : public GameObjectComponent
{
public:
    explicit ScriptOwner(LuaComponent* owned) : GameObjectComponent(true), script(owned) {}
    ~ScriptOwner() override { LuaComponent::Destroy(script); }
    u32 GetType() const override { return 1; }
    const std::string& GetName() const override
    {
        static const std::string name = "ScriptOwner";
        return name;
    }
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}
    LuaComponent* script;
};

// A script that destroys its own object in a call (a state's Unload) or in its Update leaves
// the Lua system at once and finishes the call; its state closes when the call returns.
TEST_F(LuaSystemTest, AScriptMayDestroyItsOwnObjectDuringItsCall)
{
    GameFactory& factory = *engine.GetFactory();
    GameObject* first = factory.CreateObject("First", Engine::GenerateId());
    const u32 firstId = first->GetId();
    LuaComponent* unloading =
        LoadScript("Unload.lua", "function Unload(id) Engine.DestroyRecentObjects(0, id) "
                                 "Engine.Output('after the destruction') end");
    first->AddComponent(new ScriptOwner(unloading));
    EXPECT_FALSE(unloading->CallWithUnsigned("Unload", firstId)) << "the script is gone";
    EXPECT_TRUE(LogHas("after the destruction"));
    EXPECT_EQ(nullptr, factory.FindObject(firstId));
    EXPECT_EQ(nullptr, unloading->GetState());
    EXPECT_EQ(0u, lua.GetScriptCount());

    GameObject* second = factory.CreateObject("Second", Engine::GenerateId());
    LuaComponent* updating = LoadScript(
        "Update.lua", "function Update() Engine.DestroyRecentObjects(0, " +
                          std::to_string(second->GetId()) + ") error('failed afterwards') end");
    second->AddComponent(new ScriptOwner(updating));
    LoadTracing("After.lua", "after");
    lua.Update(1.0f);
    EXPECT_TRUE(LogHas("failed afterwards"));
    EXPECT_EQ("after1 ", g_trace);
    EXPECT_EQ(1u, lua.GetScriptCount());
    lua.Update(1.0f);
    EXPECT_EQ("after1 after1 ", g_trace);
}

TEST_F(LuaSystemTest, ShutDownDestroysEveryRegisteredScript)
{
    const s32 liveBefore = Scripting::TestClass::GetLiveCount();
    {
        Scripting::System::LuaSystem system;
        WriteScript("Holder.lua", "held = testing.TestClass()");
        ASSERT_NE(nullptr, system.LoadScript("Holder.lua", "holder"));
        LuaComponent* other = LuaComponent::Create();
        ASSERT_TRUE(other->Load("Holder.lua"));
        EXPECT_EQ(2u, system.GetScriptCount());
        EXPECT_EQ(liveBefore + 2, Scripting::TestClass::GetLiveCount());
    }
    EXPECT_EQ(liveBefore, Scripting::TestClass::GetLiveCount());
    EXPECT_EQ(nullptr, Scripting::System::LuaSystem::Instance());
}

namespace
{
// The engine's own wiring: the systems made by the factory in the game's order (log, scripting,
// messaging) and messages posted through the engine, so that names, addressing and message
// memory are those of the running game.
class LuaSystemWiringTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.IsReady());
        ASSERT_EQ(nullptr, g_Engine);
        engine = new Engine();
        Core::RegisterCore(*engine);
        Scripting::RegisterScripting(*engine);
        engine->AddSystem("LogSystem");
        lua = static_cast<Scripting::System::LuaSystem*>(engine->AddSystem("ScriptingSystem"));
        messages = static_cast<Core::System::MessageSystem*>(engine->AddSystem("MessagingSystem"));
        ASSERT_NE(nullptr, lua);
        ASSERT_NE(nullptr, messages);
    }

    void TearDown() override { delete engine; }

    void Deliver(Message* message)
    {
        engine->SendMessage(message, 0.0f);
        messages->Update(0.0f);
    }

    ScratchScriptFolder folder;
    Engine* engine = nullptr;
    Scripting::System::LuaSystem* lua = nullptr;
    Core::System::MessageSystem* messages = nullptr;
};
} // namespace

TEST_F(LuaSystemWiringTest, ScriptMessagesAndF6ArriveThroughTheMessageSystem)
{
    EXPECT_EQ(lua, Scripting::System::LuaSystem::Instance());
    folder.Write("Counter.lua", "count = (count or 0) + 1");
    Deliver(new ScriptMessage(0, 0, "counter", "Counter.lua"));
    LuaComponent* counter = lua->GetScript("counter");
    ASSERT_NE(nullptr, counter);

    ASSERT_EQ(LUA_OK, luaL_dostring(counter->GetState(), "count = 10"));
    Deliver(new KeyboardMessage(0, Scripting::System::LuaSystem::ReloadKey, KS_TRIGGER, 0));
    s32 count = 0;
    ASSERT_TRUE(counter->GetGlobalInt("count", count));
    EXPECT_EQ(1, count);

    Deliver(new ScriptMessage(0, 1, "counter", ""));
    EXPECT_EQ(nullptr, lua->GetScript("counter"));
    EXPECT_EQ(0u, lua->GetScriptCount());
}
