#include "Logic/Stances/SlowStanceComponent.h"
#include "Core/Reflection/MemberTable.h"
#include "Logic/Movement/MoveComponent.h"

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

const MemberTable<SlowStanceComponent>& SlowStanceComponent::Members()
{
    // The reciprocal undoes the factor when the stance is left.
    static constexpr void (*TakeReciprocal)(SlowStanceComponent&) = [](SlowStanceComponent& stance)
    { stance.m_reciprocal = stance.m_slowFactor != 0.0f ? 1.0f / stance.m_slowFactor : 0.0f; };
    QUILL_LINKED_MEMBER_TABLE(
        table, SlowStanceComponent, ReadRule::ByPosition,
        MemberLinks<SlowStanceComponent>{}.AfterRead(TakeReciprocal),
        QUILL_MEMBER(SlowStanceComponent, m_slowFactor, MemberFlag::Written).Tag(""));
    return table;
}

void SlowStanceComponent::ReadOwnField(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void SlowStanceComponent::WriteOwnField(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}
} // namespace Logic
