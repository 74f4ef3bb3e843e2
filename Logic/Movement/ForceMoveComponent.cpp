#include "Logic/Movement/ForceMoveComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Objects/GameObject.h"
#include "Physics/RigidBodyComponent.h"
#include <cmath>

QUILL_DEFINE_TYPE_RECORD(Logic::ForceMoveComponent, &TypeRecordOf<Logic::MoveComponent>(), false)

namespace Logic
{
namespace
{
const Math::Vector4 Forward(0.0f, 0.0f, 1.0f, 0.0f);

bool IsZeroRotation(const Math::Quaternion& q)
{
    const f32 e = ForceMoveComponent::ZeroRotationEpsilon;
    return std::fabs(q.w) <= e && std::fabs(q.x) <= e && std::fabs(q.y) <= e && std::fabs(q.z) <= e;
}
} // namespace

void ForceMoveComponent::Update(f32)
{
    const GameObject* owner = GetOwnerObject();
    auto* body = owner != nullptr ? owner->GetComponent<Physics::RigidBodyComponent>() : nullptr;
    TransformComponent* transform = Transform();
    if (body == nullptr || transform == nullptr)
        return;
    const Math::Quaternion facing = Math::Quaternion::RotationBetween(Forward, body->GetVelocity());
    if (!IsZeroRotation(facing))
        transform->SetOrientation(facing);
    if (direction_.LengthSquared() > 1.0f)
        direction_.Normalize();
    // Only a push: a force wakes the body, and a body woken every frame never comes to rest, so
    // its dwindling drift would turn the object (and take its aim) long after it stopped.
    const Math::Vector4 force = direction_ * (moveValue_ * moveModifier_);
    if (!force.IsZero())
        body->AddForce(force);
    direction_ = Math::Vector4(0.0f, 0.0f, 0.0f, 0.0f);
}
} // namespace Logic
