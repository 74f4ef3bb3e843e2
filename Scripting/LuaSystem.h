#pragma once
// The system that owns every loaded script. Each script is one Scripting::LuaComponent with a
// Lua state of its own; a component that loads its file successfully registers here, so the
// list holds every live script of the program, whoever created it. Once per frame every script's
// "Update" is called with the frame time, in the order in which the scripts first loaded. F6
// reloads every script; a ScriptMessage loads or removes one; other systems find scripts by
// name.
//
// Conventions:
// - A script's Update may destroy scripts (by destroying objects that own them, say): every walk
//   over the list works on a snapshot and skips the scripts that are gone meanwhile. A script
//   destroyed during its own call leaves the list at once; its memory is returned at the start
//   of the next update (LuaComponent::FreeDestroyed).
// - At shut-down the scripts still registered are destroyed here and their memory returned to
//   the engine's allocator, whoever created them.
// - Main thread only.
#include "Core/SystemComponent.h"
#include "Math/Types.h"
#include "Platform/KeyCodes.h"
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace Scripting
{
class LuaComponent;

namespace System
{
class LuaSystem : public SystemComponent
{
public:
    // The developer key that reloads every script.
    static constexpr u32 ReloadKey = Platform::Keys::F6;

    LuaSystem();
    ~LuaSystem() override;
    LuaSystem(const LuaSystem&) = delete;
    LuaSystem& operator=(const LuaSystem&) = delete;

    // The one Lua system of the process, or null while none exists.
    static LuaSystem* Instance() { return s_instance; }

    const std::string& GetName() const override { return m_name; }
    // Calls every script's "Update" with the frame time.
    void Update(f32 seconds) override;
    void Initialize(u32) override {}
    void HandleMessage(Message* message) override;
    // Sets the component's registered flag and appends it; duplicates are not checked.
    void Register(GameObjectComponent* component) override;
    // Removes the component's first entry and clears its flag; unknown components change
    // nothing.
    void Unregister(GameObjectComponent* component) override;

    // The first registered script whose script name is `name` (exact bytes), or null.
    LuaComponent* FindScript(const std::string& name) const;
    LuaComponent* GetScript(const std::string& name) const { return FindScript(name); }
    // A new script component loaded from `file` (below "assets/Scripts/") and named `name`;
    // null when the load fails (the component reported why and is destroyed again). A name that
    // a script carries already gives a second script of that name.
    LuaComponent* LoadScript(const std::string& file, const std::string& name);
    // Destroys the first script of that name; nothing happens when there is none.
    void RemoveScript(const std::string& name);
    // Destroys the first script with that component id; nothing happens when there is none.
    void RemoveScriptById(u32 componentId);
    // Reloads every script, in list order.
    void ReloadAll();

    std::size_t GetScriptCount() const { return m_components.size(); }

private:
    using Snapshot = std::vector<std::pair<LuaComponent*, u32>>;
    // Appends the scripts as they stand now, with their ids, to m_snapshot, for a walk that may
    // change the list; returns where they start. Walks that nest stack their snapshots, and the
    // storage is kept, so a frame's walk allocates nothing once it has grown.
    std::size_t TakeSnapshot();
    // Calls `step` for every script of a new snapshot that is still registered when its turn
    // comes.
    template <class Step> void WalkSnapshot(Step step);
    // True while the script of the snapshot entry is still registered (and not a new one at the
    // same address). Constant time: the component is looked up by address, never touched
    // unless registered.
    bool IsStillRegistered(const LuaComponent* script, u32 componentId) const;

    Snapshot m_snapshot;
    // How often each component is on the list (duplicates are allowed).
    std::unordered_map<const GameObjectComponent*, u32> m_registered;
    // Counts every change to the list: a walk during which it stays put checks nothing.
    u64 m_listChanges = 0;

    static LuaSystem* s_instance;
};
} // namespace System
} // namespace Scripting
