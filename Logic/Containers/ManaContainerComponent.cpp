#include "Logic/Containers/ManaContainerComponent.h"
#include "Xml/ValueXml.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ManaContainerComponent,
                         &TypeRecordOf<Logic::RechargeContainerComponent>(), false)

namespace Logic
{
ManaContainerComponent::ManaContainerComponent() : m_extra(0.0f) {}

void ManaContainerComponent::Deserialize(Serializer::XmlReader& reader)
{
    RechargeContainerComponent::Deserialize(reader);
    Serializer::ReadValue(reader, m_extra, "");
}

void ManaContainerComponent::Serialize(Serializer::XmlWriter& writer)
{
    RechargeContainerComponent::Serialize(writer);
    Serializer::WriteValue(writer, m_extra, "");
}
} // namespace Logic
