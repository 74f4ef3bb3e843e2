#pragma once
// One script: a Lua 5.2 state of its own, built with the standard libraries, the script API and
// the sample class, into which one file from "assets/Scripts/" is loaded and run. Whoever needs
// a script (a system, a component) creates one with Create, keeps it and calls the script's
// global functions by name through the call helpers; every script that loaded successfully is
// registered with the Lua system, which calls its "Update" every frame and destroys what is
// left at shut-down. A script component belongs to no game object and the component factory
// does not make it.
//
// Conventions:
// - Every call into the script is a protected call. A run-time error is logged as
//   "<file label>: <Lua's message>", the stack is put back as it was and the helper answers
//   false; the caller goes on with its default, since result variables are written only by a
//   successful read.
// - A called name that is not a function is reported as the type error "function" and the
//   helper answers false. A result of the wrong type is reported by its reader, the variable
//   keeps its value, and the helper still answers true: the function did run.
// - Reports go to the engine's error sink (which logs them) and begin with the file label:
//   "No Script Loaded" until a load succeeds, then the file name as given to Load. After a
//   failed load the label is followed by " (<file> failed to load)", naming the script.
// - Globals and table fields are looked up raw, so no metamethod of the script (a strict-mode
//   global table, say) runs outside a protected call.
// - Nothing done outside a protected call lets the collector take a step: a step may run a
//   script's "__gc" finalizer, and an error there would end the process. So keys are made with
//   lua_getfield rather than pushed, numbers are turned into text here rather than on the stack,
//   and a load runs inside its protected call from the start.
// - Arguments are pushed as Lua numbers; results are read back by truncation toward zero
//   (Scripting/LuaNumbers.h).
// - Lua unwinds its errors with longjmp, so no C++ object with a destructor is live between a
//   protected call and the code it runs. Outside a protected call only a memory error can be
//   raised; the state's panic handler logs it and the process ends without unwinding.
// - A state gets the standard libraries without native-code loading: package.loadlib and the
//   C-library searchers of `require` are removed, since native code would bring a second copy
//   of the Lua core, which is linked into the executable. `require` finds Lua modules below
//   "assets/Scripts/" only ("Modules.Ability" is "assets/Scripts/Modules/Ability.lua"), loads
//   them as text and runs them in the requiring script's state, under its limits.
// - Every state runs under the limits of Scripting/ScriptLimits.h: an instruction budget per
//   call from the engine and a memory limit; running past either is the script's error.
// - Only regular files below the size limit are loaded (a named pipe would block the load).
// - A component shut down or destroyed while its own state runs a call (a script that destroys
//   the object owning it, say) leaves the Lua system at once; its state is closed when the
//   outermost call returns, and that call answers false. A destroyed component's memory is
//   returned later, by FreeDestroyed, so the helper that made the call can still finish.
// - Main thread only.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/Types.h"
#include "Scripting/KeptNameStack.h"
#include "Scripting/ScriptLimits.h"
#include <cstddef>
#include <lua.hpp>
#include <string>

namespace Scripting
{
class LuaComponent final : public GameObjectComponent
{
public:
    // The folder every script file name is relative to.
    static constexpr const char* ScriptDirectory = "assets/Scripts/";
    // The file label of a component that has not loaded a script.
    static constexpr const char* NoScriptLabel = "No Script Loaded";
    // The function the Lua system calls every frame.
    static constexpr const char* UpdateFunction = "Update";
    // The largest script file loaded.
    static constexpr std::size_t MaxScriptBytes = 16u * 1024u * 1024u;

    QUILL_COMPONENT_TYPE(LuaComponent)

    // Owners use Create: the Lua system destroys the scripts left at shut-down with Destroy.
    LuaComponent();
    ~LuaComponent() override;
    LuaComponent(const LuaComponent&) = delete;
    LuaComponent& operator=(const LuaComponent&) = delete;

    // What CreateLoaded does with a component whose file does not load (the component has
    // reported why).
    enum class FailedLoad
    {
        // Kept without a script: named all the same, its calls reported as missing.
        Keep,
        // Destroyed again: CreateLoaded answers null.
        Destroy,
    };

    // A new component in memory from the engine's allocator; null (logged) when none is had.
    static LuaComponent* Create();
    // Create, then Load of `fileName`, then the script name `scriptName`: how every owner makes
    // its script. Null when no component is had, or when the file does not load and `failed` is
    // Destroy. `loaded`, when given, tells whether the file loaded.
    static LuaComponent* CreateLoaded(const std::string& fileName, const std::string& scriptName,
                                      FailedLoad failed, bool* loaded = nullptr);
    // Destroys a component made by Create and returns its memory; null does nothing. During a
    // call into its own state the component only leaves the Lua system; the rest happens when
    // the call returns (see Conventions).
    static void Destroy(LuaComponent* component);
    // Returns the memory of the components destroyed during their own calls whose calls have
    // ended. The Lua system calls it before each update and when it is destroyed.
    static void FreeDestroyed();
    // "assets/Scripts/" followed by the file name, with '\' turned into '/'.
    static std::string MakeScriptPath(const std::string& fileName);

    // Closes the state and leaves the Lua system; the component holds no state afterwards.
    void Shutdown() override;
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}
    void HandleMessage(Message*) override {}

    // Loads and runs the file below "assets/Scripts/" (text only, never precompiled chunks).
    // On success the label becomes the file name and the component joins the Lua system; values
    // the chunk returns stay on the stack. On failure the report names the file and Lua's
    // message, the label is unchanged and the component stays usable.
    bool Load(const std::string& fileName);
    // Loads and runs `size` bytes of script text under the label `label` (tests and the fuzz
    // target); as Load otherwise, but the component does not join the Lua system.
    bool LoadText(const std::string& label, const char* text, std::size_t size);
    // A fresh state (libraries, script API, sample class) with the same file loaded again; all
    // globals of the old state are lost. Name, registration and place in the Lua system's list
    // are kept. A component that never loaded a script only gets the fresh state.
    void Reload();

    // The script name: the key by which the Lua system finds the script. Empty until set.
    void SetScriptName(const std::string& name) { m_scriptName = name; }
    const std::string& GetScriptName() const { return m_scriptName; }
    const std::string& GetFileName() const { return m_label; }
    // The state, for look-ups the helpers below do not cover; null after Shutdown.
    lua_State* GetState() const { return m_state; }
    // The component that built the state (any thread of it); null for a state no component
    // built.
    static LuaComponent* OfState(lua_State* state);
    // The budget and memory limit of the state (a test or the fuzz target may lower them).
    ScriptLimits& GetLimits() { return m_limits; }

    // Kept by the Lua system's Register and Unregister.
    bool IsRegistered() const { return m_registered; }
    void SetRegistered(bool registered) { m_registered = registered; }
    // A script whose owner reloads it itself, at a moment when losing its globals is safe (a
    // game state between leaving and entering), is left out of the Lua system's reload of every
    // script: reloaded mid-state, a state script would forget the objects it has to destroy.
    bool IsReloadedByOwner() const { return m_reloadedByOwner; }
    void SetReloadedByOwner(bool reloadedByOwner) { m_reloadedByOwner = reloadedByOwner; }

    // Call helpers: the global function `function` with the arguments given; see Conventions.
    bool Call(const char* function);
    // "Update" with the frame time. A script without "Update" is reported once, not per frame.
    bool CallUpdate(f32 seconds);
    bool CallWithFloat(const char* function, f32 value);
    bool CallWithInt(const char* function, s32 value);
    bool CallWithUnsigned(const char* function, u32 value);
    bool CallWithTwoUnsigned(const char* function, u32 first, u32 second);
    // A position as three numbers (the emitters' calls).
    bool CallWithThreeFloats(const char* function, f32 x, f32 y, f32 z);
    bool CallWithTwoFloats(const char* function, f32 first, f32 second);
    bool CallWithIntAndShort(const char* function, s32 value, s16 shortValue);
    bool CallReturnBool(const char* function, bool& result);
    bool CallReturnUnsigned(const char* function, u32& result);
    bool CallReturnInt(const char* function, s32& result);
    bool CallBoolFunction(const char* function, u32 argument, bool& result);
    bool CallUnsignedReturnString(const char* function, u32 argument, std::string& result);
    bool CallIntReturnInt(const char* function, s32 argument, s32& result);
    bool CallIntReturnString(const char* function, s32 argument, std::string& result);

    // Global values: the global's value read with the reader of its type, then popped. False
    // (reported by the reader) when the global is missing or of another type.
    bool GetGlobalBool(const char* name, bool& value);
    bool GetGlobalInt(const char* name, s32& value);
    bool GetGlobalFloat(const char* name, f32& value);
    bool GetGlobalString(const char* name, std::string& value);

    // Fields of a global table: false, reading nothing, when the global is not a table;
    // otherwise table[key] read with the reader of its type (a missing or mistyped value is
    // reported and leaves `value` unchanged). The stack is emptied afterwards.
    bool GetTableNumber(const char* table, const char* key, u32& value);
    bool GetTableFloat(const char* table, const char* key, f32& value);
    bool GetTableBool(const char* table, const char* key, bool& value);
    bool GetTableString(const char* table, const char* key, std::string& value);

    // Readers of the stack value at `index`: true when read; on a value of another type the
    // type error is reported (which empties the stack) and `value` is unchanged. An empty stack
    // is reported first and the read goes on.
    // A string, a number (its text, up to a first zero byte) or a boolean ("true", "false").
    bool ReadString(std::string& value, int index);
    // Only a boolean.
    bool ReadBool(bool& value, int index);
    // A number or numeric string, truncated toward zero; NaN and numbers beyond the 64-bit
    // range are reported and leave `value` unchanged.
    bool ReadInt(s32& value, int index);
    bool ReadUnsigned(u32& value, int index);
    // A number or numeric string within the float range; NaN, infinities and larger numbers are
    // reported and leave `value` unchanged.
    bool ReadNumber(f32& value, int index);

    void PushUnsigned(u32 value);
    void ClearStack();
    // Reports "<label>'s stack is empty" when it is; false then.
    bool CheckStackNotEmpty();
    // Reports "<label>: Could not convert stack top to <typeWord>" and empties the stack.
    void ReportTypeError(const char* typeWord);
    // The same for a number the reader cannot hold (NaN, infinite, beyond the range), naming
    // the number; always false.
    bool ReportNumberOutOfRange(const char* typeWord, lua_Number number);
    // The type error "function" naming the function that is missing.
    [[gnu::cold]] void ReportMissingFunction(const char* function);

private:
    // Report levels of the engine's error sink: a script that does not load, and everything
    // that goes wrong while a loaded script is used.
    static constexpr s32 LoadReportLevel = 0;
    static constexpr s32 ScriptReportLevel = 1;

    // Whether a protected call reports a name that is not a function.
    enum class MissingFunction
    {
        Report,
        Quiet,
    };

    // A new state with the libraries, the script API and the sample class; null (reported)
    // when it cannot be built.
    lua_State* BuildState();
    void CloseState();
    void LeaveLuaSystem();
    // The end of a call during which the component was shut down or destroyed: reports a
    // failed call, and once no call is left on the state closes it and, for a destroyed
    // component, hands the memory to FreeDestroyed. Always false.
    [[gnu::cold]] bool EndReleasedCall(int status);
    // Shutdown or Destroy during a call: leave the Lua system now, close the state later.
    void ReleaseDuringCall(bool destroy);

    // Pushes the global `name` (raw look-up).
    void PushGlobal(const char* name);
    // PushGlobal when the name's string is not kept yet: makes it and keeps it in the entry.
    [[gnu::cold]] void PushGlobalAndKeepName(const char* name, std::size_t index);
    // Makes the name stack of a new state (inside a protected call: it allocates); false
    // (reported) when it cannot be made.
    bool BuildNameStack(lua_State* state);
    // Pushes table[key] of the table at `tableIndex` without metamethods; nil (reported) when
    // the look-up fails.
    void PushRawField(int tableIndex, const char* key);
    // The same inside a protected call, for a table with a metatable (absolute index).
    [[gnu::cold]] void PushRawFieldProtected(int table, const char* key);
    // Pushes the global, reads it with `read` and pops it; the reader reports a wrong type.
    template <class T>
    bool ReadGlobal(const char* name, T& value, bool (LuaComponent::*read)(T&, int));
    // table[key] of the global table, read with `read`; the stack is emptied afterwards.
    template <class T>
    bool ReadTableField(const char* table, const char* key, T& value,
                        bool (LuaComponent::*read)(T&, int));
    // Calls the global function with the numbers as arguments. True when it ran to its end,
    // with its `resultCount` results on the stack; false after a reported failure.
    bool CallProtected(const char* function, const lua_Number* arguments, int argumentCount,
                       int resultCount, MissingFunction missing = MissingFunction::Report);
    // CallProtected with one result, read with `Read` and popped; see Conventions.
    template <class T, bool (LuaComponent::*Read)(T&, int)>
    bool CallAndRead(const char* function, const lua_Number* arguments, int argumentCount,
                     T& result);

    void Report(const std::string& text, s32 level) const;
    // The error value on top of the stack as text (Lua's message).
    static std::string ErrorText(lua_State* state);
    // The failure paths of CallProtected, kept out of its way.
    [[gnu::cold]] bool ReportCallFailure(const char* function, const char* reason) const;
    // Reports the error value on top of the stack and pops it.
    [[gnu::cold]] void ReportScriptError();
    // What every report begins with: the file label, followed for a component whose load failed
    // by the file it tried, as "No Script Loaded (<file> failed to load)".
    std::string ReportLabel() const;

    bool m_registered;
    bool m_reloadedByOwner = false;
    // Calls into the state that have not returned yet, and what is to happen when the last
    // one returns (set by Shutdown and Destroy during a call).
    u32 m_callDepth;
    bool m_releasePending;
    bool m_destroyPending;
    // Set once a missing "Update" has been reported; cleared by every new state.
    bool m_updateReported;
    std::string m_label;
    // The file of the last load that failed while no script was loaded, so that the later
    // reports of a script that never loaded still name it (see ReportLabel).
    std::string m_failedFile;
    std::string m_scriptName;
    lua_State* m_state;
    ScriptLimits m_limits;
    // The global names the call helpers look up, kept as strings of the state.
    KeptNameStack m_keptNames;
};
} // namespace Scripting

// A script component's record: base GameObjectComponent, no operations, no members.
QUILL_DECLARE_TYPE_RECORD(Scripting::LuaComponent)
