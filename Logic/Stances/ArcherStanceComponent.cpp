#include "Logic/Stances/ArcherStanceComponent.h"
#include "Core/Reflection/MemberTable.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ArcherStanceComponent, &TypeRecordOf<Logic::StanceComponent>(),
                         false)

namespace Logic
{
void ArcherStanceComponent::HandleCursor(const InputCursorMessage&)
{
    if (!m_triggered)
        FaceCursor();
}

void ArcherStanceComponent::HandleMove(const InputMoveMessage& message)
{
    AddMove(message);
}

const MemberTable<ArcherStanceComponent>& ArcherStanceComponent::Members()
{
    QUILL_LINKED_MEMBER_TABLE(
        table, ArcherStanceComponent, ReadRule::ByPosition, MemberLinks<ArcherStanceComponent>{},
        QUILL_MEMBER(ArcherStanceComponent, m_orientation, MemberFlag::Written)
            .Tag(OrientationTag));
    return table;
}

void ArcherStanceComponent::ReadOwnField(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void ArcherStanceComponent::WriteOwnField(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}
} // namespace Logic
