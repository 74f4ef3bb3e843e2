#include "Logic/Effects/ScaleEffectComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Messages/Object/AddComponentMessage.h"
#include "Core/Objects/GameObject.h"
#include "Physics/SphereColliderComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ScaleEffectComponent, &TypeRecordOf<Logic::EffectComponent>(),
                         false)

namespace Logic
{
namespace
{
constexpr u32 kNoCheck = 0;

Physics::SphereColliderComponent* SphereOf(const GameObject& owner)
{
    return dynamic_cast<Physics::SphereColliderComponent*>(
        owner.GetComponent<Physics::ColliderComponent>());
}
} // namespace

ScaleEffectComponent::ScaleEffectComponent()
    : m_startScale(0.0f, 0.0f, 0.0f), m_targetScale(0.0f, 0.0f, 0.0f), m_startRadius(0.0f),
      m_targetRadius(0.0f), m_hasSphere(false)
{
}

void ScaleEffectComponent::Deserialize(Serializer::XmlReader& reader)
{
    EffectComponent::Deserialize(reader);
    Bind();
}

bool ScaleEffectComponent::Bind()
{
    const GameObject* owner = OwnerObject();
    if (owner == nullptr)
        return false;
    auto* transform = owner->GetComponent<TransformComponent>();
    m_target = transform;
    if (transform != nullptr)
    {
        m_startScale = transform->GetScale();
        m_targetScale = m_startScale * statModifyValue_;
    }
    const Physics::SphereColliderComponent* sphere = SphereOf(*owner);
    m_hasSphere = sphere != nullptr;
    if (m_hasSphere)
    {
        m_startRadius = sphere->GetSphere().radius;
        m_targetRadius = m_startRadius * statModifyValue_;
    }
    return true;
}

void ScaleEffectComponent::Update(f32 seconds)
{
    // The frame that applies the effect does not scale yet.
    const bool wasApplied = m_applied;
    EffectComponent::Update(seconds);
    if (!wasApplied || !m_applied || statModifyValue_ == 0.0f)
        return;
    f32 share = m_timeToLast > 0.0f ? seconds / m_timeToLast : 1.0f;
    share = share < 0.0f ? 0.0f : (share > 1.0f ? 1.0f : share);
    // Looked up again each frame: components may leave the object while it scales.
    GameObject* owner = OwnerObject();
    auto* transform = owner != nullptr ? owner->GetComponent<TransformComponent>() : nullptr;
    if (transform != nullptr)
    {
        const Math::Vector3 scale = transform->GetScale();
        transform->SetScale(scale + (m_targetScale - scale) * share);
    }
    Physics::SphereColliderComponent* sphere = owner != nullptr ? SphereOf(*owner) : nullptr;
    if (m_hasSphere && sphere != nullptr)
    {
        f32& radius = sphere->GetSphere().radius;
        radius += (m_targetRadius - radius) * share;
    }
}

void ScaleEffectComponent::Remove()
{
    if (m_applied && m_isTemporary && m_target != nullptr && statModifyValue_ != 0.0f)
    {
        if (auto* back = Make<ScaleEffectComponent>())
        {
            back->Setup(ReverseSeconds, 1.0f / statModifyValue_, false, false);
            Post(new AddComponentMessage(m_id, back, m_owner, kNoCheck));
        }
    }
    m_target = nullptr;
}
} // namespace Logic
