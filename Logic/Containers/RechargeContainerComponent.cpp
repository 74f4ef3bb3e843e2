#include "Logic/Containers/RechargeContainerComponent.h"
#include "Core/Reflection/HashTypeName.h"
#include "Xml/ValueXml.h"

QUILL_DEFINE_TYPE_RECORD(Logic::RechargeContainerComponent,
                         &TypeRecordOf<Logic::ContainerComponent>(), false)

namespace Logic
{
RechargeContainerComponent::RechargeContainerComponent()
    : m_rechargeInterval(0.0f), m_rechargeAmount(0.0f), m_timer(0.0f)
{
}

u32 RechargeContainerComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}

void RechargeContainerComponent::Deserialize(Serializer::XmlReader& reader)
{
    ContainerComponent::Deserialize(reader);
    Serializer::ReadValue(reader, m_rechargeInterval, "");
    Serializer::ReadValue(reader, m_rechargeAmount, "");
}

void RechargeContainerComponent::Serialize(Serializer::XmlWriter& writer)
{
    ContainerComponent::Serialize(writer);
    Serializer::WriteValue(writer, m_rechargeInterval, "");
    Serializer::WriteValue(writer, m_rechargeAmount, "");
}

void RechargeContainerComponent::Update(f32 seconds)
{
    if (currentStorage_ == maximumStorage_)
        return;
    m_timer += seconds;
    if (m_timer >= m_rechargeInterval)
    {
        m_timer -= m_rechargeInterval;
        Add(m_rechargeAmount);
    }
}
} // namespace Logic
