#include "Logic/Effects/DeathEffectComponent.h"
#include "Audio/AudioResponseComponent.h"
#include "Core/Messages/Gameplay/ReviveDeadPlayersMessage.h"
#include "Core/Messages/Graphics/AnimationPlayMessage.h"
#include "Core/Messages/Graphics/AnimationPlayUntilMessage.h"
#include "Core/Messages/Graphics/AnimationSwapMessage.h"
#include "Core/Messages/Object/ObjectDestroyMessage.h"
#include "Core/Messages/Object/RemoveComponentMessage.h"
#include "Core/Objects/GameObject.h"
#include "Graphics/Assets/Model.h"
#include "Graphics/Components/RenderComponent.h"
#include "Logic/Containers/DamageContainerComponent.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Logic/Controllers/ControllerComponent.h"
#include "Physics/ColliderComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::DeathEffectComponent, &TypeRecordOf<Logic::EffectComponent>(),
                         false)

namespace Logic
{
namespace
{
constexpr u32 AllBits = 0xFFFFFFFFu;
constexpr u32 NoTarget = 0;
constexpr u32 PlayOnce = 0;
constexpr const char* DeathAnimation = "Death";

struct DeathPose
{
    const char* model;
    f32 seconds;
};
// Where each character's death animation reaches the pose it lies in.
constexpr DeathPose DeathPoses[] = {{"Golem", 0.68f}, {"Mage", 1.25f}, {"SteamKnight", 0.68f}};
} // namespace

DeathEffectComponent::DeathEffectComponent()
    : m_render(nullptr), m_savedCategory(AllBits), m_savedMask(AllBits), m_ended(false)
{
}

f32 DeathEffectComponent::DeathPoseTime(const std::string& modelName)
{
    for (const DeathPose& pose : DeathPoses)
    {
        if (modelName == pose.model)
            return pose.seconds;
    }
    return 0.0f;
}

void DeathEffectComponent::Deserialize(Serializer::XmlReader& reader)
{
    EffectComponent::Deserialize(reader);
}

bool DeathEffectComponent::Bind()
{
    const GameObject* owner = GetOwnerObject();
    m_target = owner != nullptr ? owner->GetComponent<ControllerComponent>() : nullptr;
    m_render = owner != nullptr ? owner->GetComponent<Graphics::RenderComponent>() : nullptr;
    return m_target != nullptr && m_render != nullptr;
}

void DeathEffectComponent::Apply()
{
    GameObject* owner = GetOwnerObject();
    if (!Bind() || owner == nullptr)
        return;
    if (auto* audio = owner->GetComponent<Audio::AudioResponseComponent>())
        audio->OnDeath();
    static_cast<ControllerComponent*>(m_target)->SetDisabled(true);
    m_render->visible = true;
    if (auto* collider = owner->GetComponent<Physics::ColliderComponent>())
    {
        m_savedCategory = collider->Category;
        m_savedMask = collider->Mask;
        collider->Category = AllBits;
        collider->Mask = AllBits;
    }
    if (auto* damage = owner->GetComponent<DamageContainerComponent>())
        damage->Add(-damage->GetCurrentStorage());
    if (auto* health = owner->GetComponent<HealthContainerComponent>())
        health->Add(-health->GetCurrentStorage());
    PostNew<AnimationSwapMessage>(m_id, DeathAnimation, PlayOnce, m_owner);
    const Graphics::Model* model = m_render->GetModel();
    PostNew<AnimationPlayUntilMessage>(
        m_id, model != nullptr ? DeathPoseTime(model->GetName()) : 0.0f, m_owner);
}

void DeathEffectComponent::Update(f32)
{
    if (m_ended)
        return;
    // No time passes: a death lasts until it is ended.
    EffectComponent::Update(0.0f);
    if (m_applied && Bind())
        static_cast<ControllerComponent*>(m_target)->SetDisabled(true);
}

void DeathEffectComponent::HandleMessage(Message* message)
{
    if (message == nullptr || message->type != ReviveDeadPlayersMessage::Type || m_ended)
        return;
    Remove();
    m_ended = true;
    PostNew<RemoveComponentMessage>(m_id, m_id, m_owner);
}

void DeathEffectComponent::Remove()
{
    // A death that never took hold has nothing to undo and ends nothing.
    GameObject* owner = GetOwnerObject();
    if (!m_applied || owner == nullptr)
        return;
    if (!m_isTemporary)
    {
        PostNew<ObjectDestroyMessage>(m_id, m_owner, NoTarget);
        return;
    }
    if (auto* audio = owner->GetComponent<Audio::AudioResponseComponent>())
        audio->OnRespawn();
    if (Bind())
    {
        static_cast<ControllerComponent*>(m_target)->SetDisabled(false);
        m_render->visible = true;
    }
    if (auto* collider = owner->GetComponent<Physics::ColliderComponent>())
    {
        collider->Category = m_savedCategory;
        collider->Mask = m_savedMask;
    }
    if (auto* health = owner->GetComponent<HealthContainerComponent>())
        health->Add(health->GetMaximumStorage());
    PostNew<AnimationPlayMessage>(m_id, true, m_owner);
    m_target = nullptr;
    m_render = nullptr;
}
} // namespace Logic
