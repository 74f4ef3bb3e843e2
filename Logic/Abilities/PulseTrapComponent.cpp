#include "Logic/Abilities/PulseTrapComponent.h"
#include "Core/Reflection/MemberTable.h"

QUILL_DEFINE_TYPE_RECORD(Logic::PulseTrapComponent, &TypeRecordOf<Logic::AbilityComponent>(), false)

namespace Logic
{
PulseTrapComponent::PulseTrapComponent() : m_pulseInterval(DefaultPulseInterval), m_timer(0.0f) {}

const MemberTable<PulseTrapComponent>& PulseTrapComponent::Members()
{
    using namespace MemberFlag;
    static constexpr void (*RestartTimer)(PulseTrapComponent&) = [](PulseTrapComponent& trap)
    { trap.m_timer = 0.0f; };
    QUILL_LINKED_MEMBER_TABLE(table, PulseTrapComponent, ReadRule::ByPosition,
                              MemberLinks<PulseTrapComponent>{}.AfterRead(RestartTimer),
                              QUILL_MEMBER(PulseTrapComponent, m_pulseInterval, Written).Tag(""));
    return table;
}

void PulseTrapComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void PulseTrapComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void PulseTrapComponent::Update(f32 seconds)
{
    m_timer += seconds;
    if (m_timer > m_pulseInterval)
    {
        m_timer -= m_pulseInterval;
        Pulse();
    }
}
} // namespace Logic
