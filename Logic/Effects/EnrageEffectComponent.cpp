#include "Logic/Effects/EnrageEffectComponent.h"
#include "Core/Messages/Gameplay/SetHealthbarColorMessage.h"
#include "Core/Messages/Object/AddComponentMessage.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Logic/Effects/DeathEffectComponent.h"
#include "Logic/Effects/ScaleEffectComponent.h"
#include "Physics/ColliderComponent.h"
#include "Scripting/LuaComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::EnrageEffectComponent, &TypeRecordOf<Logic::EffectComponent>(),
                         false)

namespace Logic
{
namespace
{
constexpr u32 NoCheck = 0;
constexpr f32 TextSeconds = 1.0f;
constexpr f32 GrowSeconds = 0.5f;
constexpr f32 ShrinkSeconds = 1.0f;
constexpr const char* EnrageFunction = "EnrageAbility";
constexpr const char* UnEnrageFunction = "UnEnrageAbility";
// The way back's value: the character's own scale itself.
constexpr f32 OwnScale = 1.0f;
const Math::ColorRGBA HealthBar(0.0f, 1.0f, 0.0f, 1.0f);
} // namespace

EnrageEffectComponent::EnrageEffectComponent() : m_ownScale(1.0f, 1.0f, 1.0f), m_ownRadius(0.0f) {}

void EnrageEffectComponent::Deserialize(Serializer::XmlReader& reader)
{
    EffectComponent::Deserialize(reader);
}

bool EnrageEffectComponent::Bind()
{
    const GameObject* owner = GetOwnerObject();
    if (owner == nullptr)
        return false;
    m_target = owner->GetComponent<ControllerComponent>();
    return true;
}

void EnrageEffectComponent::CallAbilityScripts(const char* function) const
{
    const GameObject* owner = GetOwnerObject();
    const ControllerComponent* controller =
        owner != nullptr ? owner->GetComponent<ControllerComponent>() : nullptr;
    if (controller == nullptr || controller->GetName() != SimpleControllerComponent::GetTypeName())
        return;
    const auto* player = static_cast<const SimpleControllerComponent*>(controller);
    for (Scripting::LuaComponent* script : player->GetAbilityScripts())
        script->Call(function);
}

void EnrageEffectComponent::PostScale(f32 seconds, f32 factor) const
{
    if (auto* scale = Make<ScaleEffectComponent>())
    {
        scale->Setup(seconds, factor, false, false);
        scale->SetOwnScale(m_ownScale, m_ownRadius);
        PostNew<AddComponentMessage>(m_id, scale, m_owner, NoCheck);
    }
}

void EnrageEffectComponent::Apply()
{
    GameObject* owner = GetOwnerObject();
    if (owner == nullptr)
        return;
    if (auto* collider = owner->GetComponent<Physics::ColliderComponent>())
        collider->Category |= EnragedGroup;
    CallAbilityScripts(EnrageFunction);
    ScaleEffectComponent::FindOwnScale(*owner, m_ownScale, m_ownRadius);
    PostScale(GrowSeconds, statModifyValue_);
    ShowText("++Enraged++", ShieldColour(), *owner, TextSeconds);
}

void EnrageEffectComponent::Remove()
{
    GameObject* owner = GetOwnerObject();
    if (owner == nullptr)
        return;
    if (m_applied && m_isTemporary)
    {
        if (auto* collider = owner->GetComponent<Physics::ColliderComponent>())
            collider->Category &= ~EnragedGroup;
        // A death keeps the collider it found, enraged, to give it back on revival.
        for (const GameObject::ComponentEntry& entry : owner->GetComponentList())
        {
            auto* death = dynamic_cast<DeathEffectComponent*>(entry.component);
            if (death != nullptr && death->IsApplied())
                death->DropSavedCategory(EnragedGroup);
        }
        CallAbilityScripts(UnEnrageFunction);
        PostScale(ShrinkSeconds, OwnScale);
    }
    m_target = nullptr;
    PostNew<SetHealthbarColorMessage>(m_id, HealthBar, m_owner);
    ShowText("--Enraged--", ShieldColour(), *owner, TextSeconds);
}
} // namespace Logic
