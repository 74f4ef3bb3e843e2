#include "Logic/Containers/ChargeContainerComponent.h"
#include "Core/Reflection/MemberTable.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ChargeContainerComponent,
                         &TypeRecordOf<Logic::ContainerComponent>(), false)

namespace Logic
{
ChargeContainerComponent::ChargeContainerComponent() : m_charge(0.0f) {}

const MemberTable<ChargeContainerComponent>& ChargeContainerComponent::Members()
{
    using namespace MemberFlag;
    QUILL_LINKED_MEMBER_TABLE(
        table, ChargeContainerComponent, ReadRule::ByPosition,
        MemberLinks<ChargeContainerComponent>::Extending<ContainerComponent>(),
        QUILL_MEMBER(ChargeContainerComponent, m_charge, Written).Tag(""));
    return table;
}

void ChargeContainerComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void ChargeContainerComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}
} // namespace Logic
