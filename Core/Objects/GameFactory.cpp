#include "Core/Objects/GameFactory.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Objects/GameObject.h"
#include <algorithm>
#include <new>

namespace
{
const GameFactory::GroupList EmptyGroup;

// A destroy number never handed out before, by any factory (main thread only).
u64 NextDestroyVersion()
{
    static u64 s_lastDestroyVersion = 0;
    return ++s_lastDestroyVersion;
}
} // namespace

GameFactory::GameFactory() : m_destroyVersion(NextDestroyVersion()) {}

GameFactory::~GameFactory()
{
    // Shutdown code may create or destroy objects; go on until none is left.
    while (!m_objects.empty())
        DestroyObjectsFrom(0);
}

GameObject* GameFactory::CreateObject(const std::string& name, u32 id)
{
    if (id == 0 || m_objects.count(id) != 0)
    {
        Core::Log() << "Error [GameFactory]: cannot create '" << name << "' under id " << id
                    << (id == 0 ? ", which names nothing" : ", which is in use")
                    << "; no object created\n";
        return nullptr;
    }
    if (g_Engine == nullptr)
    {
        Core::Log() << "Error [GameFactory]: no engine to take memory from; '" << name
                    << "' not created\n";
        return nullptr;
    }
    GameObject* object = new (g_Engine->Allocate(sizeof(GameObject))) GameObject();
    if (!m_spareStorage.empty())
    {
        SpareStorage& spare = m_spareStorage.back();
        object->m_name.swap(spare.name);
        object->m_components.swap(spare.components);
        m_spareStorage.pop_back();
    }
    object->m_name = name;
    object->m_id = id;
    m_objects.emplace(id, object);
    return object;
}

GameObject* GameFactory::FindObject(u32 id) const
{
    RecentObject& recent = m_recentObjects[id & (RecentObjectSlots - 1)];
    if (recent.id == id && id != 0)
        return recent.object;
    const auto found = m_objects.find(id);
    if (found == m_objects.end())
        return nullptr;
    recent = RecentObject{id, found->second};
    return found->second;
}

GameObject* GameFactory::FindObjectWithComponent(u32 componentId) const
{
    for (const auto& [id, object] : m_objects)
    {
        if (GameObjectComponent* component = object->GetComponentById(componentId))
            return FindObject(component->GetOwner());
    }
    return nullptr;
}

bool GameFactory::IsBeingDestroyed(u32 id) const
{
    return std::find(m_beingDestroyed.begin(), m_beingDestroyed.end(), id) !=
           m_beingDestroyed.end();
}

void GameFactory::DestroyObject(u32 id)
{
    GameObject* object = FindObject(id);
    if (object == nullptr || IsBeingDestroyed(id))
        return;
    if (object->GetGroup() != 0)
        RemoveFromGroup(id, object->GetGroup());

    // While its components shut down the object can still be found (a Shutdown may look up its
    // owner), but a nested destroy of it does nothing.
    m_beingDestroyed.push_back(id);
    object->DestroyComponents(this);
    if (!PoolsUseHeap && m_spareStorage.size() < SpareStorageLimit)
    {
        m_spareStorage.emplace_back();
        SpareStorage& spare = m_spareStorage.back();
        spare.name.swap(object->m_name);
        // Room for the longer names too ("NotificationText" does not fit a string's own
        // buffer) and for the components of most definitions: the next object given the
        // spare then needs no new storage for either.
        if (spare.name.capacity() < SpareNameCapacity)
            spare.name.reserve(SpareNameCapacity);
        spare.components.swap(object->m_components);
        spare.components.clear();
        if (spare.components.capacity() < SpareComponentCapacity)
            spare.components.reserve(SpareComponentCapacity);
    }
    object->~GameObject();
    m_beingDestroyed.erase(std::find(m_beingDestroyed.begin(), m_beingDestroyed.end(), id));

    m_objects.erase(id);
    RecentObject& recent = m_recentObjects[id & (RecentObjectSlots - 1)];
    if (recent.id == id)
        recent = RecentObject{};
    m_destroyVersion = NextDestroyVersion();
    void* memory = object;
    if (g_Engine != nullptr)
        g_Engine->Free(memory, sizeof(GameObject));
    else
        Core::Log() << "Error [GameFactory]: no engine to return object " << id
                    << "'s memory to; the block is leaked\n";
}

void GameFactory::DestroyObjectsFrom(u32 firstId)
{
    // Collected first: each destruction may destroy further objects, which changes the map.
    std::vector<u32> ids;
    for (const auto& entry : m_objects)
    {
        if (entry.first >= firstId)
            ids.push_back(entry.first);
    }
    std::sort(ids.begin(), ids.end(), [](u32 a, u32 b) { return a > b; });
    for (u32 id : ids)
        DestroyObject(id); // an id destroyed meanwhile is simply not found
}

bool GameFactory::AddToGroup(u32 objectId, u32 groupId)
{
    return AddObjectToGroup(FindObject(objectId), groupId);
}

bool GameFactory::AddObjectToGroup(GameObject* object, u32 groupId)
{
    // Group 0 means "no group": joining it would list an object that belongs to none.
    if (object == nullptr || groupId == 0 || object->GetGroup() != 0)
        return false;
    object->SetGroup(groupId);
    m_groups[groupId].push_back(object);
    return true;
}

void GameFactory::RemoveFromGroup(u32 objectId, u32 groupId)
{
    const auto group = m_groups.find(groupId);
    if (group == m_groups.end())
        return;
    GroupList& members = group->second;
    for (auto member = members.begin(); member != members.end(); ++member)
    {
        if ((*member)->GetId() == objectId)
        {
            (*member)->SetGroup(0);
            members.erase(member);
            return;
        }
    }
}

const GameFactory::GroupList& GameFactory::FindGroup(u32 groupId) const
{
    const auto group = m_groups.find(groupId);
    return group != m_groups.end() ? group->second : EmptyGroup;
}

GameFactory::GroupIterator GameFactory::GetGroupBegin(u32 groupId) const
{
    return FindGroup(groupId).begin();
}

GameFactory::GroupIterator GameFactory::GetGroupEnd(u32 groupId) const
{
    return FindGroup(groupId).end();
}

GameObjectComponent* GameFactory::CreateComponent(std::string_view typeName)
{
    return m_components.Create(typeName);
}

void GameFactory::DestroyComponent(GameObjectComponent*& component)
{
    m_components.Destroy(component);
}
