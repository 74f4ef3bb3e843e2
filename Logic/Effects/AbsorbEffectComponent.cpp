#include "Logic/Effects/AbsorbEffectComponent.h"
#include "Core/Messages/Gameplay/SetHealthbarColorMessage.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Containers/AbsorbContainerComponent.h"
#include "Math/ColorRGBA.h"

QUILL_DEFINE_TYPE_RECORD(Logic::AbsorbEffectComponent, &TypeRecordOf<Logic::EffectComponent>(),
                         false)

namespace Logic
{
namespace
{
constexpr f32 TextSeconds = 1.0f;
constexpr const char* ShieldedText = "++Shielded++";
constexpr const char* UnshieldedText = "--Shielded--";
const Math::ColorRGBA ShieldBar(0.0f, 0.0f, 1.0f, 1.0f);
const Math::ColorRGBA HealthBar(0.0f, 1.0f, 0.0f, 1.0f);
} // namespace

void AbsorbEffectComponent::Deserialize(Serializer::XmlReader& reader)
{
    EffectComponent::Deserialize(reader);
    Bind();
}

bool AbsorbEffectComponent::Bind()
{
    const GameObject* owner = GetOwnerObject();
    if (owner == nullptr)
        return false;
    m_target = owner->GetComponent<AbsorbContainerComponent>();
    return true;
}

void AbsorbEffectComponent::Apply()
{
    Bind();
    if (auto* shield = static_cast<AbsorbContainerComponent*>(m_target))
        shield->Add(statModifyValue_);
    PostNew<SetHealthbarColorMessage>(m_id, ShieldBar, m_owner);
    if (GameObject* owner = GetOwnerObject())
        ShowText(ShieldedText, ShieldColour(), *owner, TextSeconds);
}

void AbsorbEffectComponent::Remove()
{
    if (m_applied && m_isTemporary)
    {
        if (auto* shield = static_cast<AbsorbContainerComponent*>(m_target))
            shield->Add(-shield->GetCurrentStorage());
    }
    m_target = nullptr;
    PostNew<SetHealthbarColorMessage>(m_id, HealthBar, m_owner);
    if (GameObject* owner = GetOwnerObject())
        ShowText(UnshieldedText, ShieldColour(), *owner, TextSeconds);
}

void AbsorbEffectComponent::Update(f32 seconds)
{
    EffectComponent::Update(seconds);
    if (!m_applied)
        return;
    const auto* shield = static_cast<const AbsorbContainerComponent*>(m_target);
    if (shield != nullptr && shield->GetCurrentStorage() < ContainerComponent::Epsilon)
        AddTimeToLast(-EndNow);
}
} // namespace Logic
