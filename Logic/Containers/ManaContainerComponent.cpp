#include "Logic/Containers/ManaContainerComponent.h"
#include "Core/Reflection/HashTypeName.h"
#include "Serializer/Xml/ValueXml.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ManaContainerComponent,
                         &TypeRecordOf<Logic::RechargeContainerComponent>(), false)

namespace Logic
{
ManaContainerComponent::ManaContainerComponent() : m_extra(0.0f) {}

u32 ManaContainerComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}

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
