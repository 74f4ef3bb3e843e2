#include "Logic/Movement/StaticMoveComponent.h"
#include "Core/Components/TransformComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::StaticMoveComponent, &TypeRecordOf<Logic::MoveComponent>(), false)

namespace Logic
{
namespace
{
const Math::Vector4 Forward(0.0f, 0.0f, 1.0f, 0.0f);
}

void StaticMoveComponent::Update(f32 seconds)
{
    TransformComponent* transform = Transform();
    if (transform == nullptr || direction_.IsZero())
        return;
    direction_ = transform->GetOrientation().Rotate(Forward);
    transform->SetPosition(transform->GetPosition() +
                           direction_ * (moveValue_ * moveModifier_ * seconds));
    direction_ = Math::Vector4(0.0f, 0.0f, 0.0f, 0.0f);
}
} // namespace Logic
