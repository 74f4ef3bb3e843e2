#include "Logic/Effects/KnockbackEffectComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/MemberTable.h"

QUILL_DEFINE_TYPE_RECORD(Logic::KnockbackEffectComponent, &TypeRecordOf<Logic::EffectComponent>(),
                         false)

namespace Logic
{
KnockbackEffectComponent::KnockbackEffectComponent() : m_point(0.0f, 0.0f, 0.0f, 1.0f) {}

const MemberTable<KnockbackEffectComponent>& KnockbackEffectComponent::Members()
{
    using namespace MemberFlag;
    // Once the point is read, the effect binds to its object.
    static constexpr void (*BindOnRead)(KnockbackEffectComponent&) =
        [](KnockbackEffectComponent& effect) { effect.Bind(); };
    QUILL_LINKED_MEMBER_TABLE(
        table, KnockbackEffectComponent, ReadRule::ByPosition,
        MemberLinks<KnockbackEffectComponent>::Extending<EffectComponent>().AfterRead(BindOnRead),
        QUILL_MEMBER(KnockbackEffectComponent, m_point, Written).Tag(PointTag));
    return table;
}

void KnockbackEffectComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void KnockbackEffectComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

bool KnockbackEffectComponent::Bind()
{
    const GameObject* owner = GetOwnerObject();
    if (owner == nullptr)
        return false;
    m_target = owner->GetComponent<TransformComponent>();
    return true;
}

void KnockbackEffectComponent::Apply()
{
    Bind();
}

void KnockbackEffectComponent::Remove()
{
    m_target = nullptr;
}

void KnockbackEffectComponent::Update(f32 seconds)
{
    // The frame that applies the effect does not move the object yet.
    const bool wasApplied = m_applied;
    EffectComponent::Update(seconds);
    auto* transform = static_cast<TransformComponent*>(m_target);
    if (!wasApplied || !m_applied || transform == nullptr)
        return;
    f32 share = m_timeToLast > 0.0f ? seconds / m_timeToLast : 1.0f;
    share = share < 0.0f ? 0.0f : (share > 1.0f ? 1.0f : share);
    const Math::Point4& position = transform->GetPosition();
    transform->SetPosition(Math::Point4(position + (m_point - position) * share));
}
} // namespace Logic
