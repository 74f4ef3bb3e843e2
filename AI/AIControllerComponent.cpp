#include "AI/AIControllerComponent.h"
#include "AI/AISystem.h"
#include "AI/Behaviors/BehaviorComponent.h"
#include "AI/Behaviors/FleeBehaviorComponent.h"
#include "AI/Behaviors/SeekBehaviorComponent.h"
#include "Core/Messages/Graphics/AnimationSwapMessage.h"
#include "Core/Objects/GameObject.h"
#include "Graphics/Components/AnimationControllerComponent.h"
#include "Logic/LogicSystem.h"
#include "Logic/Movement/MoveComponent.h"

QUILL_DEFINE_TYPE_RECORD(AI::AIControllerComponent, &TypeRecordOf<Logic::ControllerComponent>(),
                         false)

namespace AI
{
namespace
{
constexpr u32 Loop = 1;
constexpr u32 PlayOnce = 0;
} // namespace

AIControllerComponent::AIControllerComponent()
    : m_behaviorsObject(nullptr), m_behaviorsVersion(0), m_move(nullptr), m_animation(nullptr),
      m_track(Track::Idle)
{
    // The logic component base joined the logic system; this controller is stepped by the AI
    // system only, so it leaves that list again.
    if (Logic::System::LogicSystem* logic = Logic::System::LogicSystem::Instance())
        logic->Remove(this);
    m_behaviors.reserve(BehaviorReserve);
    if (System::AISystem* system = System::AISystem::Instance())
        system->Register(this);
}

AIControllerComponent::~AIControllerComponent()
{
    if (System::AISystem* system = System::AISystem::Instance())
        system->Unregister(this);
}

void AIControllerComponent::Shutdown()
{
    if (System::AISystem* system = System::AISystem::Instance())
        system->Unregister(this);
    ControllerComponent::Shutdown();
}

void AIControllerComponent::Gather(const GameObject& owner)
{
    if (&owner == m_behaviorsObject && owner.GetComponentListVersion() == m_behaviorsVersion)
        return;
    m_behaviors.clear();
    m_move = nullptr;
    m_animation = nullptr;
    // Each id is answered only by its class or family (AI/FamilyLookup.h), so the entries
    // found need no cast check.
    static const u32 family = ComponentTypeId<BehaviorComponent>();
    static const u32 moveId = ComponentTypeId<Logic::MoveComponent>();
    static const u32 animationId = ComponentTypeId<Graphics::AnimationControllerComponent>();
    for (const GameObject::ComponentEntry& entry : owner.GetComponentList())
    {
        if (entry.typeId == family)
            m_behaviors.push_back(static_cast<BehaviorComponent*>(entry.component));
        else if (entry.typeId == moveId && m_move == nullptr)
            m_move = static_cast<const Logic::MoveComponent*>(entry.component);
        else if (entry.typeId == animationId && m_animation == nullptr)
            m_animation =
                static_cast<const Graphics::AnimationControllerComponent*>(entry.component);
    }
    m_behaviorsObject = &owner;
    m_behaviorsVersion = owner.GetComponentListVersion();
}

void AIControllerComponent::Update(f32 seconds)
{
    const GameObject* owner = GetOwnerObject();
    if (owner == nullptr)
        return;
    // Gathered first: a step may post changes to the object, never make them at once, but a
    // behaviour's retarget walks the list itself. The list is kept while the object's
    // components stay the same, which is nearly every frame.
    Gather(*owner);
    if (!m_disabled)
    {
        for (BehaviorComponent* behavior : m_behaviors)
            behavior->Step(seconds);
    }
    ShowMovement();
}

void AIControllerComponent::ShowMovement()
{
    if (m_animation == nullptr || m_move == nullptr)
        return;
    if (m_track == Track::Once || m_track == Track::Death)
        return;
    const Track wanted = m_move->moveValue_ > 0.0f ? Track::Run : Track::Idle;
    if (wanted == m_track)
        return;
    m_track = wanted;
    PostNew<AnimationSwapMessage>(GetId(), wanted == Track::Run ? RunTrack : IdleTrack, Loop,
                                  m_owner);
}

void AIControllerComponent::OnStrike()
{
    if (m_animation == nullptr || m_track == Track::Death)
        return;
    m_track = Track::Once;
    PostNew<AnimationSwapMessage>(GetId(), AttackTrack, PlayOnce, m_owner);
}

void AIControllerComponent::HandleMessage(Message* message)
{
    if (message == nullptr || message->type != AnimationSwapMessage::Type ||
        m_track == Track::Death)
        return;
    const auto* swap = static_cast<const AnimationSwapMessage*>(message);
    if (swap->animationName == DeathTrack)
        m_track = Track::Death;
    else if (swap->loop == PlayOnce)
        m_track = Track::Once;
    else if (swap->animationName == RunTrack)
        m_track = Track::Run;
    else if (swap->animationName == IdleTrack)
        m_track = Track::Idle;
    else
        m_track = Track::Other;
}

void AIControllerComponent::SetDisabled(bool disabled)
{
    m_disabled = disabled;
    if (!disabled)
        return;
    const GameObject* owner = GetOwnerObject();
    if (owner == nullptr)
        return;
    const u32 family = ComponentTypeId<BehaviorComponent>();
    for (const GameObject::ComponentEntry& entry : owner->GetComponentList())
    {
        if (entry.typeId == family)
        {
            if (auto* behavior = dynamic_cast<BehaviorComponent*>(entry.component))
                behavior->Stop();
        }
    }
}

void AIControllerComponent::SetTarget(u32 targetObjectId)
{
    const GameObject* owner = GetOwnerObject();
    if (owner == nullptr)
        return;
    const u32 family = ComponentTypeId<BehaviorComponent>();
    for (const GameObject::ComponentEntry& entry : owner->GetComponentList())
    {
        if (entry.typeId != family)
            continue;
        if (dynamic_cast<SeekBehaviorComponent*>(entry.component) != nullptr ||
            dynamic_cast<FleeBehaviorComponent*>(entry.component) != nullptr)
            static_cast<BehaviorComponent*>(entry.component)->SetTarget(targetObjectId);
    }
}
} // namespace AI
