#include "Scripting/LuaComponent.h"
#include "Core/Assets/AssetPath.h"
#include "Core/Assets/FileSystem.h"
#include "Core/Engine.h"
#include "Core/ErrorReport.h"
#include "Core/Log.h"
#include "Core/Memory/OAException.h"
#include "Platform/RegularFile.h"
#include "Scripting/LuaNumbers.h"
#include "Scripting/LuaSystem.h"
#include "Scripting/ScriptTables.h"
#include "Scripting/TestClass.h"
#include <algorithm>
#include <cstdio>
#include <exception>
#include <limits>
#include <new>
#include <vector>

QUILL_DEFINE_TYPE_RECORD(Scripting::LuaComponent, &TypeRecordOf<GameObjectComponent>(), false)

namespace Scripting
{
namespace
{
// Scripts are read as text only: precompiled chunks are refused.
constexpr const char* TextChunksOnly = "t";
// Stack room a load needs: its function and the path.
constexpr int LoadStackRoom = 2;
// The same for a load of text: its function, the text, its size and the chunk name.
constexpr int LoadTextStackRoom = 4;

// The file of module "a.b" below the scripts folder: Lua's searcher turns the dots into '/'.
constexpr const char* ModulePattern = "?.lua";

// Positions of the C-library searchers in package.searchers: after the preload and Lua-file
// searchers come the C libraries and the all-in-one C libraries.
constexpr int CSearcher = 3;
constexpr int CRootSearcher = 4;

// The Lua core is linked into the executable and its symbols are not exported, so a native
// module that a script loaded would either fail to resolve them or bring a second copy of Lua
// that works on this state unchecked. Scripts load no native code: package.loadlib and the two
// C-library searchers of `require` are removed. Lua modules load from the scripts folder only,
// as a script file does: `require "Modules.Ability"` reads "assets/Scripts/Modules/Ability.lua"
// (relative to the working directory, like every asset), whatever LUA_PATH says.
void SetModuleLoading(lua_State* state)
{
    lua_getglobal(state, LUA_LOADLIBNAME);
    if (lua_istable(state, -1))
    {
        lua_pushnil(state);
        lua_setfield(state, -2, "loadlib");
        lua_pushliteral(state, "");
        lua_setfield(state, -2, "cpath");
        // Joined on the stack: no C++ string may be live where an error can unwind.
        lua_pushstring(state, LuaComponent::ScriptDirectory);
        lua_pushstring(state, ModulePattern);
        lua_concat(state, 2);
        lua_setfield(state, -2, "path");
        lua_getfield(state, -1, "searchers");
        if (lua_istable(state, -1))
        {
            // The last first, so that the searchers left stay a sequence.
            lua_pushnil(state);
            lua_rawseti(state, -2, CRootSearcher);
            lua_pushnil(state);
            lua_rawseti(state, -2, CSearcher);
        }
        lua_pop(state, 1);
    }
    lua_pop(state, 1);
}

// Runs inside the protected call that builds a state: each step allocates and so may raise.
// Calls itself argument 1 times deep. Each call level takes a call record of the state; made
// here, while the state is built, a chain of them lies ready for the deepest calls a script
// makes later in the game (an enemy's first attack, say), instead of the heap giving the
// missing records then. The collector gives spare records back to the state's block cache,
// which keeps as many as this makes.
int MakeCallRecords(lua_State* state)
{
    const lua_Integer levels = lua_tointeger(state, 1);
    if (levels > 1)
    {
        lua_pushcfunction(state, &MakeCallRecords);
        lua_pushinteger(state, levels - 1);
        lua_call(state, 1, 0);
    }
    return 0;
}

// The registry key under which a state keeps the component that built it (a light userdata).
const char OwnerKey = 0;

// Runs inside the protected call of BuildState; argument 1 is the component (a light userdata).
int OpenStateProtected(lua_State* state)
{
    lua_pushvalue(state, 1);
    lua_rawsetp(state, LUA_REGISTRYINDEX, &OwnerKey);
    luaL_openlibs(state);
    SetModuleLoading(state);
    ScriptLimits::RestrictLibraries(state);
    OpenScriptTables(state);
    RegisterTestClass(state);
    lua_pushcfunction(state, &MakeCallRecords);
    lua_pushinteger(state, ScriptBlockCache::BlocksPerClass);
    lua_call(state, 1, 0);
    return 0;
}

// Runs inside the protected call of Load: the file named by argument 1 (a light userdata) is
// loaded as text and run; the chunk's results are this function's results. A file that does
// not load raises its message, so both failures reach Load the same way.
int LoadAndRunProtected(lua_State* state)
{
    const char* path = static_cast<const char*>(lua_touserdata(state, 1));
    if (luaL_loadfilex(state, path, TextChunksOnly) != LUA_OK)
        return lua_error(state);
    lua_call(state, 0, LUA_MULTRET);
    return lua_gettop(state) - 1;
}

// The same for text in memory: argument 1 the text, 2 its size, 3 the chunk name (light
// userdata each, the size as a pointer to it).
int LoadTextAndRunProtected(lua_State* state)
{
    const char* text = static_cast<const char*>(lua_touserdata(state, 1));
    const std::size_t size = *static_cast<const std::size_t*>(lua_touserdata(state, 2));
    const char* name = static_cast<const char*>(lua_touserdata(state, 3));
    if (luaL_loadbufferx(state, text, size, name, TextChunksOnly) != LUA_OK)
        return lua_error(state);
    lua_call(state, 0, LUA_MULTRET);
    return lua_gettop(state) - 3;
}

// A number as Lua writes it, made without touching the state (no allocation, no collector
// step).
std::string NumberText(lua_Number number)
{
    char text[LUAI_MAXNUMBER2STR];
    std::snprintf(text, sizeof(text), LUA_NUMBER_FMT, number);
    return text;
}

// The largest finite float: a script number beyond it (or NaN) is no float value.
constexpr lua_Number LargestFloat = std::numeric_limits<f32>::max();

// NaN and numbers beyond the 64-bit range have no integer value; the engine refuses them rather
// than reading them as 0.
bool IsIntegerRange(lua_Number number)
{
    return number >= -Signed64Limit && number < Signed64Limit;
}

std::string ErrorValueText(lua_State* state)
{
    switch (lua_type(state, -1))
    {
    case LUA_TSTRING:
        return lua_tolstring(state, -1, nullptr);
    case LUA_TNUMBER:
        return NumberText(lua_tonumberx(state, -1, nullptr));
    default:
        return "(the error value is not a string)";
    }
}

// A Lua error outside every protected call ends the process inside Lua; the log says why.
int LogPanic(lua_State* state)
{
    Core::Log() << "Error [Scripting]: unprotected Lua error: " << ErrorValueText(state) << '\n';
    return 0;
}
} // namespace

std::string LuaComponent::ErrorText(lua_State* state)
{
    return ErrorValueText(state);
}

LuaComponent::LuaComponent()
    : GameObjectComponent(true), m_registered(false), m_callDepth(0), m_releasePending(false),
      m_destroyPending(false), m_updateReported(false), m_label(NoScriptLabel), m_state(nullptr)
{
    m_state = BuildState();
}

LuaComponent::~LuaComponent()
{
    CloseState();
    LeaveLuaSystem();
}

LuaComponent* LuaComponent::Create()
{
    void* block = nullptr;
    try
    {
        block = g_Engine != nullptr ? g_Engine->Allocate(sizeof(LuaComponent))
                                    : ::operator new(sizeof(LuaComponent));
    }
    catch (const std::exception& exception)
    {
        Core::Log() << "Error [Scripting]: no memory for a script component (" << exception.what()
                    << ")\n";
        return nullptr;
    }
    catch (const Core::OAException& exception)
    {
        Core::Log() << "Error [Scripting]: no memory for a script component (" << exception.what()
                    << ")\n";
        return nullptr;
    }
    if (block == nullptr)
    {
        Core::Log() << "Error [Scripting]: no memory for a script component\n";
        return nullptr;
    }
    return new (block) LuaComponent();
}

LuaComponent* LuaComponent::CreateLoaded(const std::string& fileName, const std::string& scriptName,
                                         FailedLoad failed, bool* loaded)
{
    if (loaded != nullptr)
        *loaded = false;
    LuaComponent* script = Create();
    if (script == nullptr)
        return nullptr;
    const bool success = script->Load(fileName);
    if (loaded != nullptr)
        *loaded = success;
    if (!success && failed == FailedLoad::Destroy)
    {
        Destroy(script);
        return nullptr;
    }
    script->SetScriptName(scriptName);
    return script;
}

namespace
{
// Components destroyed during their own calls whose calls have ended; their memory waits here
// until FreeDestroyed, since the helper that made the call still runs on them.
std::vector<LuaComponent*>& DestroyedAfterCall()
{
    static std::vector<LuaComponent*> destroyed;
    return destroyed;
}

void FreeComponent(LuaComponent* component)
{
    component->~LuaComponent();
    void* block = component;
    if (g_Engine != nullptr)
        g_Engine->Free(block, sizeof(LuaComponent));
    else
        ::operator delete(block);
}
} // namespace

void LuaComponent::Destroy(LuaComponent* component)
{
    if (component == nullptr)
        return;
    if (component->m_callDepth > 0)
    {
        component->ReleaseDuringCall(true);
        return;
    }
    FreeComponent(component);
}

void LuaComponent::FreeDestroyed()
{
    std::vector<LuaComponent*> destroyed;
    destroyed.swap(DestroyedAfterCall());
    for (LuaComponent* component : destroyed)
        FreeComponent(component);
}

void LuaComponent::ReleaseDuringCall(bool destroy)
{
    LeaveLuaSystem();
    m_releasePending = true;
    m_destroyPending = m_destroyPending || destroy;
}

bool LuaComponent::EndReleasedCall(int status)
{
    if (status != LUA_OK)
        ReportScriptError();
    if (m_callDepth > 0)
        return false;
    m_releasePending = false;
    CloseState();
    if (m_destroyPending)
    {
        // Kept out of the list while it is already there (destroyed twice during one call).
        std::vector<LuaComponent*>& destroyed = DestroyedAfterCall();
        if (std::find(destroyed.begin(), destroyed.end(), this) == destroyed.end())
            destroyed.push_back(this);
    }
    return false;
}

std::string LuaComponent::MakeScriptPath(const std::string& fileName)
{
    return Serializer::NormalizePath(ScriptDirectory + fileName);
}

void LuaComponent::Shutdown()
{
    if (m_callDepth > 0)
    {
        ReleaseDuringCall(false);
        return;
    }
    CloseState();
    LeaveLuaSystem();
}

LuaComponent* LuaComponent::OfState(lua_State* state)
{
    if (state == nullptr || lua_checkstack(state, 1) == 0)
        return nullptr;
    lua_rawgetp(state, LUA_REGISTRYINDEX, &OwnerKey);
    auto* component = static_cast<LuaComponent*>(lua_touserdata(state, -1));
    lua_pop(state, 1);
    return component;
}

lua_State* LuaComponent::BuildState()
{
    m_limits.usedBytes = 0;
    m_limits.looks = 0;
    m_limits.stopped = false;
    lua_State* state = lua_newstate(&ScriptLimits::Allocate, &m_limits);
    if (state == nullptr)
    {
        Report(ReportLabel() + ": no memory for a Lua state", LoadReportLevel);
        return nullptr;
    }
    lua_atpanic(state, &LogPanic);
    lua_pushcfunction(state, &OpenStateProtected);
    lua_pushlightuserdata(state, this);
    if (lua_pcall(state, 1, 0, 0) != LUA_OK)
    {
        Report(ReportLabel() + ": the script state could not be built: " + ErrorText(state),
               LoadReportLevel);
        lua_close(state);
        return nullptr;
    }
    if (!BuildNameStack(state))
    {
        lua_close(state);
        return nullptr;
    }
    ScriptLimits::InstallHook(state);
    m_updateReported = false;
    return state;
}

void LuaComponent::CloseState()
{
    if (m_state == nullptr)
        return;
    lua_State* state = m_state;
    m_state = nullptr;
    m_keptNames.Drop();
    lua_close(state);
}

void LuaComponent::LeaveLuaSystem()
{
    if (!m_registered)
        return;
    if (System::LuaSystem* system = System::LuaSystem::Instance())
        system->Unregister(this);
    m_registered = false;
}

bool LuaComponent::Load(const std::string& fileName)
{
    const std::string path = MakeScriptPath(fileName);
    // Named by the reports of a component that has no script, until a load succeeds.
    m_failedFile = fileName;
    const std::string failure = fileName + " could not be loaded, make sure it exists and compiles";
    if (m_state == nullptr)
    {
        Report(failure + ": there is no Lua state", LoadReportLevel);
        return false;
    }

    if (!Core::IsAssetPathInside(fileName))
    {
        Report(failure + ": its path leaves the asset folder (" + path + ")", LoadReportLevel);
        return false;
    }
    // A named pipe or a device would block the load or never end it.
    std::string reason;
    if (!Serializer::CheckRegularFile(path, MaxScriptBytes, reason))
    {
        Report(failure + ": cannot open " + path + ": " + reason, LoadReportLevel);
        return false;
    }

    const int base = lua_gettop(m_state);
    if (!lua_checkstack(m_state, LoadStackRoom))
    {
        Report(failure + ": there is no stack room to load it", LoadReportLevel);
        return false;
    }
    lua_pushcfunction(m_state, &LoadAndRunProtected);
    lua_pushlightuserdata(m_state, const_cast<char*>(path.c_str()));
    // As for a call: a load from inside a running call spends that call's budget.
    if (m_callDepth == 0)
        m_limits.StartCall(m_state);
    ++m_callDepth;
    const int status = lua_pcall(m_state, 1, LUA_MULTRET, 0);
    --m_callDepth;
    if (m_releasePending)
        return EndReleasedCall(status);
    if (status != LUA_OK)
    {
        Report(failure + ": " + ErrorText(m_state), LoadReportLevel);
        lua_settop(m_state, base);
        return false;
    }

    m_label = fileName;
    m_failedFile.clear();
    if (!m_registered)
    {
        if (System::LuaSystem* system = System::LuaSystem::Instance())
            system->Register(this);
    }
    return true;
}

bool LuaComponent::LoadText(const std::string& label, const char* text, std::size_t size)
{
    if (m_state == nullptr || text == nullptr)
    {
        Report(label + " could not be loaded: there is no Lua state or no text", LoadReportLevel);
        return false;
    }
    const int base = lua_gettop(m_state);
    if (!lua_checkstack(m_state, LoadTextStackRoom))
    {
        Report(label + " could not be loaded: there is no stack room to load it", LoadReportLevel);
        return false;
    }
    const std::string chunkName = "=" + label;
    lua_pushcfunction(m_state, &LoadTextAndRunProtected);
    lua_pushlightuserdata(m_state, const_cast<char*>(text));
    lua_pushlightuserdata(m_state, &size);
    lua_pushlightuserdata(m_state, const_cast<char*>(chunkName.c_str()));
    if (m_callDepth == 0)
        m_limits.StartCall(m_state);
    if (lua_pcall(m_state, 3, LUA_MULTRET, 0) != LUA_OK)
    {
        Report(label + " could not be loaded: " + ErrorText(m_state), LoadReportLevel);
        lua_settop(m_state, base);
        return false;
    }
    m_label = label;
    return true;
}

void LuaComponent::Reload()
{
    CloseState();
    m_state = BuildState();
    if (m_state == nullptr || m_label == NoScriptLabel)
        return;
    const std::string fileName = m_label;
    Load(fileName);
}

std::string LuaComponent::ReportLabel() const
{
    if (m_label == NoScriptLabel && !m_failedFile.empty())
        return m_label + " (" + m_failedFile + " failed to load)";
    return m_label;
}

void LuaComponent::Report(const std::string& text, s32 level) const
{
    if (g_Engine != nullptr)
        g_Engine->LogError(ErrorReport(text, level));
    else
        Core::Log() << text << '\n';
}

void LuaComponent::PushUnsigned(u32 value)
{
    if (m_state != nullptr)
        lua_pushnumber(m_state, static_cast<lua_Number>(value));
}

void LuaComponent::ClearStack()
{
    if (m_state != nullptr)
        lua_settop(m_state, 0);
}

bool LuaComponent::CheckStackNotEmpty()
{
    if (m_state != nullptr && lua_gettop(m_state) > 0)
        return true;
    Report(ReportLabel() + "'s stack is empty", ScriptReportLevel);
    return false;
}

void LuaComponent::ReportMissingFunction(const char* function)
{
    Report(ReportLabel() + ": Could not convert stack top to function (" + function +
               " is missing or not a function)",
           ScriptReportLevel);
    ClearStack();
}

void LuaComponent::ReportTypeError(const char* typeWord)
{
    Report(ReportLabel() + ": Could not convert stack top to " + typeWord, ScriptReportLevel);
    ClearStack();
}

bool LuaComponent::ReadString(std::string& value, int index)
{
    CheckStackNotEmpty();
    if (m_state != nullptr)
    {
        switch (lua_type(m_state, index))
        {
        case LUA_TBOOLEAN:
            value = lua_toboolean(m_state, index) ? "true" : "false";
            return true;
        case LUA_TSTRING:
            value = lua_tolstring(m_state, index, nullptr);
            return true;
        case LUA_TNUMBER:
            // Written here as Lua writes it: converting on the stack could let the collector
            // run a finalizer of the script outside a protected call.
            value = NumberText(lua_tonumberx(m_state, index, nullptr));
            return true;
        default:
            break;
        }
    }
    ReportTypeError("string");
    return false;
}

bool LuaComponent::ReadBool(bool& value, int index)
{
    CheckStackNotEmpty();
    if (m_state != nullptr && lua_type(m_state, index) == LUA_TBOOLEAN)
    {
        value = lua_toboolean(m_state, index) != 0;
        return true;
    }
    ReportTypeError("bool");
    return false;
}

bool LuaComponent::ReadInt(s32& value, int index)
{
    CheckStackNotEmpty();
    if (m_state != nullptr && lua_isnumber(m_state, index))
    {
        const lua_Number number = lua_tonumberx(m_state, index, nullptr);
        if (!IsIntegerRange(number))
            return ReportNumberOutOfRange("number", number);
        value = NumberToS32(number);
        return true;
    }
    ReportTypeError("number");
    return false;
}

bool LuaComponent::ReadUnsigned(u32& value, int index)
{
    CheckStackNotEmpty();
    if (m_state != nullptr && lua_isnumber(m_state, index))
    {
        const lua_Number number = lua_tonumberx(m_state, index, nullptr);
        if (!IsIntegerRange(number))
            return ReportNumberOutOfRange("number", number);
        value = NumberToU32(number);
        return true;
    }
    ReportTypeError("number");
    return false;
}

bool LuaComponent::ReadNumber(f32& value, int index)
{
    CheckStackNotEmpty();
    if (m_state != nullptr && lua_isnumber(m_state, index))
    {
        const lua_Number number = lua_tonumberx(m_state, index, nullptr);
        // Written so that NaN fails the test as well; beyond the float range the conversion
        // would be undefined.
        if (!(number >= -LargestFloat && number <= LargestFloat))
            return ReportNumberOutOfRange("float", number);
        value = static_cast<f32>(number);
        return true;
    }
    ReportTypeError("number");
    return false;
}

bool LuaComponent::ReportNumberOutOfRange(const char* typeWord, lua_Number number)
{
    Report(ReportLabel() + ": Could not convert stack top to " + typeWord + ": " +
               NumberText(number) + " is out of range",
           ScriptReportLevel);
    ClearStack();
    return false;
}
} // namespace Scripting
