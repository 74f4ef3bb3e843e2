#include "AI/Behaviors/AttackBehaviorComponent.h"
#include "AI/AIControllerComponent.h"
#include "AI/AISystem.h"
#include "AI/FamilyLookup.h"
#include "Audio/AudioResponseComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Messages/Gameplay/DirectionSetMessage.h"
#include "Core/Messages/Object/ObjectCreateMessage.h"
#include "Core/Objects/GameObject.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Core/Reflection/MemberTable.h"
#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Math/MathUtils.h"

QUILL_DEFINE_TYPE_RECORD(AI::AttackBehaviorComponent, &TypeRecordOf<AI::BehaviorComponent>(), false)

namespace AI
{
namespace
{
constexpr u32 NoTarget = 0;
}

AttackBehaviorComponent::AttackBehaviorComponent() : m_interval(0.0f), m_fireTimer(0.0f)
{
    JoinSystem();
}

const MemberTable<AttackBehaviorComponent>& AttackBehaviorComponent::Members()
{
    using namespace MemberFlag;
    QUILL_LINKED_MEMBER_TABLE(table, AttackBehaviorComponent, ReadRule::ByPosition,
                              MemberLinks<AttackBehaviorComponent>::Extending<BehaviorComponent>(),
                              QUILL_MEMBER(AttackBehaviorComponent, m_archetype, Written).Tag(""),
                              QUILL_MEMBER(AttackBehaviorComponent, m_interval, Written).Tag(""));
    return table;
}

void AttackBehaviorComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void AttackBehaviorComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void AttackBehaviorComponent::Step(f32 seconds)
{
    if (m_target == 0)
    {
        m_fireTimer = m_interval;
        return;
    }
    m_fireTimer += seconds;
    if (m_fireTimer <= m_interval)
        return;
    m_fireTimer -= m_interval;
    const GameObject* owner = GetOwnerObject();
    if (owner == nullptr)
        return;
    if (const GameObject* target = FindLiveTarget())
        Fire(*owner, *target);
    else
        Retarget(*owner);
}

void AttackBehaviorComponent::Fire(const GameObject& owner, const GameObject& target)
{
    const TransformComponent* own = owner.GetComponent<TransformComponent>();
    const TransformComponent* aim = target.GetComponent<TransformComponent>();
    if (own == nullptr || aim == nullptr || g_Engine == nullptr)
        return;
    const u32 projectileId = Engine::GenerateId();
    // The sender of a creation becomes the projectile's creator.
    PostNew<ObjectCreateMessage>(owner.GetId(), projectileId, m_archetype, NoTarget);
    const Math::Point4& from = own->GetPosition();
    const Math::Point4& to = aim->GetPosition();
    const Math::Vector4 direction(to.x - from.x, to.y - from.y, to.z - from.z, to.w - from.w);
    PostNew<DirectionSetMessage>(owner.GetId(), direction, projectileId);
    // The object's controller shows the strike.
    if (auto* controller = dynamic_cast<AIControllerComponent*>(
            FindFamilyComponent<Logic::ControllerComponent>(owner)))
        controller->OnStrike();
    // An enemy's shot sounds through the first ability slot of its audio response.
    if (auto* response = owner.GetComponent<Audio::AudioResponseComponent>())
        response->OnAbility0();
}

void AttackBehaviorComponent::Retarget(const GameObject& owner)
{
    m_target = 0;
    System::AISystem* system = System::AISystem::Instance();
    if (system == nullptr)
        return;
    const auto& players = system->GatherPlayerControllers();
    if (players.empty())
        return;
    const s32 index = Math::RandomInt(0, static_cast<s32>(players.size()) - 1);
    SetControllerTarget(owner, players[static_cast<std::size_t>(index)]->GetOwner());
}

void AttackBehaviorComponent::BuildEditor(Tools::PropertyGroup& group)
{
    WalkEditorMembers(*this, Members(),
                      [&group](const EditorMember& member) { AddEditorFloat(group, member); });
    Tools::AddComponentOptions(this, group);
}

} // namespace AI
