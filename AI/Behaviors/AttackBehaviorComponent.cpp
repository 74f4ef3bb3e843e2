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
#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Math/MathUtils.h"
#include "Xml/ValueXml.h"

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

void AttackBehaviorComponent::Deserialize(Serializer::XmlReader& reader)
{
    BehaviorComponent::Deserialize(reader);
    Serializer::ReadValue(reader, m_archetype, "");
    Serializer::ReadValue(reader, m_interval, "");
}

void AttackBehaviorComponent::Serialize(Serializer::XmlWriter& writer)
{
    BehaviorComponent::Serialize(writer);
    Serializer::WriteValue(writer, m_archetype, "");
    Serializer::WriteValue(writer, m_interval, "");
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

namespace
{
// Editor ranges of the behaviours: speeds and distances up to 10, angles in degrees.
constexpr f32 EditorMaxValue = 10.0f;
constexpr f32 EditorValueStep = 0.1f;
constexpr f32 EditorMaxAngle = 360.0f;
constexpr f32 EditorAngleStep = 0.5f;
} // namespace

void AttackBehaviorComponent::BuildEditor(Tools::PropertyGroup& group)
{
    const Tools::PropertyAttributes angle(0.0f, EditorMaxAngle, EditorAngleStep);
    group.AddFloat("MaxAngle", &MaxAngle, &angle, &Tools::SetScalarCallback,
                   &Tools::GetScalarCallback);
    Tools::AddComponentOptions(this, group);
}

} // namespace AI
