#include "Logic/Modifiers/DamageModifierComponent.h"
#include "Audio/AudioResponseComponent.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Messages/Object/AddComponentMessage.h"
#include "Core/Messages/Object/ObjectDestroyMessage.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Containers/AbsorbContainerComponent.h"
#include "Logic/Containers/DamageContainerComponent.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Logic/Controllers/ControllerComponent.h"
#include "Logic/Effects/EffectComponent.h"
#include "Logic/LogicServices.h"
#include "Logic/LogicSystem.h"
#include <sstream>

QUILL_DEFINE_TYPE_RECORD(Logic::DamageModifierComponent, &TypeRecordOf<Logic::ModifierComponent>(),
                         false)

namespace Logic
{
namespace
{
constexpr u32 NoTarget = 0;
constexpr u32 NoCheck = 0;
constexpr const char* PlayerControllerName = "SimpleControllerComponent";
const Math::ColorRGBA Blue(0.0f, 0.0f, 1.0f, 1.0f);
const Math::ColorRGBA White(1.0f, 1.0f, 1.0f, 1.0f);
const Math::ColorRGBA Red(1.0f, 0.0f, 0.0f, 1.0f);
constexpr const char* ShieldText = "(0)";
// The number of AI controllers while the last enemy stands.
constexpr u32 LastEnemy = 1;
} // namespace

void DamageModifierComponent::Add(f32 delta)
{
    AddClamped(delta);
    if (currentStorage_ < Epsilon)
        PostNew<ObjectDestroyMessage>(m_id, m_owner, NoTarget);
}

void DamageModifierComponent::PostEffect(const char* typeName, f32 value, u32 targetId) const
{
    GameFactory* factory = Engine::Factory();
    GameObjectComponent* component =
        factory != nullptr ? factory->CreateComponent(typeName) : nullptr;
    auto* effect = dynamic_cast<EffectComponent*>(component);
    if (effect == nullptr)
    {
        Core::Log() << "Error [DamageModifierComponent]: no " << typeName
                    << " can be made for object " << targetId << '\n';
        if (component != nullptr)
        {
            component->Shutdown();
            factory->DestroyComponent(component);
        }
        return;
    }
    effect->Setup(timeToLast_, value, resultsAreTemporary_, false);
    PostNew<AddComponentMessage>(m_id, effect, targetId, NoCheck);
}

void DamageModifierComponent::PlayFinalKill() const
{
    // The one who fired the ability scores the kill: the creator of this ability object.
    const GameObject* ability = GetOwnerObject();
    const GameObject* shooter = ability != nullptr && g_Engine != nullptr
                                    ? g_Engine->GetFactory()->FindObject(ability->GetCreatorId())
                                    : nullptr;
    if (shooter == nullptr)
        return;
    if (auto* response = shooter->GetComponent<Audio::AudioResponseComponent>())
        response->OnFinalKill();
}

void DamageModifierComponent::OnCollide(CollideMessage& message)
{
    GameFactory* factory = Engine::Factory();
    GameObject* target = factory != nullptr ? factory->FindObject(message.otherObjectId) : nullptr;
    if (target == nullptr)
        return;
    // A felled enemy goes once the destroy posted as it fell is delivered: a blow handled after
    // the fall gives it nothing, since its effects would reach an object that is gone.
    const HealthContainerComponent* health = target->GetComponent<HealthContainerComponent>();
    const bool player = HoldsComponentNamed(*target, PlayerControllerName);
    if (health != nullptr && health->GetCurrentStorage() <= 0.0f && !player &&
        target->GetComponent<ControllerComponent>() != nullptr)
        return;

    if (auto* shield = target->GetComponent<AbsorbContainerComponent>())
    {
        const f32 absorbed = shield->GetCurrentStorage();
        if (absorbed > Epsilon)
        {
            const f32 damage = currentStorage_;
            Add(-absorbed);
            shield->Add(-damage);
            ShowText(ShieldText, Blue, *target, TextDuration);
        }
    }

    const f32 damage = currentStorage_;
    if (damage < Epsilon)
        return;
    if (target->GetComponent<DamageContainerComponent>() != nullptr)
        PostEffect("DamageEffectComponent", damage, target->GetId());
    if (health == nullptr)
        return;
    // The final kill is the last enemy's death: a player felled while one enemy lives is none.
    if (damage > health->GetCurrentStorage() && !player &&
        Services().aiControllerCount() == LastEnemy)
        PlayFinalKill();
    PostEffect("HealthEffectComponent", damage, target->GetId());

    std::ostringstream text;
    text << damage;
    ShowText(text.str(), player ? Red : White, *target, TextDuration);
}
} // namespace Logic
