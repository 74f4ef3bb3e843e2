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
constexpr u32 NoCheck = 0;
// The value of a way back: the object's own scale itself.
constexpr f32 OwnScale = 1.0f;

Physics::SphereColliderComponent* SphereOf(const GameObject& owner)
{
    return dynamic_cast<Physics::SphereColliderComponent*>(
        owner.GetComponent<Physics::ColliderComponent>());
}
} // namespace

ScaleEffectComponent::ScaleEffectComponent()
    : m_ownScale(1.0f, 1.0f, 1.0f), m_targetScale(0.0f, 0.0f, 0.0f), m_ownRadius(0.0f),
      m_targetRadius(0.0f), m_hasOwn(false), m_bound(false), m_hasSphere(false), m_superseded(false)
{
}

void ScaleEffectComponent::Deserialize(Serializer::XmlReader& reader)
{
    EffectComponent::Deserialize(reader);
    Bind();
}

void ScaleEffectComponent::SetOwnScale(const Math::Vector3& scale, f32 radius)
{
    m_ownScale = scale;
    m_ownRadius = radius;
    m_hasOwn = true;
}

void ScaleEffectComponent::FindOwnScale(const GameObject& object, Math::Vector3& scale, f32& radius)
{
    for (const GameObject::ComponentEntry& entry : object.GetComponentList())
    {
        const auto* other = dynamic_cast<const ScaleEffectComponent*>(entry.component);
        if (other != nullptr && other->m_bound && !other->m_superseded)
        {
            scale = other->m_ownScale;
            radius = other->m_ownRadius;
            return;
        }
    }
    const auto* transform = object.GetComponent<TransformComponent>();
    scale = transform != nullptr ? transform->GetScale() : Math::Vector3(1.0f, 1.0f, 1.0f);
    const Physics::SphereColliderComponent* sphere = SphereOf(object);
    radius = sphere != nullptr ? sphere->GetSphere().radius : 0.0f;
}

bool ScaleEffectComponent::Bind()
{
    GameObject* owner = GetOwnerObject();
    if (owner == nullptr)
        return false;
    if (!m_bound)
    {
        // This one binds now: it finds the own scale where the others keep it, then they
        // leave the object's size to it.
        if (!m_hasOwn)
            FindOwnScale(*owner, m_ownScale, m_ownRadius);
        m_hasOwn = true;
        for (const GameObject::ComponentEntry& entry : owner->GetComponentList())
        {
            auto* other = dynamic_cast<ScaleEffectComponent*>(entry.component);
            if (other != nullptr && other != this && other->m_bound)
                other->m_superseded = true;
        }
        m_bound = true;
    }
    m_target = owner->GetComponent<TransformComponent>();
    m_targetScale = m_ownScale * statModifyValue_;
    m_hasSphere = SphereOf(*owner) != nullptr;
    m_targetRadius = m_ownRadius * statModifyValue_;
    return true;
}

void ScaleEffectComponent::Step(GameObject& owner, f32 share) const
{
    if (auto* transform = owner.GetComponent<TransformComponent>())
    {
        const Math::Vector3 scale = transform->GetScale();
        transform->SetScale(scale + (m_targetScale - scale) * share);
    }
    Physics::SphereColliderComponent* sphere = SphereOf(owner);
    if (m_hasSphere && sphere != nullptr)
    {
        f32& radius = sphere->GetSphere().radius;
        radius += (m_targetRadius - radius) * share;
    }
}

void ScaleEffectComponent::Update(f32 seconds)
{
    // The frame that applies the effect does not scale yet.
    const bool wasApplied = m_applied;
    EffectComponent::Update(seconds);
    if (!wasApplied || m_superseded || statModifyValue_ == 0.0f)
        return;
    // Looked up again each frame: components may leave the object while it scales.
    GameObject* owner = GetOwnerObject();
    if (owner == nullptr)
        return;
    // The frame the time runs out in ends the way: a frame longer than the time left, after
    // shorter ones, would leave the rest of it undone.
    f32 share = 1.0f;
    if (m_applied && m_timeToLast > 0.0f)
    {
        share = seconds / m_timeToLast;
        share = share < 0.0f ? 0.0f : (share > 1.0f ? 1.0f : share);
    }
    Step(*owner, share);
}

void ScaleEffectComponent::Remove()
{
    if (m_applied && m_isTemporary && m_bound && !m_superseded && statModifyValue_ != 0.0f)
    {
        if (auto* back = Make<ScaleEffectComponent>())
        {
            back->Setup(ReverseSeconds, OwnScale, false, false);
            back->SetOwnScale(m_ownScale, m_ownRadius);
            PostNew<AddComponentMessage>(m_id, back, m_owner, NoCheck);
        }
    }
    m_target = nullptr;
    m_bound = false;
}
} // namespace Logic
