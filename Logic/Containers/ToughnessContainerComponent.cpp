#include "Logic/Containers/ToughnessContainerComponent.h"
#include "Xml/ValueXml.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ToughnessContainerComponent,
                         &TypeRecordOf<Logic::ContainerComponent>(), false)

namespace Logic
{
ToughnessContainerComponent::ToughnessContainerComponent() : m_damageFactor(0.0f) {}

void ToughnessContainerComponent::Deserialize(Serializer::XmlReader& reader)
{
    ContainerComponent::Deserialize(reader);
    Serializer::ReadValue(reader, m_damageFactor, "");
}

void ToughnessContainerComponent::Serialize(Serializer::XmlWriter& writer)
{
    ContainerComponent::Serialize(writer);
    Serializer::WriteValue(writer, m_damageFactor, "");
}

void ToughnessContainerComponent::Add(f32 delta)
{
    AddClamped(delta);
    m_damageFactor = currentStorage_ >= Epsilon ? 1.0f / currentStorage_ : NoToughnessFactor;
}
} // namespace Logic
