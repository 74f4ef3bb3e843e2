#pragma once
// The system of the game rules: keeps the logic components in the order they joined, calls
// each one's Update every frame and hands each one the messages dispatched to all systems.
// Every logic component reaches it through Instance(). The script tables call its player list,
// a player's health and its effects and floating texts made by name directly. While it lives it
// serves the physics hooks (Physics/PhysicsServices.h) that read whether a character's beacon
// or archer stance is triggered.
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
#include "Math/Point4.h"
#include "Math/Types.h"
#include <string>
#include <vector>

class GameObject;
class GameObjectComponent;

namespace Logic
{
class LogicComponent;
class SimpleControllerComponent;

namespace System
{
// How a floating-text effect is set up: what it shows, for how long, its three shaping vectors
// (in the order the effect takes them) and whether its results are temporary.
struct FloatingTextSetup
{
    f32 duration;
    std::string text;
    Math::Point4 first;
    Math::Point4 second;
    Math::Point4 third;
    bool temporary;
};

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

    // The game-object ids of the player characters in list order; empty without a system.
    static std::vector<u32> PlayerObjectIds();
    // The current and maximum value of the object's health container; false when the object
    // or its container is missing.
    static bool HealthOf(u32 objectId, f32& current, f32& maximum);
    // A new effect component of the named type made by the component factory and set up with
    // its remaining duration, its value and its temporary flag, not yet applied; null (logged)
    // when the type is unknown or not an effect. The caller owns it.
    static GameObjectComponent* MakeEffect(const std::string& typeName, f32 duration, f32 value,
                                           bool temporary);
    // A new floating-text effect component set up as given, not yet on any object; null
    // (logged) when the factory does not make one. The caller owns it.
    static GameObjectComponent* MakeFloatingText(const FloatingTextSetup& setup);

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
