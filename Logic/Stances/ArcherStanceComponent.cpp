#include "Logic/Stances/ArcherStanceComponent.h"
#include "Xml/ValueXml.h"

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

void ArcherStanceComponent::ReadOwnField(Serializer::XmlReader& reader)
{
    Serializer::ReadValue(reader, m_orientation, "");
}

void ArcherStanceComponent::WriteOwnField(Serializer::XmlWriter& writer)
{
    Serializer::WriteValue(writer, m_orientation, OrientationTag);
}
} // namespace Logic
