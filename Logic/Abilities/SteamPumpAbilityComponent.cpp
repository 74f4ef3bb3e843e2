#include "Logic/Abilities/SteamPumpAbilityComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Log.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Effects/KnockbackEffectComponent.h"
#include "Logic/Effects/ScaleEffectComponent.h"
#include "Logic/Modifiers/ModifierComponent.h"
#include "Scripting/LuaComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::SteamPumpAbilityComponent, &TypeRecordOf<Logic::AbilityComponent>(),
                         false)

namespace Logic
{
namespace
{
constexpr const char* ScaleTable = "ScaleEffect";
constexpr const char* ScaleValueKey = "value";
constexpr const char* ScaleTimeKey = "timeToLast";
constexpr const char* KnockDistance = "steamKnockDistance";
// Seconds per unit of the push: the object hit flies at 20 units per second.
constexpr f32 KnockSecondsPerUnit = 0.05f;
} // namespace

void SteamPumpAbilityComponent::Deserialize(Serializer::XmlReader&)
{
    if (!RunKindSetup())
        return;
    Scripting::LuaComponent* script = GetScript();
    GameObject* owner = GetOwnerObject();
    auto* grow = owner != nullptr ? Make<ScaleEffectComponent>() : nullptr;
    if (grow == nullptr)
        return;
    f32 value = 0.0f;
    f32 seconds = 0.0f;
    script->GetTableFloat(ScaleTable, ScaleValueKey, value);
    script->GetTableFloat(ScaleTable, ScaleTimeKey, seconds);
    grow->Setup(seconds, value, false, false);
    owner->AddComponent(grow);
}

void SteamPumpAbilityComponent::HandleMessage(Message* message)
{
    CollideMessage* contact = ContactOf(message, true);
    const GameObject* owner = GetOwnerObject();
    if (contact == nullptr || owner == nullptr)
        return;
    CallOnCollide(contact->otherObjectId);
    for (GameObjectComponent* component :
         owner->GetComponents(ComponentTypeId<ModifierComponent>()))
    {
        auto* modifier = dynamic_cast<ModifierComponent*>(component);
        if (modifier == nullptr)
            continue;
        Core::Log() << "Handling collision with modifier: " << modifier->GetName() << '\n';
        modifier->OnCollide(*contact);
    }
    SteamKnock(contact->otherObjectId);
    CountHit();
}

void SteamPumpAbilityComponent::SteamKnock(u32 otherObjectId)
{
    GameObject* other = FindObject(otherObjectId);
    const GameObject* parent = FindObject(m_parent);
    Scripting::LuaComponent* script = GetScript();
    const auto* victim = other != nullptr ? other->GetComponent<TransformComponent>() : nullptr;
    const auto* caster = parent != nullptr ? parent->GetComponent<TransformComponent>() : nullptr;
    if (victim == nullptr || caster == nullptr || script == nullptr)
        return;
    Math::Vector4 direction = victim->GetPosition() - caster->GetPosition();
    direction.Normalize();
    f32 distance = 0.0f;
    script->GetGlobalFloat(KnockDistance, distance);
    const Math::Point4 target(caster->GetPosition() + direction * distance);
    auto* push = Make<KnockbackEffectComponent>();
    if (push == nullptr)
        return;
    push->Setup((target - victim->GetPosition()).Length() * KnockSecondsPerUnit, 0.0f, true, false);
    push->SetTargetPoint(target);
    other->AddComponent(push);
}
} // namespace Logic
