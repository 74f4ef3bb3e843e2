#include "Logic/Stances/BeaconStanceComponent.h"
#include "Core/Reflection/MemberTable.h"

QUILL_DEFINE_TYPE_RECORD(Logic::BeaconStanceComponent, &TypeRecordOf<Logic::StanceComponent>(),
                         false)

namespace Logic
{
void BeaconStanceComponent::HandleCursor(const InputCursorMessage&)
{
    FaceCursor();
}

void BeaconStanceComponent::HandleMove(const InputMoveMessage& message)
{
    if (!m_triggered)
        AddMove(message);
}

const MemberTable<BeaconStanceComponent>& BeaconStanceComponent::Members()
{
    QUILL_LINKED_MEMBER_TABLE(
        table, BeaconStanceComponent, ReadRule::ByPosition, MemberLinks<BeaconStanceComponent>{},
        QUILL_MEMBER(BeaconStanceComponent, m_triggeredPosition, MemberFlag::Written)
            .Tag(PositionTag));
    return table;
}

void BeaconStanceComponent::ReadOwnField(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void BeaconStanceComponent::WriteOwnField(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}
} // namespace Logic
