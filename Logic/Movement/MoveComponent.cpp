#include "Logic/Movement/MoveComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Messages/Gameplay/DirectionAddMessage.h"
#include "Core/Messages/Gameplay/DirectionSetMessage.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/HashTypeName.h"
#include "Core/Reflection/MemberTable.h"

QUILL_DEFINE_TYPE_RECORD(Logic::MoveComponent, &TypeRecordOf<Logic::LogicComponent>(), false)

namespace Logic
{
MoveComponent::MoveComponent()
    : moveValue_(0.0f), moveModifier_(1.0f), direction_(0.0f, 0.0f, 0.0f, 0.0f),
      m_transform(nullptr)
{
}

void MoveComponent::RegisterMembers()
{
    RegisterTableMembers(Members());
}

const MemberTable<MoveComponent>& MoveComponent::Members()
{
    using namespace MemberFlag;
    // Once read, the direction is a direction (w = 0) and the transform is looked up afresh.
    static constexpr void (*AfterRead)(MoveComponent&) = [](MoveComponent& move)
    {
        move.direction_.w = 0.0f;
        move.m_transform = nullptr;
        move.Transform();
    };
    QUILL_LINKED_MEMBER_TABLE(
        table, MoveComponent, ReadRule::ByPosition,
        MemberLinks<MoveComponent>{}.AfterRead(AfterRead),
        QUILL_MEMBER(MoveComponent, moveValue_, Reflected | Written).Tag(""),
        QUILL_MEMBER(MoveComponent, moveModifier_, Reflected),
        QUILL_MEMBER(MoveComponent, direction_, Reflected | Written).Tag(DirectionTag));
    return table;
}

u32 MoveComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}

void MoveComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void MoveComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

TransformComponent* MoveComponent::Transform()
{
    if (m_transform == nullptr)
    {
        if (const GameObject* owner = GetOwnerObject())
            m_transform = owner->GetComponent<TransformComponent>();
    }
    return m_transform;
}

void MoveComponent::HandleMessage(Message* message)
{
    if (message == nullptr)
        return;
    if (message->type == DirectionSetMessage::Type)
    {
        if (const auto* set = dynamic_cast<const DirectionSetMessage*>(message))
            direction_ = set->direction;
    }
    else if (message->type == DirectionAddMessage::Type)
    {
        const auto* add = dynamic_cast<const DirectionAddMessage*>(message);
        TransformComponent* transform = Transform();
        if (add != nullptr && transform != nullptr)
            direction_ += transform->GetOrientation().Rotate(add->direction);
    }
}

Math::Quaternion MoveComponent::GetOrientation()
{
    TransformComponent* transform = Transform();
    return transform != nullptr ? transform->GetOrientation() : Math::Quaternion();
}

void MoveComponent::SetOrientation(const Math::Quaternion& orientation)
{
    if (TransformComponent* transform = Transform())
        transform->SetOrientation(orientation);
}

Math::Point4 MoveComponent::GetPosition()
{
    TransformComponent* transform = Transform();
    return transform != nullptr ? transform->GetPosition() : Math::Point4();
}
} // namespace Logic
