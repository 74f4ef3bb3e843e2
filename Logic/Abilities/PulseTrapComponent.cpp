#include "Logic/Abilities/PulseTrapComponent.h"
#include "Xml/ValueXml.h"

QUILL_DEFINE_TYPE_RECORD(Logic::PulseTrapComponent, &TypeRecordOf<Logic::AbilityComponent>(), false)

namespace Logic
{
PulseTrapComponent::PulseTrapComponent() : m_pulseInterval(DefaultPulseInterval), m_timer(0.0f) {}

void PulseTrapComponent::Deserialize(Serializer::XmlReader& reader)
{
    Serializer::ReadValue(reader, m_pulseInterval, "");
    m_timer = 0.0f;
}

void PulseTrapComponent::Serialize(Serializer::XmlWriter& writer)
{
    Serializer::WriteValue(writer, m_pulseInterval, "");
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
