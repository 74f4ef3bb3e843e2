#include "AI/WorldStateComponent.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"

QUILL_DEFINE_TYPE_RECORD(AI::WorldStateComponent, &TypeRecordOf<GameObjectComponent>(), false)

namespace AI
{
WorldStateComponent::WorldStateComponent() : GameObjectComponent(true)
{
    m_entries.reserve(EntryReserve);
}

void WorldStateComponent::Shutdown()
{
    m_entries.clear();
}

void WorldStateComponent::RemoveGone()
{
    std::size_t i = 0;
    while (i < m_entries.size())
    {
        if (m_entries[i].Refresh())
        {
            ++i;
            continue;
        }
        // The last entry takes the slot and is examined next.
        m_entries[i] = m_entries.back();
        m_entries.pop_back();
    }
}

bool WorldStateComponent::AddIfMissing(u32 objectId)
{
    if (Find(objectId) != nullptr)
        return false;
    GameFactory* factory = Engine::Factory();
    const GameObject* object = factory != nullptr ? factory->FindObject(objectId) : nullptr;
    WorldStateEntry entry;
    if (object == nullptr || !WorldStateEntry::FromObject(*object, entry))
        return false;
    m_entries.push_back(entry);
    return true;
}

const WorldStateEntry* WorldStateComponent::Find(u32 objectId) const
{
    for (const WorldStateEntry& entry : m_entries)
    {
        if (entry.objectId == objectId)
            return &entry;
    }
    return nullptr;
}
} // namespace AI
