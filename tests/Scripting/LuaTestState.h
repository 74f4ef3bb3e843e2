#pragma once
// A bare Lua state for the binding tests: the standard libraries, the script API and the sample
// class, without a script component around it. Run executes a chunk and keeps its results on
// the stack; the error text of a failed chunk is kept in `error`.
#include "Scripting/ScriptTables.h"
#include "Scripting/TestClass.h"
#include <gtest/gtest.h>
#include <lua.hpp>
#include <string>

class LuaTestState
{
public:
    LuaTestState() : state(luaL_newstate())
    {
        luaL_openlibs(state);
        Scripting::OpenScriptTables(state);
        Scripting::RegisterTestClass(state);
    }
    ~LuaTestState() { lua_close(state); }
    LuaTestState(const LuaTestState&) = delete;
    LuaTestState& operator=(const LuaTestState&) = delete;

    // Runs the chunk; false (with `error` set) when it does not compile or raises.
    bool Run(const std::string& chunk)
    {
        lua_settop(state, 0);
        if (luaL_loadstring(state, chunk.c_str()) != LUA_OK ||
            lua_pcall(state, 0, LUA_MULTRET, 0) != LUA_OK)
        {
            const char* text = lua_tostring(state, -1);
            error = text != nullptr ? text : "";
            lua_settop(state, 0);
            return false;
        }
        return true;
    }

    // The chunk's first result as a number; fails the test when the chunk fails.
    lua_Number Number(const std::string& chunk)
    {
        EXPECT_TRUE(Run(chunk)) << error;
        return lua_tonumber(state, 1);
    }
    bool Bool(const std::string& chunk)
    {
        EXPECT_TRUE(Run(chunk)) << error;
        return lua_toboolean(state, 1) != 0;
    }
    std::string Text(const std::string& chunk)
    {
        EXPECT_TRUE(Run(chunk)) << error;
        const char* text = lua_tostring(state, 1);
        return text != nullptr ? text : "<not a string>";
    }

    lua_State* state;
    std::string error;
};
