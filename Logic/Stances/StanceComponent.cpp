#include "Logic/Stances/StanceComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Messages/Input/InputMoveMessage.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/HashTypeName.h"
#include "Core/Reflection/MemberTable.h"
#include "Core/System/InputSystem.h"
#include "Graphics/System/CameraSystem.h"
#include "Logic/Movement/MoveComponent.h"
#include "Math/Quaternion.h"

QUILL_DEFINE_TYPE_RECORD(Logic::StanceComponent, &TypeRecordOf<Logic::LogicComponent>(), false)

namespace Logic
{
namespace
{
const Math::Vector4 Forward(0.0f, 0.0f, 1.0f, 0.0f);
}

StanceComponent::StanceComponent() : m_triggered(false) {}

u32 StanceComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}

const MemberTable<StanceComponent>& StanceComponent::Members()
{
    QUILL_MEMBER_TABLE(
        table, StanceComponent, ReadRule::ByPosition,
        QUILL_MEMBER(StanceComponent, m_triggered, MemberFlag::Written).Tag(TriggeredTag));
    return table;
}

void StanceComponent::Deserialize(Serializer::XmlReader& reader)
{
    // The kind's field comes first in the written form, so the kind's table is walked first.
    ReadOwnField(reader);
    ReadMembers(reader, *this, Members());
}

void StanceComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteOwnField(writer);
    WriteMembers(writer, *this, Members());
}

Math::Vector4 StanceComponent::FlatDirection(const Math::Vector2& input)
{
    return Math::Vector4(input.x, 0.0f, -input.y, 0.0f);
}

MoveComponent* StanceComponent::Move() const
{
    const GameObject* owner = GetOwnerObject();
    return owner != nullptr ? owner->GetComponent<MoveComponent>() : nullptr;
}

TransformComponent* StanceComponent::Transform() const
{
    const GameObject* owner = GetOwnerObject();
    return owner != nullptr ? owner->GetComponent<TransformComponent>() : nullptr;
}

void StanceComponent::AddMove(const InputMoveMessage& message)
{
    if (MoveComponent* move = Move())
        move->AddDirection(FlatDirection(message.direction));
}

void StanceComponent::FaceCursor()
{
    const Graphics::System::CameraSystem* cameras = Graphics::System::CameraSystem::Instance();
    TransformComponent* transform = Transform();
    // The ground under the pointer where it is now: the cursor object's own point is placed at
    // the camera's update, which may not have come since the mouse moved.
    Math::Point4 ground;
    if (cameras == nullptr || transform == nullptr ||
        !cameras->GetGroundPoint(Core::System::InputSystem::GetCursorPosition(), ground))
        return;
    FaceAlong(ground - transform->GetPosition());
}

void StanceComponent::FaceAlong(const Math::Vector4& direction)
{
    TransformComponent* transform = Transform();
    const Math::Vector4 flat(direction.x, 0.0f, direction.z, 0.0f);
    if (transform == nullptr || flat.LengthSquared() < FacingEpsilon * FacingEpsilon)
        return;
    transform->SetOrientation(Math::Quaternion::RotationBetween(Forward, flat));
}
} // namespace Logic
