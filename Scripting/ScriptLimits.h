#pragma once
// What keeps one script from taking the engine with it: an instruction budget per call from the
// engine, a memory limit per state, and libraries without the doors around both.
//
// Conventions:
// - The limits record is the state's allocator data, so the hook and the allocator of every
//   coroutine of the state reach it through lua_getallocf.
// - A count hook looks in every HookPeriod instructions. A call from the engine that runs past
//   the budget, or any script running once the engine has been asked to stop
//   (Core::ProcessControl), gets a Lua error naming the script and line; from then on the hook
//   fires on every instruction until the call ends, so a script cannot catch the error and run
//   on. StartCall, at the beginning of every outermost call from the engine, restores the
//   budget; a call the engine makes into a state that is already running one shares it.
// - The allocator refuses growth beyond the memory limit; Lua then raises its memory error in
//   the script, which is that script's failure.
// - Libraries: `load`, `loadfile`, `dofile` and `require` read text only (a precompiled chunk
//   is not checked by Lua and could corrupt memory); the debug functions that change hooks,
//   upvalues, metatables of other types or the registry are removed, since the binding layer
//   relies on them; `os.exit` writes a log line and the buffered log before the process ends.
#include "Math/Types.h"
#include <cstddef>
#include <lua.hpp>

namespace Scripting
{
// Small blocks a state gave back, kept by size for its next requests of that size: Lua's
// collector frees a state's spare call records (and other small blocks) in every cycle, and the
// next deeper call would otherwise take them from the heap again. Small requests are rounded up
// to the granule, so a kept block fits every request of its class. A copy starts empty (the
// blocks are its original's). Nothing is kept where the pools hand out heap memory (the
// sanitizer builds), so that each block stays the sanitizer's to watch.
class ScriptBlockCache
{
public:
    static constexpr std::size_t Granule = 16;
    static constexpr std::size_t Classes = 16; // blocks up to 256 bytes
    static constexpr u32 BlocksPerClass = 8;

    ScriptBlockCache() = default;
    ScriptBlockCache(const ScriptBlockCache&) {}
    ScriptBlockCache& operator=(const ScriptBlockCache&) { return *this; }
    ~ScriptBlockCache();

    // The bytes to ask the heap for a block of `size` bytes.
    static std::size_t Request(std::size_t size)
    {
        return size <= Granule * Classes ? (size + Granule - 1) / Granule * Granule : size;
    }
    // A kept block for `size` bytes, or null.
    void* Take(std::size_t size);
    // Keeps the block of `size` bytes (made with Request(size) bytes); false when it is not kept.
    bool Keep(void* block, std::size_t size);

private:
    void* m_heads[Classes] = {}; // each kept block holds the next one's address
    u32 m_counts[Classes] = {};
};

struct ScriptLimits
{
    // Instructions between two looks of the hook.
    static constexpr int HookPeriod = 10000;
    // Looks of the hook a call from the engine may take: 200 million instructions, about a
    // second of a busy script, far above any frame's work.
    static constexpr u32 DefaultBudgetLooks = 20000;
    // Bytes one state may hold; shipped scripts use well below a megabyte.
    static constexpr std::size_t DefaultMemoryLimit = 256u * 1024u * 1024u;

    std::size_t usedBytes = 0;
    std::size_t memoryLimit = DefaultMemoryLimit;
    u32 looks = 0;
    u32 budgetLooks = DefaultBudgetLooks;
    // Set when the current call ran past its budget or was stopped.
    bool stopped = false;
    ScriptBlockCache blocks;

    // The allocator of a state whose allocator data is a ScriptLimits.
    static void* Allocate(void* limits, void* block, std::size_t oldSize, std::size_t newSize);
    // Sets the count hook on the state (new coroutines inherit it).
    static void InstallHook(lua_State* state);
    // Text-only loading, the reduced debug library and the logged os.exit (inside a protected
    // call: it allocates).
    static void RestrictLibraries(lua_State* state);

    // A new budget for a call from the engine into `state` that runs no other call.
    void StartCall(lua_State* state)
    {
        looks = 0;
        if (stopped)
            RestoreHook(state);
    }

private:
    void RestoreHook(lua_State* state);
};
} // namespace Scripting
