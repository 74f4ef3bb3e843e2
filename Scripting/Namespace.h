#pragma once
// A handle to one Lua table reached by a dotted path from the globals ("Engine",
// "testing.TestClass"); the tables on the path are made on demand. The script API tables and
// the class tables of bound classes are namespaces.
//
// Conventions:
// - The handle keeps its table alive through a registry reference that Close releases. The
//   destructor releases nothing: a Lua error unwinds with longjmp and skips destructors, so
//   whatever may be live across a Lua call is kept trivially destructible. A reference that is
//   never released dies with its state.
// - Each operation leaves the stack as it found it unless it says otherwise.
// - The operations allocate in the state and so may raise Lua's memory error: run them inside a
//   protected call.
#include <cstddef>
#include <lua.hpp>
#include <type_traits>

namespace Scripting
{
class Namespace
{
public:
    // The table at `path` below the globals, made where missing; "" is the globals table.
    // Empty segments ("a..b") are skipped.
    Namespace(lua_State* state, const char* path);
    Namespace(Namespace&& other) noexcept;
    Namespace& operator=(Namespace&&) = delete;
    Namespace(const Namespace&) = delete;
    Namespace& operator=(const Namespace&) = delete;

    // Releases the registry reference; the handle holds nothing afterwards.
    void Close();

    // Pushes the table when `state` is the handle's state; otherwise pushes nothing.
    void Push(lua_State* state) const;
    // Pops the value on top of the stack into the table under `name`.
    void SetField(const char* name) const;
    // A new empty table stored under `name` (replacing what was there), as a namespace whose
    // parent is this one.
    Namespace AddTable(const char* name) const;

    lua_State* GetState() const { return m_state; }
    int GetReference() const { return m_reference; }
    const Namespace* GetParent() const { return m_parent; }
    bool IsOpen() const { return m_state != nullptr && m_reference != LUA_NOREF; }

private:
    Namespace(lua_State* state, int reference, const Namespace* parent);

    lua_State* m_state;
    int m_reference;
    const Namespace* m_parent;
};

static_assert(std::is_trivially_destructible<Namespace>::value,
              "a namespace may be live across a Lua error");

// Leaves on the stack the field `segment` (of `length` bytes) of the table at `tableIndex`;
// when that field is not a table, a new empty table replaces it. The lookup is raw, so no
// metamethod of a script runs during registration.
void GetOrCreateTable(lua_State* state, int tableIndex, const char* segment, std::size_t length);
} // namespace Scripting
