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
constexpr u32 kNoCheck = 0;
constexpr f32 kTextSeconds = 1.0f;
constexpr f32 kGrowSeconds = 0.5f;
constexpr f32 kShrinkSeconds = 1.0f;
constexpr const char* kEnrageFunction = "EnrageAbility";
constexpr const char* kUnEnrageFunction = "UnEnrageAbility";
// The way back's value: the character's own scale itself.
constexpr f32 kOwnScale = 1.0f;
const Math::ColorRGBA kHealthBar(0.0f, 1.0f, 0.0f, 1.0f);
} // namespace

EnrageEffectComponent::EnrageEffectComponent() : m_ownScale(1.0f, 1.0f, 1.0f), m_ownRadius(0.0f) {}

void EnrageEffectComponent::Deserialize(Serializer::XmlReader& reader)
{
    EffectComponent::Deserialize(reader);
}

bool EnrageEffectComponent::Bind()
{
    const GameObject* owner = OwnerObject();
    if (owner == nullptr)
        return false;
    m_target = owner->GetComponent<ControllerComponent>();
    return true;
}

void EnrageEffectComponent::CallAbilityScripts(const char* function) const
{
    const GameObject* owner = OwnerObject();
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
        Post(new AddComponentMessage(m_id, scale, m_owner, kNoCheck));
    }
}

void EnrageEffectComponent::Apply()
{
    GameObject* owner = OwnerObject();
    if (owner == nullptr)
        return;
    if (auto* collider = owner->GetComponent<Physics::ColliderComponent>())
        collider->Category |= EnragedGroup;
    CallAbilityScripts(kEnrageFunction);
    ScaleEffectComponent::FindOwnScale(*owner, m_ownScale, m_ownRadius);
    PostScale(kGrowSeconds, statModifyValue_);
    ShowText("++Enraged++", ShieldColour(), *owner, kTextSeconds);
}

void EnrageEffectComponent::Remove()
{
    GameObject* owner = OwnerObject();
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
        CallAbilityScripts(kUnEnrageFunction);
        PostScale(kShrinkSeconds, kOwnScale);
    }
    m_target = nullptr;
    Post(new SetHealthbarColorMessage(m_id, kHealthBar, m_owner));
    ShowText("--Enraged--", ShieldColour(), *owner, kTextSeconds);
}
} // namespace Logic
