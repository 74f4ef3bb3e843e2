#include "Scripting/ScriptLimits.h"
#include "Core/Log.h"
#include "Core/Memory/ObjectAllocator.h"
#include "Core/ProcessControl.h"
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <unistd.h>

namespace Scripting
{
namespace
{
// The replacements of the loading functions and the removal of the debug functions that could
// undo the engine's guards. Run once per state, before any script.
constexpr const char RestrictLibrariesScript[] = R"lua(
local baseLoad, baseLoadfile, select, error = load, loadfile, select, error
function load(chunk, name, mode, ...)
    if select('#', ...) > 0 then return baseLoad(chunk, name, 't', ...) end
    return baseLoad(chunk, name, 't')
end
function loadfile(file, mode, ...)
    if file == nil then return nil, 'scripts cannot read standard input' end
    if select('#', ...) > 0 then return baseLoadfile(file, 't', ...) end
    return baseLoadfile(file, 't')
end
function dofile(file)
    if file == nil then error('scripts cannot read standard input', 2) end
    local chunk, message = baseLoadfile(file, 't')
    if not chunk then error(message, 2) end
    return chunk()
end
if package and package.searchers and package.searchpath then
    local searchpath = package.searchpath
    package.searchers[2] = function(name)
        local path, message = searchpath(name, package.path)
        if not path then return message end
        local chunk, loadMessage = baseLoadfile(path, 't')
        if not chunk then
            error("error loading module '" .. name .. "' from file '" .. path .. "':\n\t" ..
                  loadMessage, 3)
        end
        return chunk, path
    end
end
if debug then
    for _, name in ipairs{'sethook', 'setupvalue', 'upvaluejoin', 'setmetatable',
                          'getregistry', 'setlocal', 'debug'} do
        debug[name] = nil
    end
end
)lua";

ScriptLimits* LimitsOf(lua_State* state)
{
    void* data = nullptr;
    lua_getallocf(state, &data);
    return static_cast<ScriptLimits*>(data);
}

void CountHook(lua_State* state, lua_Debug* record)
{
    ScriptLimits* limits = LimitsOf(state);
    if (limits == nullptr)
        return;
    const bool quitting = Core::ProcessControl::IsStopRequested();
    if (!limits->stopped && !quitting)
    {
        // A coroutine left at one-instruction looks by an earlier stopped call counts anew.
        if (lua_gethookcount(state) != ScriptLimits::HookPeriod)
            lua_sethook(state, &CountHook, LUA_MASKCOUNT, ScriptLimits::HookPeriod);
        if (++limits->looks <= limits->budgetLooks)
            return;
    }
    limits->stopped = true;
    // Every instruction raises from now on, so a pcall in the script cannot keep it running.
    lua_sethook(state, &CountHook, LUA_MASKCOUNT, 1);
    const char* source = "script";
    int line = 0;
    if (lua_getinfo(state, "Sl", record) != 0)
    {
        source = record->short_src;
        line = record->currentline;
    }
    if (quitting)
        luaL_error(state, "%s:%d: stopped, the engine is shutting down", source, line);
    luaL_error(state, "%s:%d: stopped after more than %d instructions in one call", source, line,
               static_cast<int>(limits->budgetLooks) * ScriptLimits::HookPeriod);
}

// os.exit(status): ends the process as Lua's would, but with a log line naming the script and
// the log written out first.
int ScriptExit(lua_State* state)
{
    int status = EXIT_SUCCESS;
    if (lua_type(state, 1) == LUA_TBOOLEAN)
        status = lua_toboolean(state, 1) ? EXIT_SUCCESS : EXIT_FAILURE;
    else
        status = luaL_optint(state, 1, EXIT_SUCCESS);
    lua_Debug record;
    const char* source = "a script";
    if (lua_getstack(state, 1, &record) != 0 && lua_getinfo(state, "S", &record) != 0)
        source = record.short_src;
    Core::Log() << "Error [Scripting]: " << std::string(source) << " called os.exit(" << status
                << "); the process ends without shutting down\n";
    if (Core::System::LogSystem* log = Core::System::LogSystem::Instance())
        log->Flush();
    std::cout.flush();
    ::_exit(status);
}
} // namespace

ScriptBlockCache::~ScriptBlockCache()
{
    for (void* head : m_heads)
    {
        while (head != nullptr)
        {
            void* next = nullptr;
            std::memcpy(&next, head, sizeof(next));
            std::free(head);
            head = next;
        }
    }
}

void* ScriptBlockCache::Take(std::size_t size)
{
    if (size == 0 || size > Granule * Classes)
        return nullptr;
    const std::size_t kind = (size - 1) / Granule;
    void* block = m_heads[kind];
    if (block == nullptr)
        return nullptr;
    std::memcpy(&m_heads[kind], block, sizeof(void*));
    --m_counts[kind];
    return block;
}

bool ScriptBlockCache::Keep(void* block, std::size_t size)
{
    if (PoolsUseHeap || block == nullptr || size < sizeof(void*) || size > Granule * Classes)
        return false;
    const std::size_t kind = (size - 1) / Granule;
    if (m_counts[kind] >= BlocksPerClass)
        return false;
    std::memcpy(block, &m_heads[kind], sizeof(void*));
    m_heads[kind] = block;
    ++m_counts[kind];
    return true;
}

void* ScriptLimits::Allocate(void* data, void* block, std::size_t oldSize, std::size_t newSize)
{
    auto* limits = static_cast<ScriptLimits*>(data);
    // For a new block Lua passes a type tag as oldSize, not a size.
    const std::size_t held = block != nullptr ? oldSize : 0;
    if (newSize == 0)
    {
        if (!limits->blocks.Keep(block, held))
            std::free(block);
        limits->usedBytes -= held;
        return nullptr;
    }
    if (newSize > held && limits->usedBytes + (newSize - held) > limits->memoryLimit)
        return nullptr;
    void* kept = block == nullptr ? limits->blocks.Take(newSize) : nullptr;
    void* grown = kept != nullptr ? kept : std::realloc(block, ScriptBlockCache::Request(newSize));
    if (grown != nullptr)
        limits->usedBytes = limits->usedBytes - held + newSize;
    return grown;
}

void ScriptLimits::InstallHook(lua_State* state)
{
    lua_sethook(state, &CountHook, LUA_MASKCOUNT, HookPeriod);
}

void ScriptLimits::RestoreHook(lua_State* state)
{
    stopped = false;
    InstallHook(state);
}

void ScriptLimits::RestrictLibraries(lua_State* state)
{
    if (luaL_loadbufferx(state, RestrictLibrariesScript, sizeof(RestrictLibrariesScript) - 1,
                         "=restrict libraries", "t") != LUA_OK)
        lua_error(state);
    lua_call(state, 0, 0);
    lua_getglobal(state, LUA_OSLIBNAME);
    if (lua_istable(state, -1))
    {
        lua_pushcfunction(state, &ScriptExit);
        lua_setfield(state, -2, "exit");
    }
    lua_pop(state, 1);
}
} // namespace Scripting
