#include "Logic/Containers/ToughnessContainerComponent.h"
#include "Core/Reflection/MemberTable.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ToughnessContainerComponent,
                         &TypeRecordOf<Logic::ContainerComponent>(), false)

namespace Logic
{
ToughnessContainerComponent::ToughnessContainerComponent() : m_damageFactor(0.0f) {}

const MemberTable<ToughnessContainerComponent>& ToughnessContainerComponent::Members()
{
    using namespace MemberFlag;
    QUILL_LINKED_MEMBER_TABLE(
        table, ToughnessContainerComponent, ReadRule::ByPosition,
        MemberLinks<ToughnessContainerComponent>::Extending<ContainerComponent>(),
        QUILL_MEMBER(ToughnessContainerComponent, m_damageFactor, Written).Tag(""));
    return table;
}

void ToughnessContainerComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void ToughnessContainerComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void ToughnessContainerComponent::Add(f32 delta)
{
    AddClamped(delta);
    m_damageFactor = currentStorage_ >= Epsilon ? 1.0f / currentStorage_ : NoToughnessFactor;
}
} // namespace Logic
