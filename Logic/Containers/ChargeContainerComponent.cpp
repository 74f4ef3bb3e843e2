#include "Logic/Containers/ChargeContainerComponent.h"
#include "Xml/ValueXml.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ChargeContainerComponent,
                         &TypeRecordOf<Logic::ContainerComponent>(), false)

namespace Logic
{
ChargeContainerComponent::ChargeContainerComponent() : m_charge(0.0f) {}

void ChargeContainerComponent::Deserialize(Serializer::XmlReader& reader)
{
    ContainerComponent::Deserialize(reader);
    Serializer::ReadValue(reader, m_charge, "");
}

void ChargeContainerComponent::Serialize(Serializer::XmlWriter& writer)
{
    ContainerComponent::Serialize(writer);
    Serializer::WriteValue(writer, m_charge, "");
}
} // namespace Logic
