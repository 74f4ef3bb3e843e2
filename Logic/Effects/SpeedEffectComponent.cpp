#include "Logic/Effects/SpeedEffectComponent.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Movement/MoveComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::SpeedEffectComponent, &TypeRecordOf<Logic::EffectComponent>(),
                         false)

namespace Logic
{
void SpeedEffectComponent::Deserialize(Serializer::XmlReader& reader)
{
    EffectComponent::Deserialize(reader);
    Bind();
}

bool SpeedEffectComponent::Bind()
{
    const GameObject* owner = GetOwnerObject();
    if (owner == nullptr)
        return false;
    m_target = owner->GetComponent<MoveComponent>();
    return true;
}

void SpeedEffectComponent::Apply()
{
    Bind();
    auto* move = static_cast<MoveComponent*>(m_target);
    if (move != nullptr && statModifyValue_ != 0.0f)
        move->MultiplyMoveModifier(statModifyValue_);
}

void SpeedEffectComponent::Remove()
{
    auto* move = static_cast<MoveComponent*>(m_target);
    if (m_applied && m_isTemporary && move != nullptr && statModifyValue_ != 0.0f)
        move->MultiplyMoveModifier(1.0f / statModifyValue_);
    m_target = nullptr;
}
} // namespace Logic
