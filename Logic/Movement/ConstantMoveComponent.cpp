#include "Logic/Movement/ConstantMoveComponent.h"
#include "Core/Components/TransformComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ConstantMoveComponent, &TypeRecordOf<Logic::MoveComponent>(), false)

namespace Logic
{
namespace
{
const Math::Vector4 Forward(0.0f, 0.0f, 1.0f, 0.0f);
}

void ConstantMoveComponent::Update(f32 seconds)
{
    TransformComponent* transform = Transform();
    if (transform == nullptr)
        return;
    if (direction_.IsZero())
        direction_ = transform->GetOrientation().Rotate(Forward);
    if (direction_.LengthSquared() != 1.0f)
        direction_.Normalize();
    transform->SetPosition(transform->GetPosition() +
                           direction_ * (moveValue_ * moveModifier_ * seconds));
}
} // namespace Logic
