#pragma once
// The table of every tracked character, players and enemies, owned by the AI system and
// attached to no object. The system refreshes it every frame after its components:
// - entries whose object is gone are removed, the last entry moving into the freed slot (so
//   removals reorder the list);
// - when the number of player and AI controllers differs from the number of entries, every
//   controller's owner without an entry gets one appended, players first.
// Entries are values in one contiguous list; hold an object id, not a pointer into the list.
#include "AI/WorldStateEntry.h"
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include <string>
#include <vector>

namespace AI
{
class WorldStateComponent : public GameObjectComponent
{
public:
    // Room reserved up front: four players and a few waves of enemies.
    static constexpr std::size_t EntryReserve = 256;

    WorldStateComponent();

    QUILL_COMPONENT_TYPE(WorldStateComponent)
    // Empties the list.
    void Shutdown() override;
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}

    // Drops the entries whose object is gone (swap with the last).
    void RemoveGone();
    // Appends an entry for the object of this id unless one exists or its kind is untracked;
    // true when one was appended.
    bool AddIfMissing(u32 objectId);

    const std::vector<WorldStateEntry>& GetEntries() const { return m_entries; }
    std::vector<WorldStateEntry>& GetEntries() { return m_entries; }
    // The entry of that object, or null. Pointers stay valid only until the next refresh.
    const WorldStateEntry* Find(u32 objectId) const;

private:
    std::vector<WorldStateEntry> m_entries;
};
} // namespace AI

QUILL_DECLARE_TYPE_RECORD(AI::WorldStateComponent)
