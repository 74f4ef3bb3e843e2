#include "AI/Spawning/SpawnChildrenComponent.h"
#include "AI/Spawning/AISpawnComponent.h"
#include "Core/Reflection/MemberTable.h"

QUILL_DEFINE_TYPE_RECORD(AI::SpawnChildrenComponent, &TypeRecordOf<AI::AIComponent>(), false)

namespace AI
{
namespace
{
// A child wave's log line stands apart from the next.
constexpr const char* ChildLineEnd = "\n\n";
} // namespace

SpawnChildrenComponent::SpawnChildrenComponent() : m_count(0), m_threshold(0.0f)
{
    JoinSystem();
}

const MemberTable<SpawnChildrenComponent>& SpawnChildrenComponent::Members()
{
    using namespace MemberFlag;
    QUILL_LINKED_MEMBER_TABLE(table, SpawnChildrenComponent, ReadRule::ByPosition,
                              MemberLinks<SpawnChildrenComponent>{},
                              QUILL_MEMBER(SpawnChildrenComponent, m_archetype, Written).Tag(""),
                              QUILL_MEMBER(SpawnChildrenComponent, m_count, Written).Tag(""),
                              QUILL_MEMBER(SpawnChildrenComponent, m_threshold, Written).Tag(""));
    return table;
}

void SpawnChildrenComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void SpawnChildrenComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

bool SpawnChildrenComponent::SpawnOnHealth(f32 fraction)
{
    if (fraction > m_threshold)
        return false;
    AISpawnComponent::MakeWave(*this, m_archetype, m_count, MinDelay, DelaySpread, false,
                               ChildLineEnd);
    return m_count > 0;
}
} // namespace AI
