#include "Logic/Stances/SlowStanceComponent.h"
#include "Logic/Movement/MoveComponent.h"
#include "Xml/ValueXml.h"

QUILL_DEFINE_TYPE_RECORD(Logic::SlowStanceComponent, &TypeRecordOf<Logic::StanceComponent>(), false)

namespace Logic
{
SlowStanceComponent::SlowStanceComponent() : m_slowFactor(0.0f), m_reciprocal(0.0f) {}

void SlowStanceComponent::Toggle()
{
    StanceComponent::Toggle();
    MoveComponent* move = Move();
    if (move == nullptr || m_slowFactor == 0.0f)
        return;
    move->MultiplyMoveModifier(m_triggered ? m_slowFactor : m_reciprocal);
}

void SlowStanceComponent::HandleCursor(const InputCursorMessage&)
{
    FaceCursor();
}

void SlowStanceComponent::HandleMove(const InputMoveMessage& message)
{
    AddMove(message);
    if (const MoveComponent* move = Move())
        FaceAlong(move->GetDirection());
}

void SlowStanceComponent::ReadOwnField(Serializer::XmlReader& reader)
{
    Serializer::ReadValue(reader, m_slowFactor, "");
    m_reciprocal = m_slowFactor != 0.0f ? 1.0f / m_slowFactor : 0.0f;
}

void SlowStanceComponent::WriteOwnField(Serializer::XmlWriter& writer)
{
    Serializer::WriteValue(writer, m_slowFactor, "");
}
} // namespace Logic
