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
constexpr s32 kSeek = 1;
constexpr s32 kFlee = 2;
constexpr u32 kNoCheck = 0;

// Speeds of a new chaser or runner: the minimum from 5 to 9, the maximum from 10 to 13.
constexpr f32 kChaseMinSpeed = 5.0f;
constexpr f32 kChaseMinSpread = 4.0f;
constexpr f32 kChaseMaxSpeed = 10.0f;
constexpr f32 kChaseMaxSpread = 3.0f;
// A chaser stands and shoots once within the first distance and runs again beyond the second.
// The two differ: a chaser that switches every step resets its attack every step, and the attack
// fires as soon as it has its target back.
constexpr f32 kSeekDistance = 1.0f;
constexpr f32 kSeekRunAgain = 2.0f;
constexpr f32 kFleeMinDistance = 1.5f;
constexpr f32 kFleeMaxDistance = 15.0f;
// A wanderer strolls: the minimum from 1.0 to 1.2, the maximum from 1.3 to 1.5.
constexpr f32 kWanderMinLow = 1.0f;
constexpr f32 kWanderMinHigh = 1.2f;
constexpr f32 kWanderMaxLow = 1.3f;
constexpr f32 kWanderMaxHigh = 1.5f;

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
        Post(new RemoveComponentMessage(m_id, m_childId, m_owner));
    BehaviorComponent* child = MakeChild();
    if (child == nullptr)
    {
        m_childId = 0;
        return;
    }
    m_childId = child->GetId();
    Post(new AddComponentMessage(m_id, child, m_owner, kNoCheck));
}

BehaviorComponent* RandomBehaviorComponent::MakeChild() const
{
    const s32 kind = Math::RoundToInt(1.0f + 2.0f * Math::RandUnit());
    const char* typeName = kind == kSeek   ? "SeekBehaviorComponent"
                           : kind == kFlee ? "FleeBehaviorComponent"
                                           : "WanderBehaviorComponent";
    GameFactory* factory = g_Engine != nullptr ? g_Engine->GetFactory() : nullptr;
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
        seek->MinSpeed = Draw(kChaseMinSpeed, kChaseMinSpread);
        seek->MaxSpeed = Draw(kChaseMaxSpeed, kChaseMaxSpread);
        seek->MinDistance = kSeekDistance;
        seek->MaxDistance = kSeekRunAgain;
        return seek;
    }
    if (auto* flee = dynamic_cast<FleeBehaviorComponent*>(component))
    {
        flee->MinSpeed = Draw(kChaseMinSpeed, kChaseMinSpread);
        flee->MaxSpeed = Draw(kChaseMaxSpeed, kChaseMaxSpread);
        flee->MinDistance = kFleeMinDistance;
        flee->MaxDistance = kFleeMaxDistance;
        return flee;
    }
    if (auto* wander = dynamic_cast<WanderBehaviorComponent*>(component))
    {
        wander->MinSpeed = Draw(kWanderMinLow, kWanderMinHigh - kWanderMinLow);
        wander->MaxSpeed = Draw(kWanderMaxLow, kWanderMaxHigh - kWanderMaxLow);
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
