#pragma once
// The system of the computer-controlled side. AI components and AI controllers join it when
// they are constructed; every frame it calls their Update in the order they joined, then
// refreshes the world state (every tracked character's kind, position and health). It answers
// the queries for AI controllers and spawners, and a KillAIMessage removes every object that
// holds an AI controller or a spawner.
//
// While it lives it serves the game rules' AI hooks (Logic/LogicServices.h); the script tables
// read its AI and spawner counts directly.
//
// Changes during a walk: a component may join while the system walks its list (a Random
// behaviour's new child joins then) and is visited by the same walk; one that leaves has its
// entry cleared at once and the list is compacted when the outermost walk ends.
//
// Main thread only.
#include "Core/Memory/RecyclingMap.h"
#include "Core/SystemComponent.h"
#include "Math/Types.h"
#include <list>
#include <memory>
#include <string>
#include <vector>

namespace Logic
{
class SimpleControllerComponent;
namespace System
{
class LogicSystem;
}
} // namespace Logic

namespace AI
{
class AIComponent;
class AIControllerComponent;
class AISpawnComponent;
class WorldStateComponent;

namespace System
{
class AISystem : public SystemComponent
{
public:
    // Room reserved in the lists of controllers handed out.
    static constexpr std::size_t ControllerReserve = 128;

    AISystem();
    ~AISystem() override;
    AISystem(const AISystem&) = delete;
    AISystem& operator=(const AISystem&) = delete;

    // The one AI system of the process, or null while none exists.
    static AISystem* Instance() { return s_instance; }

    const std::string& GetName() const override
    {
        static const std::string name = "AISystem";
        return name;
    }
    // Creates the world state.
    void Initialize(u32) override;
    // Every component's Update, front to back, then the world-state refresh.
    void Update(f32 seconds) override;
    // A KillAIMessage runs KillAll; every other message goes to each component in order.
    void HandleMessage(Message* message) override;
    // AI components and AI controllers only (others are ignored).
    void Register(GameObjectComponent* component) override;
    // Every entry that is this very component leaves; nothing when it is not listed.
    void Unregister(GameObjectComponent* component) override;

    // Posts one destroy per object that holds an AI controller or a spawner: controllers'
    // owners first, then spawners', each object once.
    void KillAll();

    // The AI controllers in the order they joined. The list is kept up to date as controllers
    // join and leave; do not hold it across a frame.
    const std::list<AIControllerComponent*>& GetAIControllers() const
    {
        return m_controllers.Items();
    }
    // The registered components whose name hashes to typeId, in order.
    std::vector<GameObjectComponent*> GetComponentsOfType(u32 typeId) const;
    u32 CountSpawners() const { return static_cast<u32>(m_spawners.size()); }
    const std::list<AISpawnComponent*>& GetSpawners() const { return m_spawners.Items(); }
    // The player controllers of the logic system, in its order, gathered into storage this
    // system keeps (valid until the next call).
    const std::vector<Logic::SimpleControllerComponent*>& GatherPlayerControllers();

    // Null before Initialize.
    WorldStateComponent* GetWorldState() const { return m_worldState.get(); }
    // The number of components listed (those that left during a walk not counted).
    std::size_t GetCount() const { return m_entries.size() - m_cleared; }

private:
    struct Entry
    {
        GameObjectComponent* component;    // not owned
        AIComponent* ai;                   // the same component as an AI component, or null
        AIControllerComponent* controller; // the same component as an AI controller, or null
        u32 nameHash;
        bool updates;              // false for behaviours, whose controller steps them
        AISpawnComponent* spawner; // the same component as a spawner, or null
    };

    void RefreshWorldState();
    void Compact();
    void InstallHooks();
    void RemoveHooks();

    std::vector<Entry> m_entries;
    // The entries whose Update the frame calls, in the same order: behaviours, two in three
    // entries of a usual enemy, are stepped by their controller instead.
    std::vector<Entry> m_updating;
    // Where each listed component stands in m_entries and in m_updating, so that leaving takes
    // constant time: its places are cleared, and compacted away after the walk or, outside
    // walks, once half of m_entries is cleared places.
    Core::RecyclingMap<const GameObjectComponent*, std::size_t> m_entrySlots;
    Core::RecyclingMap<const GameObjectComponent*, std::size_t> m_updatingSlots;
    std::size_t m_cleared; // cleared entries not yet compacted away
    u32 m_walkDepth;       // walks under way (a handler may start another)
    Core::RegisteredList<AIControllerComponent> m_controllers;
    Core::RegisteredList<AISpawnComponent> m_spawners;
    std::vector<Logic::SimpleControllerComponent*> m_players; // reused by each gathering
    // The logic system and list version m_players was gathered from; it is gathered again only
    // when either has changed (Logic::System::LogicSystem::GetListVersion).
    const Logic::System::LogicSystem* m_playersSource;
    u64 m_playersVersion;
    std::vector<u32> m_killed; // reused by KillAll
    std::unique_ptr<WorldStateComponent> m_worldState;

    static AISystem* s_instance;
};
} // namespace System
} // namespace AI
