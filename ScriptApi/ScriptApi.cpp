#include "ScriptApi/ScriptApi.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Messages/Message.h"
#include "Core/Messages/Object/AddComponentMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Math/Types.h"
#include "ScriptApi/ScriptApiTables.h"
#include "Scripting/CallThunk.h"

namespace Scripting
{
namespace
{
struct ScriptTable
{
    const char* name; // "" is the global table
    void (*fill)(const Namespace& table);
};

// The tables in registration order. A table without entries (null) is still made, empty. An
// entry that must act at once on a subsystem calls it directly.
const ScriptTable ScriptTables[] = {
    {"", &Api::FillGlobalTable},
    {"Engine", &Api::FillEngineTable},
    {"Input", &Api::FillInputTable},
    {"Mouse", &Api::FillMouseTable},
    {"Controller", &Api::FillControllerTable},
    {"Object", &Api::FillObjectTable},
    {"Particle", &Api::FillParticleTable},
    {"GameState", &Api::FillGameStateTable},
    {"Audio", &Api::FillAudioTable},
    {"Graphics", &Api::FillGraphicsTable},
    {"Camera", &Api::FillCameraTable},
    {"Logic", &Api::FillLogicTable},
    {"Geometry", &Api::FillGeometryTable},
    {"AssetLoader", &Api::FillAssetLoaderTable},
    {"test", &Api::FillTestTable},
};
static_assert(sizeof(ScriptTables) / sizeof(ScriptTables[0]) == ScriptTableCount,
              "one entry per script table");

void TestFunction()
{
    Core::Log() << "Ran test function\n";
}

// test.a and test.b hand their argument back, so scripts and tests can check the conversions
// of the call thunks.
f32 TestA(f32 value)
{
    return value;
}

s32 TestB(s32 value)
{
    return value;
}
} // namespace

namespace Api
{
void FillGlobalTable(const Namespace& table)
{
    BindFunction<&TestFunction>(table, "TestFunction");
    BindEditorEntries(table);
}

void Post(Message* message, f32 delay)
{
    if (message == nullptr)
        return;
    if (g_Engine == nullptr)
    {
        Core::Log() << "Error [" << LogName << "]: no engine to post a message of type "
                    << message->type << " to; it is dropped\n";
        DestroyMessage(message);
        return;
    }
    g_Engine->SendMessage(message, delay);
}

void PostComponent(u32 senderId, GameObjectComponent* component, u32 objectId, f32 delay)
{
    if (component == nullptr)
        return;
    auto* message = TryNewMessage<AddComponentMessage>(LogName, senderId, component, objectId, 0u);
    if (message == nullptr)
    {
        // The message would have owned the component; without it the component goes back
        // here, shut down first as an undelivered message does.
        component->Shutdown();
        if (GameFactory* factory = Engine::Factory())
            factory->DestroyComponent(component);
        return;
    }
    Post(message, delay);
}

void FillTestTable(const Namespace& table)
{
    BindFunction<&TestA>(table, "a");
    BindFunction<&TestB>(table, "b");
}
} // namespace Api

void RegisterScriptApi(lua_State* state)
{
    for (const ScriptTable& entry : ScriptTables)
    {
        Namespace table(state, entry.name);
        if (entry.fill != nullptr)
            entry.fill(table);
        table.Close();
    }
}
} // namespace Scripting
