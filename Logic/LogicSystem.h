#pragma once
// The system of the game rules: keeps the logic components in the order they joined, calls
// each one's Update every frame and hands each one the messages dispatched to all systems.
// Every logic component reaches it through Instance(). While it lives it serves the script
// API's logic hooks (Scripting/ScriptServices.h): the player list, a player's health, effects
// and floating texts made by name; and the physics hooks (Physics/PhysicsServices.h) that
// read whether a character's beacon or archer stance is triggered.
//
// Changes during a walk: a component may create and destroy others in its Update or
// HandleMessage. A component that leaves during a walk has its entry cleared at once (the walk
// passes over it) and the list is compacted when the outermost walk ends; a component that
// joins during a walk is appended and visited by the same walk.
//
// Main thread only.
#include "Core/Memory/RecyclingMap.h"
#include "Core/SystemComponent.h"
#include "Math/ColorRGBA.h"
#include "Math/Types.h"
#include <string>
#include <vector>

class GameObject;

namespace Logic
{
class LogicComponent;
class SimpleControllerComponent;

namespace System
{
class LogicSystem : public SystemComponent
{
public:
    // A floating text shown for no time at all would divide by zero; such requests last this.
    static constexpr f32 DefaultTextDuration = 1.0f;
    // Room for this many player controllers is reserved in the list handed out.
    static constexpr std::size_t PlayerControllerReserve = 16;

    LogicSystem();
    ~LogicSystem() override;
    LogicSystem(const LogicSystem&) = delete;
    LogicSystem& operator=(const LogicSystem&) = delete;

    // The one logic system of the process, or null while none exists.
    static LogicSystem* Instance() { return s_instance; }

    const std::string& GetName() const override
    {
        static const std::string name = "LogicSystem";
        return name;
    }
    // Every component's Update, front to back.
    void Update(f32 seconds) override;
    void Initialize(u32) override {}
    // Every component's HandleMessage, front to back.
    void HandleMessage(Message* message) override;
    // Logic components only (others are ignored); appended without a duplicate check.
    void Register(GameObjectComponent* component) override;
    // When an entry of the same type and owner is listed, every entry that is this very
    // component leaves; otherwise nothing changes.
    void Unregister(GameObjectComponent* component) override;

    // What the components call: join (appended), and leave unconditionally (every entry).
    void Add(LogicComponent* component);
    void Remove(const LogicComponent* component);

    // The registered player controllers, in list order.
    std::vector<SimpleControllerComponent*> GetPlayerControllers() const;
    // Puts a floating text on the target object: a "FloatingTextEffectComponent" made by the
    // component factory, fading from alpha 2 to 0 over the duration (0 or less: one second).
    void CreateDamageText(const std::string& text, const Math::ColorRGBA& colour,
                          GameObject& target, f32 duration);

    // The listed components, with null for those that left and whose places have not been
    // compacted away yet (during a walk, and until half the list is such places).
    const std::vector<LogicComponent*>& GetEntries() const { return m_entries; }
    // The number of components listed (those that left not counted).
    std::size_t GetCount() const { return m_entries.size() - m_cleared; }
    // Changes whenever a component joins or leaves. Numbers come from one counter for all
    // logic systems, so a list gathered from the entries can be kept while this stays the same.
    u64 GetListVersion() const { return m_listVersion; }

private:
    void Compact();
    void InstallHooks();
    void RemoveHooks();

    std::vector<LogicComponent*> m_entries; // not owned
    // Where each listed component stands in m_entries, so that leaving takes constant time: its
    // last place, and for each place the component's place before it (NoSlot for none), as a
    // component may be listed more than once. Neither allocates once the list has been as long
    // as it gets, so components born and destroyed every frame cost the heap nothing.
    static constexpr std::size_t NoSlot = static_cast<std::size_t>(-1);
    Core::RecyclingMap<const LogicComponent*, std::size_t> m_slots;
    std::vector<std::size_t> m_earlierSlots; // parallel to m_entries
    std::size_t m_cleared;                   // cleared entries not yet compacted away
    u32 m_walkDepth;                         // walks under way (a handler may start another)
    u64 m_listVersion;                       // see GetListVersion

    static LogicSystem* s_instance;
};
} // namespace System
} // namespace Logic
