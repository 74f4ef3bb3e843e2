#pragma once
// The engine's registry of game objects: creates them under the ids callers give, finds them by
// id, keeps object groups (the targets of group-addressed messages) and destroys them, always
// at once. Its other half creates and destroys components by type name from the component
// pools. Owned by the engine; main thread only, nothing here is locked.
//
// Invariant: an object is in a group's list exactly when its group id names that group (and is
// not 0); it is in at most one list. AI code may set a group id without listing the object.
//
// Destroying may run arbitrary component Shutdown code, which may itself destroy other objects;
// destroying an object that is already being destroyed does nothing. Callers that must not
// destroy in the middle of a frame post an object-destroy message instead.
#include "Core/Memory/RecyclingMap.h"
#include "Core/Objects/ComponentFactory.h"
#include "Core/Objects/GameObject.h"
#include "Math/Types.h"
#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class GameObjectComponent;

class GameFactory
{
public:
    using GroupList = std::vector<GameObject*>; // members in the order they joined
    using GroupIterator = GroupList::const_iterator;

    // Starts with no component classes: the subsystems' Register functions add them.
    GameFactory();
    // Destroys every remaining object, then the component pools.
    ~GameFactory();
    GameFactory(const GameFactory&) = delete;
    GameFactory& operator=(const GameFactory&) = delete;

    // A new, empty object in memory from the engine's allocator. The id comes from
    // Engine::GenerateId or was reserved with GenerateIdLocked; an id of 0 or one in use creates
    // nothing (null, logged). The caller sets the creator id and fills the object.
    GameObject* CreateObject(const std::string& name, u32 id);
    GameObject* FindObject(u32 id) const;
    // Changes whenever an object is destroyed, with numbers from one counter for all factories:
    // while it stays the same, an object found by id earlier is still that id's object.
    u64 GetDestroyVersion() const { return m_destroyVersion; }
    // The number of live objects (a soak compares it between visits of the same menu).
    std::size_t GetObjectCount() const { return m_objects.size(); }
    // The owner of the component with that id, or null.
    GameObject* FindObjectWithComponent(u32 componentId) const;
    // Leaves its group, shuts down and destroys its components (last added first) and returns
    // its memory. An unknown id, or one already being destroyed, does nothing.
    void DestroyObject(u32 id);
    // Destroys every object with an id >= firstId (everything created since then), newest first.
    void DestroyObjectsFrom(u32 firstId);

    // False when no object has that id or it is already in a group.
    bool AddToGroup(u32 objectId, u32 groupId);
    bool AddObjectToGroup(GameObject* object, u32 groupId);
    // Takes the object out of the group's list and clears its group id; the group stays.
    void RemoveFromGroup(u32 objectId, u32 groupId);
    // The group's members in join order; empty for an unknown group. Destroying or regrouping
    // a member invalidates the range: walk a copy when handlers may do either.
    GroupIterator GetGroupBegin(u32 groupId) const;
    GroupIterator GetGroupEnd(u32 groupId) const;

    // Component half (see ComponentFactory).
    GameObjectComponent* CreateComponent(std::string_view typeName);
    void DestroyComponent(GameObjectComponent*& component);
    // For the subsystems' registration functions.
    ComponentFactory& GetComponentFactory() { return m_components; }

    // True while DestroyObject takes the object's components down.
    bool IsBeingDestroyed(u32 id) const;

private:
    const GroupList& FindGroup(u32 groupId) const;

    // A slot of the look-up cache: an id and its object, or id 0 for none.
    struct RecentObject
    {
        u32 id = 0;
        GameObject* object = nullptr;
    };
    // Slots of the look-up cache; a power of two, so that an id's slot is its low bits.
    static constexpr std::size_t RecentObjectSlots = 1024;

    Core::RecyclingMap<u32, GameObject*> m_objects; // keeps the nodes of destroyed objects
    // Objects found lately, one slot per id's low bits. Every frame each enemy, its target and
    // every tracked character are looked up by id, and the map's hash and node walk cost more
    // than the rest of such a look-up. A filled slot always names a live object: destroying
    // an object empties its slot.
    mutable std::array<RecentObject, RecentObjectSlots> m_recentObjects{};
    u64 m_destroyVersion; // see GetDestroyVersion
    std::unordered_map<u32, GroupList> m_groups;
    ComponentFactory m_components;
    std::vector<u32> m_beingDestroyed; // ids whose destruction is under way (nested destroys)
    // The name and component list storage of destroyed objects, handed to the next objects
    // made: projectiles and effects born and destroyed every frame then cost the heap nothing.
    // At most SpareStorageLimit are kept; none where the pools hand out heap memory (the
    // sanitizer builds), so that each object's storage stays its own there.
    struct SpareStorage
    {
        std::string name;
        GameObject::ComponentList components;
    };
    static constexpr std::size_t SpareStorageLimit = 1024;
    static constexpr std::size_t SpareNameCapacity = 32; // characters a kept name holds at least
    static constexpr std::size_t SpareComponentCapacity = 16; // and entries a kept list holds
    std::vector<SpareStorage> m_spareStorage;
};
