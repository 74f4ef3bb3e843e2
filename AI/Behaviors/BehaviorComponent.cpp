#include "AI/Behaviors/BehaviorComponent.h"
#include "AI/AIControllerComponent.h"
#include "AI/AISystem.h"
#include "AI/Behaviors/AttackBehaviorComponent.h"
#include "AI/FamilyLookup.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Core/Reflection/HashTypeName.h"
#include "Core/Reflection/MemberTable.h"
#include "Logic/Controllers/ControllerComponent.h"
#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Logic/Effects/DeathEffectComponent.h"
#include "Logic/Effects/EffectComponent.h"
#include "Logic/Movement/MoveComponent.h"
#include "Math/MathUtils.h"
#include <algorithm>
#include <cmath>
#include <iterator>
#include <typeinfo>

QUILL_DEFINE_TYPE_RECORD(AI::BehaviorComponent, &TypeRecordOf<AI::AIComponent>(), false)

namespace AI
{
namespace
{
const Math::Vector4 Forward(0.0f, 0.0f, 1.0f, 0.0f);
const Math::Vector4 Up(0.0f, 1.0f, 0.0f, 0.0f);
// Past twice the largest turn, a turn-limited mover brakes instead of drawing a new speed.
constexpr f32 BrakeTurnFactor = 2.0f;
constexpr f32 BrakeFactor = 0.98f;
// A facing within about a quarter of a degree of the desired direction is not turned.
constexpr f32 AlignedCosine = 0.99999f;

bool IsZero(const Math::Vector4& v)
{
    return v.x == 0.0f && v.y == 0.0f && v.z == 0.0f;
}

// The signed turn about the y axis, in degrees, that takes the horizontal part of `from` to
// that of `to`: the y angle of the shortest rotation between them, also beyond a quarter turn.
f32 YawBetween(const Math::Vector4& from, const Math::Vector4& to)
{
    const f32 cross = from.z * to.x - from.x * to.z;
    const f32 dot = from.x * to.x + from.z * to.z;
    return std::atan2(cross, dot) * Math::RAD_TO_DEG;
}

Math::Quaternion YawRotation(f32 degrees)
{
    Math::Quaternion rotation;
    rotation.FromAxisAngle(Up, degrees * Math::DEG_TO_RAD);
    return rotation;
}
} // namespace

BehaviorComponent::BehaviorComponent()
    : MaxAngle(0.0f), m_timer(0.0f), m_target(0), m_targetsPlayers(true)
{
}

u32 BehaviorComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}

const MemberTable<BehaviorComponent>& BehaviorComponent::Members()
{
    using namespace MemberFlag;
    static constexpr EditorField MaxAngleEditor{
        "MaxAngle",         0.0f, EditorMaxAngle, EditorAngleStep, EditorField::DefaultPrecision,
        MaxAngleEditorOrder};
    // A behaviour read afresh has no target yet.
    static constexpr void (*ForgetTarget)(BehaviorComponent&) = [](BehaviorComponent& behavior)
    { behavior.m_target = 0; };
    QUILL_LINKED_MEMBER_TABLE(
        table, BehaviorComponent, ReadRule::ByPosition,
        MemberLinks<BehaviorComponent>{}.AfterRead(ForgetTarget),
        QUILL_MEMBER(BehaviorComponent, MaxAngle, Written).Tag("").Edit(MaxAngleEditor),
        QUILL_MEMBER(BehaviorComponent, m_targetsPlayers, Written).Tag(""));
    return table;
}

void BehaviorComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void BehaviorComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void BehaviorComponent::AddEditorFloat(Tools::PropertyGroup& group, const EditorMember& member)
{
    Tools::PropertyAttributes attributes(member.field.min, member.field.max, member.field.step);
    if (member.field.precision != EditorField::DefaultPrecision)
        attributes.SetPrecision(member.field.precision);
    group.AddFloat(member.field.label, member.floats, &attributes, &Tools::SetScalarCallback,
                   &Tools::GetScalarCallback);
}

bool BehaviorComponent::FindBody(Body& body) const
{
    body.object = GetOwnerObject();
    if (body.object == nullptr)
        return false;
    BodyCache& cache = m_bodyCache;
    if (cache.object != body.object || cache.version != body.object->GetComponentListVersion())
    {
        // One walk for the three: each is the first entry stored under its id
        // (FamilyLookup.h). The ids are taken once.
        static const u32 moveId = ComponentTypeId<Logic::MoveComponent>();
        static const u32 transformId = ComponentTypeId<TransformComponent>();
        static const u32 controllerId = ComponentTypeId<Logic::ControllerComponent>();
        cache = BodyCache{};
        for (const GameObject::ComponentEntry& entry : body.object->GetComponentList())
        {
            if (entry.typeId == moveId && cache.move == nullptr)
                cache.move = static_cast<Logic::MoveComponent*>(entry.component);
            else if (entry.typeId == transformId && cache.transform == nullptr)
                cache.transform = static_cast<TransformComponent*>(entry.component);
            else if (entry.typeId == controllerId && cache.controller == nullptr)
                cache.controller = static_cast<Logic::ControllerComponent*>(entry.component);
        }
        cache.object = body.object;
        cache.version = body.object->GetComponentListVersion();
    }
    body.move = cache.move;
    body.transform = cache.transform;
    body.controller = cache.controller;
    return body.move != nullptr && body.transform != nullptr && body.controller != nullptr;
}

bool BehaviorComponent::IsDeathEffect(const GameObject::ComponentEntry& entry, u32 effectFamily)
{
    // The family's id first, so that only effects have their class compared.
    return entry.typeId == effectFamily &&
           typeid(*entry.component) == typeid(Logic::DeathEffectComponent);
}

GameObject* BehaviorComponent::FindLiveTarget() const
{
    if (m_target == 0 || g_Engine == nullptr || g_Engine->GetFactory() == nullptr)
        return nullptr;
    GameObject* target = g_Engine->GetFactory()->FindObject(m_target);
    if (target == nullptr)
        return nullptr;
    static const u32 effectFamily = ComponentTypeId<Logic::EffectComponent>();
    for (const GameObject::ComponentEntry& entry : target->GetComponentList())
    {
        if (IsDeathEffect(entry, effectFamily))
            return nullptr;
    }
    return target;
}

const TransformComponent* BehaviorComponent::FindLiveTargetTransform() const
{
    if (m_target == 0 || g_Engine == nullptr || g_Engine->GetFactory() == nullptr)
        return nullptr;
    const GameFactory& factory = *g_Engine->GetFactory();
    TargetCache& cache = m_targetCache;
    const bool sameId = cache.object != nullptr && cache.id == m_target;
    // No object destroyed since the object was found: it is still the target's, and the cached
    // address may be read. Otherwise it is looked up again (a slot of the factory's cache).
    const GameObject* target = sameId && cache.destroys == factory.GetDestroyVersion()
                                   ? cache.object
                                   : factory.FindObject(m_target);
    if (target == nullptr)
        return nullptr;
    cache.destroys = factory.GetDestroyVersion();
    // The same object with the same components: what the last walk found holds.
    if (sameId && target == cache.object && cache.version == target->GetComponentListVersion())
        return cache.transform;
    static const u32 transformId = ComponentTypeId<TransformComponent>();
    static const u32 effectFamily = ComponentTypeId<Logic::EffectComponent>();
    const TransformComponent* transform = nullptr;
    for (const GameObject::ComponentEntry& entry : target->GetComponentList())
    {
        if (IsDeathEffect(entry, effectFamily))
        {
            transform = nullptr;
            break;
        }
        if (entry.typeId == transformId && transform == nullptr)
            transform = static_cast<const TransformComponent*>(entry.component);
    }
    cache.object = target;
    cache.id = m_target;
    cache.version = target->GetComponentListVersion();
    cache.transform = transform;
#ifdef QUILL_WORK_COUNTERS
    ++cache.walks;
#endif
    return transform;
}

void BehaviorComponent::SetAttackTargets(const GameObject& object, u32 targetObjectId)
{
    const u32 family = ComponentTypeId<BehaviorComponent>();
    for (const GameObject::ComponentEntry& entry : object.GetComponentList())
    {
        if (entry.typeId != family)
            continue;
        if (auto* attack = dynamic_cast<AttackBehaviorComponent*>(entry.component))
            attack->SetTarget(targetObjectId);
    }
}

void BehaviorComponent::SetControllerTarget(const GameObject& object, u32 targetObjectId)
{
    if (auto* controller =
            dynamic_cast<AIControllerComponent*>(object.GetComponent<Logic::ControllerComponent>()))
        controller->SetTarget(targetObjectId);
}

void BehaviorComponent::PickTarget()
{
    if (m_targetsPlayers)
        TargetRandomPlayer();
    else
        TargetRandomAI();
}

void BehaviorComponent::TargetRandomPlayer()
{
    System::AISystem* system = System::AISystem::Instance();
    const GameObject* owner = GetOwnerObject();
    if (system == nullptr || owner == nullptr)
        return;
    const auto& players = system->GatherPlayerControllers();
    if (players.empty())
        return;
    const f32 last = static_cast<f32>(players.size() - 1);
    const s32 index = Math::RoundToInt(last * Math::RandUnit());
    SetControllerTarget(*owner, players[static_cast<std::size_t>(index)]->GetOwner());
}

void BehaviorComponent::TargetRandomAI()
{
    System::AISystem* system = System::AISystem::Instance();
    const GameObject* owner = GetOwnerObject();
    if (system == nullptr || owner == nullptr)
        return;
    const auto& controllers = system->GetAIControllers();
    if (controllers.empty())
        return;
    const f32 last = static_cast<f32>(controllers.size() - 1);
    const s32 index = Math::RoundToInt(last * Math::RandUnit());
    SetControllerTarget(*owner, (*std::next(controllers.begin(), index))->GetOwner());
}

void BehaviorComponent::RandomizeSpeed(Logic::MoveComponent& move, f32 minSpeed, f32 maxSpeed)
{
    const f32 speed = minSpeed + (maxSpeed - minSpeed) * Math::RandUnit();
    move.AddMoveValue(speed - move.moveValue_);
}

void BehaviorComponent::SteerDirect(const Body& body, const Math::Vector4& desired, f32 minSpeed,
                                    f32 maxSpeed)
{
    if (IsZero(desired))
        return;
    const Math::Quaternion orientation = body.transform->GetOrientation();
    const Math::Vector4 forward = orientation.Rotate(Forward);
    // Already facing the target (the usual step of a chase): nothing to turn.
    if (!IsZero(forward) && forward.Dot(desired) < AlignedCosine)
    {
        Math::Quaternion turned = orientation * Math::Quaternion::RotationBetween(forward, desired);
        // A zero result (a degenerate orientation) would lose the facing for good.
        if (turned.Normalize() > 0.0f)
            body.transform->SetOrientation(turned);
    }
    RandomizeSpeed(*body.move, minSpeed, maxSpeed);
    body.move->direction_ = desired;
}

void BehaviorComponent::SteerTurnLimited(const Body& body, const Math::Vector4& desired,
                                         f32 minSpeed, f32 maxSpeed) const
{
    if (IsZero(desired))
        return;
    Logic::MoveComponent& move = *body.move;
    Math::Vector4 current = move.direction_;
    if (IsZero(current))
        current.z = 1.0f;
    Math::Vector4 next = desired;
    if (move.moveValue_ >= minSpeed)
    {
        f32 yaw = YawBetween(current, desired);
        if (std::fabs(yaw) > BrakeTurnFactor * MaxAngle)
            move.moveValue_ *= BrakeFactor;
        else
            RandomizeSpeed(move, minSpeed, maxSpeed);
        yaw = std::clamp(yaw, -MaxAngle, MaxAngle);
        next = YawRotation(yaw).Rotate(current);
    }
    else
    {
        RandomizeSpeed(move, minSpeed, maxSpeed);
    }
    move.direction_ = next;
    // The object faces where it now runs.
    const Math::Vector4 facing(next.x, 0.0f, next.z, 0.0f);
    if (!IsZero(facing))
        body.transform->SetOrientation(Math::Quaternion::RotationBetween(Forward, facing));
}
} // namespace AI
