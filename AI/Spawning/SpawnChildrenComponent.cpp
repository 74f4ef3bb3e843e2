#include "AI/Spawning/SpawnChildrenComponent.h"
#include "AI/Spawning/AISpawnComponent.h"
#include "Xml/ValueXml.h"

QUILL_DEFINE_TYPE_RECORD(AI::SpawnChildrenComponent, &TypeRecordOf<AI::AIComponent>(), false)

namespace AI
{
namespace
{
// A child wave's log line stands apart from the next.
constexpr const char* kChildLineEnd = "\n\n";
} // namespace

SpawnChildrenComponent::SpawnChildrenComponent() : m_count(0), m_threshold(0.0f)
{
    JoinSystem();
}

void SpawnChildrenComponent::Deserialize(Serializer::XmlReader& reader)
{
    Serializer::ReadValue(reader, m_archetype, "");
    Serializer::ReadValue(reader, m_count, "");
    Serializer::ReadValue(reader, m_threshold, "");
}

void SpawnChildrenComponent::Serialize(Serializer::XmlWriter& writer)
{
    Serializer::WriteValue(writer, m_archetype, "");
    Serializer::WriteValue(writer, m_count, "");
    Serializer::WriteValue(writer, m_threshold, "");
}

bool SpawnChildrenComponent::SpawnOnHealth(f32 fraction)
{
    if (fraction > m_threshold)
        return false;
    AISpawnComponent::MakeWave(*this, m_archetype, m_count, MinDelay, DelaySpread, false,
                               kChildLineEnd);
    return m_count > 0;
}
} // namespace AI
