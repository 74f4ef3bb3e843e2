#pragma once
// Global names as Lua strings kept on a name stack (a thread of the state whose stack nothing
// else touches), so that a call neither makes (hashes and interns) its function's name again nor
// reads the registry: the look-up is a push of the name's slot and a raw get from the global
// table's slot. Each script component keeps a few names, indexed by the name's address. A name
// in the program's read-only image (the string literals the engine calls by) is told by its
// address alone, since that text never changes; any other entry is used only when its slot's
// string reads the same as the name, so a name whose memory now holds other text only costs a
// new string. A new state starts with no kept names.
#include <cstddef>
#include <cstdint>
#include <lua.hpp>

namespace Scripting
{
class KeptNameStack
{
public:
    static constexpr std::size_t Count = 8;

    // The entry a name is kept in.
    static std::size_t IndexOf(const char* name)
    {
        const auto address = reinterpret_cast<std::uintptr_t>(name);
        return (address ^ (address >> NameShift)) % Count;
    }

    // Makes the name stack of a new state with no kept names, inside a protected call (it
    // allocates). On failure Lua's error value is left on the state's stack and the stack has
    // no names: false.
    bool Build(lua_State* state);
    // The state is closed: no stack, no names.
    void Drop() { m_names = nullptr; }

    // Pushes onto `state` the value of the global `name` (raw) when `name` is kept in entry
    // `index`; false, pushing nothing, when it is not. A raw get with a ready key neither
    // allocates nor raises, and moving one value to a stack with room does neither. `state` is
    // read only for the move, so that a caller's state need not be held across the look-up.
    [[gnu::always_inline]] bool PushKept(lua_State* const& state, const char* name,
                                         std::size_t index) const
    {
        const KeptName& entry = m_keptNames[index];
        if (entry.m_name != name || !(entry.m_fixedText || SameText(entry.m_kept, name)))
            return false;
        lua_State* const names = m_names;
        lua_pushvalue(names, FirstNameSlot + static_cast<int>(index));
        lua_rawget(names, GlobalsSlot);
        lua_xmove(names, state, 1);
        return true;
    }
    // Makes the string of `name`, keeps it in entry `index` and pushes the global's value
    // (raw) onto `state`, inside a protected call (it allocates). The entry is given up first;
    // on failure Lua's error value is left on the state's stack, the entry stays empty and the
    // answer is false.
    bool Keep(lua_State* state, const char* name, std::size_t index);

private:
    // A name and its kept string.
    struct KeptName
    {
        const char* m_name = nullptr;
        const char* m_kept = nullptr; // the string's characters, stable while its slot holds it
        // Set when `m_name` lies in the program's read-only image (a string literal, say),
        // whose text never changes: the address alone then tells the name.
        bool m_fixedText = false;
    };
    static constexpr unsigned NameShift = 4;
    // The slots of the name stack.
    static constexpr int GlobalsSlot = 1;
    static constexpr int FirstNameSlot = 2;

    // Both NUL-terminated; short names, so a plain loop beats a library call.
    [[gnu::always_inline]] static bool SameText(const char* a, const char* b)
    {
        while (*a == *b)
        {
            if (*a == '\0')
                return true;
            ++a;
            ++b;
        }
        return false;
    }

    // Runs inside lua_pcall: makes the global name's string for argument 1 (a light userdata
    // holding the C string), puts it into slot argument 3 of the name stack (argument 2, a
    // light userdata) and answers the global's value (raw) and the string.
    static int KeepNameProtected(lua_State* state);
    // Runs inside lua_pcall: a new thread of the state, anchored in the registry, whose stack
    // holds the global table in its first slot and nil in the argument-1 slots of the kept
    // names (with room for one more value); its one result.
    static int MakeNameStackProtected(lua_State* state);

    // A thread of the state whose stack nothing else touches: slot 1 holds the global table,
    // slot 2 + i the string of m_keptNames[i] (nil while the entry is unused). Anchored in the
    // registry; null without a state.
    lua_State* m_names = nullptr;
    KeptName m_keptNames[Count];
};
} // namespace Scripting
