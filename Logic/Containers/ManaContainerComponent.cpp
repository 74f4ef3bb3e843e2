#include "Logic/Containers/ManaContainerComponent.h"
#include "Core/Reflection/MemberTable.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ManaContainerComponent,
                         &TypeRecordOf<Logic::RechargeContainerComponent>(), false)

namespace Logic
{
ManaContainerComponent::ManaContainerComponent() : m_extra(0.0f) {}

const MemberTable<ManaContainerComponent>& ManaContainerComponent::Members()
{
    using namespace MemberFlag;
    QUILL_LINKED_MEMBER_TABLE(
        table, ManaContainerComponent, ReadRule::ByPosition,
        MemberLinks<ManaContainerComponent>::Extending<RechargeContainerComponent>(),
        QUILL_MEMBER(ManaContainerComponent, m_extra, Written).Tag(""));
    return table;
}

void ManaContainerComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void ManaContainerComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}
} // namespace Logic
