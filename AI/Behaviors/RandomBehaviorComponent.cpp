#include "AI/Behaviors/RandomBehaviorComponent.h"
#include "AI/Behaviors/FleeBehaviorComponent.h"
#include "AI/Behaviors/SeekBehaviorComponent.h"
#include "AI/Behaviors/WanderBehaviorComponent.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Memory/OAException.h"
#include "Core/Messages/Object/AddComponentMessage.h"
#include "Core/Messages/Object/RemoveComponentMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Math/MathUtils.h"

QUILL_DEFINE_TYPE_RECORD(AI::RandomBehaviorComponent, &TypeRecordOf<AI::BehaviorComponent>(), false)

namespace AI
{
namespace
{
constexpr s32 Seek = 1;
constexpr s32 Flee = 2;
constexpr u32 NoCheck = 0;

// Speeds of a new chaser or runner: the minimum from 5 to 9, the maximum from 10 to 13.
constexpr f32 ChaseMinSpeed = 5.0f;
constexpr f32 ChaseMinSpread = 4.0f;
constexpr f32 ChaseMaxSpeed = 10.0f;
constexpr f32 ChaseMaxSpread = 3.0f;
// A chaser stands and shoots once within the first distance and runs again beyond the second.
// The two differ: a chaser that switches every step resets its attack every step, and the attack
// fires as soon as it has its target back.
constexpr f32 SeekDistance = 1.0f;
constexpr f32 SeekRunAgain = 2.0f;
constexpr f32 FleeMinDistance = 1.5f;
constexpr f32 FleeMaxDistance = 15.0f;
// A wanderer strolls: the minimum from 1.0 to 1.2, the maximum from 1.3 to 1.5.
constexpr f32 WanderMinLow = 1.0f;
constexpr f32 WanderMinHigh = 1.2f;
constexpr f32 WanderMaxLow = 1.3f;
constexpr f32 WanderMaxHigh = 1.5f;

f32 Draw(f32 low, f32 spread)
{
    return low + spread * Math::RandUnit();
}
} // namespace

RandomBehaviorComponent::RandomBehaviorComponent() : m_swapTimer(0.0f), m_childId(0)
{
    JoinSystem();
}

void RandomBehaviorComponent::Step(f32 seconds)
{
    m_swapTimer += seconds;
    if (m_swapTimer <= SwapInterval)
        return;
    m_swapTimer = 0.0f;
    if (m_childId != 0)
        PostNew<RemoveComponentMessage>(m_id, m_childId, m_owner);
    BehaviorComponent* child = MakeChild();
    if (child == nullptr)
    {
        m_childId = 0;
        return;
    }
    m_childId = child->GetId();
    PostNew<AddComponentMessage>(m_id, child, m_owner, NoCheck);
}

BehaviorComponent* RandomBehaviorComponent::MakeChild() const
{
    const s32 kind = Math::RoundToInt(1.0f + 2.0f * Math::RandUnit());
    const char* typeName = kind == Seek   ? "SeekBehaviorComponent"
                           : kind == Flee ? "FleeBehaviorComponent"
                                          : "WanderBehaviorComponent";
    GameFactory* factory = Engine::Factory();
    GameObjectComponent* component = nullptr;
    try
    {
        component = factory != nullptr ? factory->CreateComponent(typeName) : nullptr;
    }
    catch (const Core::OAException& exception)
    {
        Core::Log() << "Error [RandomBehaviorComponent]: no room for a " << typeName
                    << " on object " << m_owner << ": " << exception.what() << '\n';
        return nullptr;
    }
    if (auto* seek = dynamic_cast<SeekBehaviorComponent*>(component))
    {
        seek->MinSpeed = Draw(ChaseMinSpeed, ChaseMinSpread);
        seek->MaxSpeed = Draw(ChaseMaxSpeed, ChaseMaxSpread);
        seek->MinDistance = SeekDistance;
        seek->MaxDistance = SeekRunAgain;
        return seek;
    }
    if (auto* flee = dynamic_cast<FleeBehaviorComponent*>(component))
    {
        flee->MinSpeed = Draw(ChaseMinSpeed, ChaseMinSpread);
        flee->MaxSpeed = Draw(ChaseMaxSpeed, ChaseMaxSpread);
        flee->MinDistance = FleeMinDistance;
        flee->MaxDistance = FleeMaxDistance;
        return flee;
    }
    if (auto* wander = dynamic_cast<WanderBehaviorComponent*>(component))
    {
        wander->MinSpeed = Draw(WanderMinLow, WanderMinHigh - WanderMinLow);
        wander->MaxSpeed = Draw(WanderMaxLow, WanderMaxHigh - WanderMaxLow);
        return wander;
    }
    Core::Log() << "Error [RandomBehaviorComponent]: the component factory makes no " << typeName
                << " for object " << m_owner << '\n';
    if (component != nullptr)
    {
        component->Shutdown();
        factory->DestroyComponent(component);
    }
    return nullptr;
}
} // namespace AI
