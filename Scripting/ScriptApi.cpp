#include "Scripting/ScriptApi.h"
#include "Core/Log.h"
#include "Math/Types.h"
#include "Scripting/CallThunk.h"
#include "Scripting/ScriptApiTables.h"

namespace Scripting
{
namespace
{
struct ScriptTable
{
    const char* name; // "" is the global table
    void (*fill)(const Namespace& table);
};

// The tables in registration order. A table without entries (null) is still made, empty. Every
// table's entries are written here in Scripting; one that must act at once on a subsystem above
// Scripting calls it through a hook of Scripting/ScriptServices.h.
const ScriptTable kScriptTables[] = {
    {"", &Api::FillGlobalTable},
    {"Engine", &Api::FillEngineTable},
    {"Input", &Api::FillInputTable},
    {"Mouse", nullptr},
    {"Controller", nullptr},
    {"Object", nullptr},
    {"Particle", nullptr},
    {"GameState", nullptr},
    {"Audio", nullptr},
    {"Graphics", nullptr},
    {"Camera", nullptr},
    {"Logic", &Api::FillLogicTable},
    {"Geometry", nullptr},
    {"AssetLoader", nullptr},
    {"test", &Api::FillTestTable},
};
static_assert(sizeof(kScriptTables) / sizeof(kScriptTables[0]) == kScriptTableCount,
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
    BindFunction(table, "TestFunction", &TestFunction);
}

void FillTestTable(const Namespace& table)
{
    BindFunction(table, "a", &TestA);
    BindFunction(table, "b", &TestB);
}
} // namespace Api

void RegisterScriptApi(lua_State* state)
{
    for (const ScriptTable& entry : kScriptTables)
    {
        Namespace table(state, entry.name);
        if (entry.fill != nullptr)
            entry.fill(table);
        table.Close();
    }
}
} // namespace Scripting
