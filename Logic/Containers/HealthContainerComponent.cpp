#include "Logic/Containers/HealthContainerComponent.h"
#include "Audio/AudioResponseComponent.h"
#include "Core/Components/ObjectMountsComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Messages/Gameplay/PositionSetMessage.h"
#include "Core/Messages/Gameplay/SetHealthbarColorMessage.h"
#include "Core/Messages/Graphics/AnimationPlayUntilMessage.h"
#include "Core/Messages/Graphics/AnimationSwapMessage.h"
#include "Core/Messages/Object/ObjectCreateMessage.h"
#include "Core/Messages/Object/ObjectDestroyMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "GameState/HUDComponent.h"
#include "Graphics/Components/AnimationControllerComponent.h"
#include "Logic/Controllers/ControllerComponent.h"
#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Logic/Effects/EffectComponent.h"
#include "Logic/LogicServices.h"
#include <cmath>
#include <limits>

QUILL_DEFINE_TYPE_RECORD(Logic::HealthContainerComponent,
                         &TypeRecordOf<Logic::ContainerComponent>(), false)

namespace Logic
{
namespace
{
constexpr u32 NoTarget = 0;
constexpr const char* PlayerControllerName = "SimpleControllerComponent";
const Math::ColorRGBA Green(0.0f, 1.0f, 0.0f, 1.0f);
constexpr f32 HiddenAlpha = 0.0f;
constexpr f32 ShownAlpha = 1.0f;
constexpr u32 PlayOnce = 0;
constexpr const char* HurtAnimation = "Hit";
constexpr const char* DeathAnimation = "Death";
// Play-until clamps any later time to the end of the track, where a death lies down.
constexpr f32 TrackEnd = std::numeric_limits<f32>::max();

GameObjectComponent* FirstComponentNamed(const GameObject& object, const char* name)
{
    for (const GameObject::ComponentEntry& entry : object.GetComponentList())
    {
        if (entry.component->GetName() == name)
            return entry.component;
    }
    return nullptr;
}

// Calls `visit` with each element of the bar, in place: health changes many times a frame, so the
// elements are not copied into a list.
template <typename Visit> void ForEachHudElement(const GameObject& bar, Visit visit)
{
    const u32 elementType = ComponentTypeId<GameState::HUDComponent>();
    for (const GameObject::ComponentEntry& entry : bar.GetComponentList())
    {
        if (entry.typeId != elementType)
            continue;
        if (auto* element = dynamic_cast<GameState::HUDComponent*>(entry.component))
            visit(*element);
    }
}
} // namespace

void HealthContainerComponent::Deserialize(Serializer::XmlReader& reader)
{
    ContainerComponent::Deserialize(reader);
    // The bar, when the definition mounted it before this component: a character's fill is
    // tinted green (an enemy's keeps its red), and the bar is laid out for the health read, so
    // that an unhurt enemy's bar starts hidden.
    GameObject* bar = FindBar();
    if (bar == nullptr)
        return;
    if (bar->GetName() == CharacterBarName)
        ColourBar(Green);
    UpdateBar(*bar);
}

f32 HealthContainerComponent::GetFraction() const
{
    return maximumStorage_ > 0.0f ? currentStorage_ / maximumStorage_ : 0.0f;
}

GameObject* HealthContainerComponent::FindBar() const
{
    const GameObject* owner = GetOwnerObject();
    const ObjectMountsComponent* mounts =
        owner != nullptr ? owner->GetComponent<ObjectMountsComponent>() : nullptr;
    if (mounts == nullptr || g_Engine == nullptr)
        return nullptr;
    u32 barId = mounts->FindMountByName(CharacterBarName);
    if (barId == 0)
        barId = mounts->FindMountByName(EnemyBarName);
    return barId != 0 ? g_Engine->GetFactory()->FindObject(barId) : nullptr;
}

void HealthContainerComponent::UpdateBar(GameObject& bar) const
{
    const f32 width = GetFraction() * BarWidth;
    if (bar.GetName() == CharacterBarName)
    {
        ForEachHudElement(bar,
                          [width](GameState::HUDComponent& element)
                          {
                              if (element.GetMaterialName() == CharacterBarMaterial)
                                  element.displayScale.x = width;
                          });
        return;
    }
    if (bar.GetName() != EnemyBarName)
        return;
    const bool full = std::fabs(currentStorage_ - maximumStorage_) <= Epsilon;
    ForEachHudElement(bar,
                      [width, full](GameState::HUDComponent& element)
                      {
                          if (element.GetMaterialName() == EnemyBarMaterial)
                              element.displayScale.x = width;
                          // An enemy at full health shows no bar at all.
                          element.alpha = full ? HiddenAlpha : ShownAlpha;
                      });
}

void HealthContainerComponent::ColourBar(const Math::ColorRGBA& colour) const
{
    GameObject* bar = FindBar();
    if (bar == nullptr)
        return;
    // Only the first bar element of either material takes the colour.
    bool coloured = false;
    ForEachHudElement(*bar,
                      [&colour, &coloured](GameState::HUDComponent& element)
                      {
                          const std::string& material = element.GetMaterialName();
                          if (coloured ||
                              (material != CharacterBarMaterial && material != EnemyBarMaterial))
                              return;
                          element.colour = colour;
                          coloured = true;
                      });
}

void HealthContainerComponent::HandleMessage(Message* message)
{
    if (message == nullptr || message->type != SetHealthbarColorMessage::Type)
        return;
    if (const auto* colour = dynamic_cast<const SetHealthbarColorMessage*>(message))
        ColourBar(colour->color);
}

void HealthContainerComponent::Add(f32 delta)
{
    const f32 before = currentStorage_;
    AddClamped(delta);
    GameObject* owner = GetOwnerObject();
    if (owner == nullptr)
        return;
    if (GameObject* bar = FindBar())
        UpdateBar(*bar);

    const bool dead = currentStorage_ <= 0.0f;
    if (GameObjectComponent* spawner = FirstComponentNamed(*owner, SpawnerType))
    {
        // One that died already makes no more waves; at 0 the wave comes before the death,
        // which leaves the one experience area.
        const bool split =
            !(dead && before <= 0.0f) && Services().spawnOnHealth(*spawner, GetFraction());
        if (split && !dead)
            LeaveExperienceArea(*owner);
    }
    if (dead)
        Die(*owner, before > 0.0f);
    else if (currentStorage_ < before && IsAnimatedEnemy(*owner))
        PostNew<AnimationSwapMessage>(m_id, HurtAnimation, PlayOnce, owner->GetId());
}

bool HealthContainerComponent::IsAnimatedEnemy(const GameObject& owner)
{
    // By class, not by name: an enemy is hurt often, and its controller's name is no short
    // string.
    const ControllerComponent* controller = owner.GetComponent<ControllerComponent>();
    return controller != nullptr &&
           dynamic_cast<const SimpleControllerComponent*>(controller) == nullptr &&
           owner.GetComponent<Graphics::AnimationControllerComponent>() != nullptr;
}

void HealthContainerComponent::Die(GameObject& owner, bool crossedZero)
{
    const ControllerComponent* controller = owner.GetComponent<ControllerComponent>();
    if (controller == nullptr)
        return;
    if (controller->GetName() == PlayerControllerName)
    {
        // A player stays and lies dead until revived.
        if (HoldsComponentNamed(owner, DeathEffectType))
            return;
        GameFactory* factory = Engine::Factory();
        GameObjectComponent* component =
            factory != nullptr ? factory->CreateComponent(DeathEffectType) : nullptr;
        auto* effect = dynamic_cast<EffectComponent*>(component);
        if (effect == nullptr)
        {
            Core::Log() << "Error [HealthContainerComponent]: object " << owner.GetId()
                        << " died, but no " << DeathEffectType << " can be made for it\n";
            if (component != nullptr)
            {
                component->Shutdown();
                factory->DestroyComponent(component);
            }
            return;
        }
        effect->Setup(DeathEffectDuration, 0.0f, true, false);
        owner.AddComponent(effect);
        return;
    }
    // An enemy dies once: later hits in the same frame find it at 0 already.
    if (!crossedZero)
        return;
    LeaveExperienceArea(owner);
    if (auto* response = owner.GetComponent<Audio::AudioResponseComponent>())
        response->OnDeath();
    if (IsAnimatedEnemy(owner))
    {
        // Falls once and lies still until the object goes.
        PostNew<AnimationSwapMessage>(m_id, DeathAnimation, PlayOnce, owner.GetId());
        PostNew<AnimationPlayUntilMessage>(m_id, TrackEnd, owner.GetId());
    }
    PostNew<ObjectDestroyMessage>(m_id, owner.GetId(), NoTarget);
}

void HealthContainerComponent::LeaveExperienceArea(const GameObject& owner) const
{
    const u32 areaId = GenerateIdLocked();
    // The sender of a creation becomes the new object's creator.
    PostNew<ObjectCreateMessage>(owner.GetId(), areaId, ExperienceAreaArchetype, NoTarget);
    if (const TransformComponent* transform = owner.GetComponent<TransformComponent>())
        PostNew<PositionSetMessage>(m_id, transform->GetPosition(), areaId);
}
} // namespace Logic
