#include "AI/AIControllerComponent.h"
#include "AI/AISystem.h"
#include "AI/Behaviors/BehaviorComponent.h"
#include "AI/Behaviors/FleeBehaviorComponent.h"
#include "AI/Behaviors/SeekBehaviorComponent.h"
#include "Core/Objects/GameObject.h"
#include "Logic/LogicSystem.h"

QUILL_DEFINE_TYPE_RECORD(AI::AIControllerComponent, &TypeRecordOf<Logic::ControllerComponent>(),
                         false)

namespace AI
{
AIControllerComponent::AIControllerComponent()
    : m_behaviorsObject(nullptr), m_behaviorsVersion(0), m_ownerObject(nullptr), m_ownerObjectId(0)
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

GameObject* AIControllerComponent::Owner()
{
    if (m_ownerObject == nullptr || m_ownerObjectId != m_owner)
    {
        m_ownerObject = OwnerObject();
        m_ownerObjectId = m_owner;
    }
    return m_ownerObject;
}

void AIControllerComponent::Update(f32 seconds)
{
    if (m_disabled)
        return;
    const GameObject* owner = Owner();
    if (owner == nullptr)
        return;
    // Gathered first: a step may post changes to the object, never make them at once, but a
    // behaviour's retarget walks the list itself. The list is kept while the object's
    // components stay the same, which is nearly every frame.
    if (owner != m_behaviorsObject || owner->GetComponentListVersion() != m_behaviorsVersion)
    {
        m_behaviors.clear();
        const u32 family = ComponentTypeId<BehaviorComponent>();
        for (const GameObject::ComponentEntry& entry : owner->GetComponentList())
        {
            // Only behaviours answer the family's id.
            if (entry.typeId == family)
                m_behaviors.push_back(static_cast<BehaviorComponent*>(entry.component));
        }
        m_behaviorsObject = owner;
        m_behaviorsVersion = owner->GetComponentListVersion();
    }
    for (BehaviorComponent* behavior : m_behaviors)
        behavior->Step(seconds);
}

void AIControllerComponent::SetDisabled(bool disabled)
{
    m_disabled = disabled;
    if (!disabled)
        return;
    const GameObject* owner = OwnerObject();
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
    const GameObject* owner = OwnerObject();
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
