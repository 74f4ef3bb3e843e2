#include "Logic/Stances/BeaconStanceComponent.h"
#include "Xml/ValueXml.h"

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

void BeaconStanceComponent::ReadOwnField(Serializer::XmlReader& reader)
{
    Serializer::ReadValue(reader, m_triggeredPosition, "");
}

void BeaconStanceComponent::WriteOwnField(Serializer::XmlWriter& writer)
{
    Serializer::WriteValue(writer, m_triggeredPosition, PositionTag);
}
} // namespace Logic
