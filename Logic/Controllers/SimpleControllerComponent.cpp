#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Audio/AudioResponseComponent.h"
#include "Core/Components/ObjectMountsComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Memory/OAException.h"
#include "Core/Messages/Gameplay/SetPlayerNumberMessage.h"
#include "Core/Messages/Graphics/AnimationSpeedSetMessage.h"
#include "Core/Messages/Graphics/AnimationSwapMessage.h"
#include "Core/Messages/Input/InputActionMessage.h"
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Input/InputCursorMessage.h"
#include "Core/Messages/Input/InputMoveMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Core/Reflection/MemberTable.h"
#include "Core/System/InputSystem.h"
#include "GameState/GameStateSystem.h"
#include "GameState/HUDComponent.h"
#include "Logic/Abilities/AbilityComponent.h"
#include "Logic/Effects/KnockbackEffectComponent.h"
#include "Logic/Stances/StanceComponent.h"
#include "Scripting/LuaComponent.h"
#include "Scripting/LuaSystem.h"
#include <algorithm>
#include <utility>

QUILL_DEFINE_TYPE_RECORD(Logic::SimpleControllerComponent,
                         &TypeRecordOf<Logic::ControllerComponent>(), false)

namespace Logic
{
namespace
{
constexpr const char* SlowStanceName = "SlowStanceComponent";
constexpr f32 AnimationSpeed = 1.0f;
constexpr u32 Loop = 1;
// The alternates of positions 1 to 3 stand this many positions further on.
constexpr u32 AlternateOffset = 3;

// Strings made once: the icons are set every frame.
const std::string IconsOn[SimpleControllerComponent::SlotCount] = {
    "HealthBarSkillOneOn", "HealthBarSkillTwoOn", "HealthBarSkillThreeOn", "HealthBarSkillFourOn"};
const std::string IconsOff[SimpleControllerComponent::SlotCount] = {
    "HealthBarSkillOneOff", "HealthBarSkillTwoOff", "HealthBarSkillThreeOff",
    "HealthBarSkillFourOff"};

bool GamePaused()
{
    const GameState::System::GameStateSystem* states =
        GameState::System::GameStateSystem::Instance();
    return states != nullptr && states->IsPaused();
}

bool ControllersConnected()
{
    const Core::System::InputSystem* input = Core::System::InputSystem::Instance();
    return input != nullptr && input->GetControllerCount() != 0;
}

// A knockback effect that moves its object to the point within the time; null (logged) when
// none can be made.
KnockbackEffectComponent* MakeKnockback(f32 seconds, const Math::Point4& point)
{
    const char* kind = SimpleControllerComponent::KnockbackEffectName;
    GameFactory* factory = Engine::Factory();
    GameObjectComponent* component = nullptr;
    try
    {
        component = factory != nullptr ? factory->CreateComponent(kind) : nullptr;
    }
    catch (const Core::OAException& exception)
    {
        Core::Log() << "Error [SimpleControllerComponent]: no room for a " << kind << ": "
                    << exception.what() << '\n';
        return nullptr;
    }
    auto* knockback = dynamic_cast<KnockbackEffectComponent*>(component);
    if (knockback == nullptr)
    {
        Core::Log() << "Error [SimpleControllerComponent]: the component factory makes no " << kind
                    << ", the character is not pulled back into the arena\n";
        if (component != nullptr && factory != nullptr)
            factory->DestroyComponent(component);
        return nullptr;
    }
    knockback->Setup(seconds, 0.0f, /*isTemporary=*/true, /*applied=*/false);
    knockback->SetTargetPoint(point);
    return knockback;
}
} // namespace

SimpleControllerComponent::SimpleControllerComponent()
    : m_selected(0), m_firedSlot(NoSlot), m_playerNumber(0), m_stanceId(0), m_moving(false)
{
    m_scriptIds.reserve(AbilityReserve);
    m_ready.reserve(AbilityReserve);
}

void SimpleControllerComponent::Shutdown()
{
    ControllerComponent::Shutdown();
    RemoveScripts();
}

void SimpleControllerComponent::RemoveScripts()
{
    Scripting::System::LuaSystem* lua = Scripting::System::LuaSystem::Instance();
    for (u32 id : m_scriptIds)
    {
        if (lua != nullptr && id != 0)
            lua->RemoveScriptById(id);
    }
    m_scriptIds.clear();
    m_ready.clear();
}

const MemberTable<SimpleControllerComponent>& SimpleControllerComponent::Members()
{
    QUILL_MEMBER_TABLE(
        table, SimpleControllerComponent, ReadRule::ByPosition,
        QUILL_MEMBER(SimpleControllerComponent, m_playerNumber, MemberFlag::Written).Tag(""));
    return table;
}

void SimpleControllerComponent::Deserialize(Serializer::XmlReader& reader)
{
    if (GetOwnerObject() != nullptr)
    {
        ChooseStance();
        CollectAbilities();
        m_disabled = false;
    }
    ReadMembers(reader, *this, Members());
}

void SimpleControllerComponent::CollectAbilities()
{
    // A second reading gives the scripts collected before back to the Lua system's care.
    RemoveScripts();
    const GameObject* owner = GetOwnerObject();
    for (GameObjectComponent* component : owner->GetComponents(ComponentTypeId<AbilityComponent>()))
    {
        auto* ability = dynamic_cast<AbilityComponent*>(component);
        if (ability == nullptr)
            continue;
        m_scriptIds.push_back(ability->HandOverScript());
        m_ready.push_back(true);
    }
    m_selected = 0;
    m_firedSlot = NoSlot;
}

// The one stance, or of several the first that is no slow stance; when all are slow stances
// the choice made before stands.
void SimpleControllerComponent::ChooseStance()
{
    const std::vector<GameObjectComponent*> stances =
        GetOwnerObject()->GetComponents(ComponentTypeId<StanceComponent>());
    if (stances.empty())
        m_stanceId = 0;
    else if (stances.size() == 1)
        m_stanceId = stances.front()->GetId();
    else
    {
        for (const GameObjectComponent* stance : stances)
        {
            if (stance->GetName() != SlowStanceName)
            {
                m_stanceId = stance->GetId();
                break;
            }
        }
    }
}

StanceComponent* SimpleControllerComponent::GetStance() const
{
    const GameObject* owner = GetOwnerObject();
    if (owner == nullptr || m_stanceId == 0)
        return nullptr;
    return dynamic_cast<StanceComponent*>(owner->GetComponentById(m_stanceId));
}

void SimpleControllerComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void SimpleControllerComponent::SetDisabled(bool disabled)
{
    m_disabled = disabled;
    if (disabled)
        m_moving = false;
}

Scripting::LuaComponent* SimpleControllerComponent::GetAbilityScript(u32 index) const
{
    if (index >= m_scriptIds.size())
        return nullptr;
    return AbilityComponent::FindScript(m_scriptIds[index]);
}

Scripting::LuaComponent* SimpleControllerComponent::GetSelectedAbilityScript() const
{
    return GetAbilityScript(m_selected);
}

std::vector<Scripting::LuaComponent*> SimpleControllerComponent::GetAbilityScripts() const
{
    std::vector<Scripting::LuaComponent*> scripts;
    for (u32 index = 0; index < m_scriptIds.size(); ++index)
    {
        if (Scripting::LuaComponent* script = GetAbilityScript(index))
            scripts.push_back(script);
    }
    return scripts;
}

bool SimpleControllerComponent::Select(u32 index)
{
    if (index >= m_scriptIds.size())
        return false;
    m_selected = index;
    return true;
}

bool SimpleControllerComponent::IsReady(u32 index) const
{
    return index < m_ready.size() && m_ready[index];
}

bool SimpleControllerComponent::ActivateSelectedAbility()
{
    Scripting::LuaComponent* script = GetSelectedAbilityScript();
    if (script == nullptr)
        return false;
    bool fired = false;
    if (!script->CallBoolFunction(ActivateFunction, m_owner, fired) || !fired)
        return false;
    m_firedSlot = m_selected;
    PlayAbilitySound(m_selected);
    if (m_selected < m_ready.size())
        m_ready[m_selected] = false;
    return true;
}

void SimpleControllerComponent::BuildEditor(Tools::PropertyGroup& group)
{
    // Player numbers the game hands out.
    constexpr f32 EditorMaxPlayer = 6.0f;
    const Tools::PropertyAttributes owner(0.0f, EditorMaxPlayer, 1.0f);
    group.AddInt("Owner", &m_playerNumber, &owner, &Tools::SetScalarCallback,
                 &Tools::GetScalarCallback);
    Tools::AddComponentOptions(this, group);
}

void SimpleControllerComponent::SwapAlternateAbilities()
{
    const u32 count = GetAbilityCount();
    if (count <= SlotCount || count > SlotCount + AlternateOffset)
        return;
    for (u32 position = count - 1; position > AlternateOffset; --position)
        std::swap(m_scriptIds[position], m_scriptIds[position - AlternateOffset]);
}

void SimpleControllerComponent::PlayAbilitySound(u32 slot)
{
    const GameObject* owner = GetOwnerObject();
    auto* audio = owner != nullptr ? owner->GetComponent<Audio::AudioResponseComponent>() : nullptr;
    if (audio == nullptr)
        return;
    switch (slot)
    {
    case 0:
        audio->OnAbility0();
        break;
    case 1:
        audio->OnAbility1();
        break;
    case 2:
        audio->OnAbility2();
        break;
    case 3:
        audio->OnAbility3();
        break;
    default:
        break;
    }
}

void SimpleControllerComponent::PlayMoveSound()
{
    const GameObject* owner = GetOwnerObject();
    if (auto* audio =
            owner != nullptr ? owner->GetComponent<Audio::AudioResponseComponent>() : nullptr)
        audio->OnMove();
}

void SimpleControllerComponent::HandleMessage(Message* message)
{
    if (message == nullptr || GamePaused())
        return;
    switch (message->type)
    {
    case InputActionMessage::Type:
        OnInputAction(*static_cast<InputActionMessage*>(message));
        break;
    case InputCursorMessage::Type:
    {
        const auto& cursor = *static_cast<InputCursorMessage*>(message);
        if (static_cast<s32>(cursor.player) != m_playerNumber)
            break;
        if (m_disabled)
            m_moving = false;
        else if (StanceComponent* stance = GetStance())
            stance->HandleCursor(cursor);
        break;
    }
    case InputMoveMessage::Type:
        OnInputMove(*static_cast<InputMoveMessage*>(message));
        break;
    case SetPlayerNumberMessage::Type:
        m_playerNumber =
            static_cast<s32>(static_cast<SetPlayerNumberMessage*>(message)->playerNumber);
        break;
    default:
        break;
    }
}

void SimpleControllerComponent::ReleaseStances()
{
    const GameObject* owner = GetOwnerObject();
    if (owner == nullptr)
        return;
    for (GameObjectComponent* component : owner->GetComponents(ComponentTypeId<StanceComponent>()))
    {
        auto* stance = dynamic_cast<StanceComponent*>(component);
        if (stance != nullptr && stance->IsTriggered())
            stance->Toggle();
    }
}

void SimpleControllerComponent::OnInputAction(const InputActionMessage& message)
{
    if (static_cast<s32>(message.player) != m_playerNumber)
        return;
    if (m_disabled)
    {
        if (message.action == IA_FIRE)
            ReleaseStances();
        return;
    }
    const bool pressed = message.state == KS_TRIGGER;
    const bool isSlot = message.action >= IA_SLOT_1 && message.action < IA_SLOT_1 + SlotCount;
    if (ControllersConnected())
    {
        // Each button is its own slot: held repeats keep it selected, the press fires it.
        if (!isSlot)
        {
            Core::Log() << UnhandledActionText << '\n';
            return;
        }
        if (Select(message.action - IA_SLOT_1) && pressed)
            ActivateSelectedAbility();
        return;
    }
    if (!pressed)
        return;
    if (message.action == IA_FIRE)
        ActivateSelectedAbility();
    else if (isSlot)
        Select(message.action - IA_SLOT_1);
    else if (message.action == IA_SWAP)
        SwapAlternateAbilities();
    else
        Core::Log() << UnhandledActionText << '\n';
}

void SimpleControllerComponent::SwitchAnimation(const char* animation)
{
    PostNew<AnimationSpeedSetMessage>(GetId(), AnimationSpeed, m_owner);
    PostNew<AnimationSwapMessage>(GetId(), animation, Loop, m_owner);
}

void SimpleControllerComponent::OnInputMove(const InputMoveMessage& message)
{
    if (static_cast<s32>(message.player) != m_playerNumber)
        return;
    if (m_disabled)
    {
        m_moving = false;
        return;
    }
    if (message.state == KS_RELEASE)
    {
        SwitchAnimation(IdleAnimation);
        m_moving = false;
    }
    else if (message.state == KS_TRIGGER || !m_moving)
    {
        SwitchAnimation(RunAnimation);
        m_moving = true;
    }
    if (m_moving)
        PlayMoveSound();
    if (message.state != KS_RELEASE)
    {
        if (StanceComponent* stance = GetStance())
            stance->HandleMove(message);
    }
}

void SimpleControllerComponent::Update(f32)
{
    KeepInArena();
    UpdateCooldowns();
    UpdateSkillIcons();
}

void SimpleControllerComponent::KeepInArena()
{
    GameObject* owner = GetOwnerObject();
    const TransformComponent* transform =
        owner != nullptr ? owner->GetComponent<TransformComponent>() : nullptr;
    if (transform == nullptr)
        return;
    const Math::Point4 position = transform->GetPosition();
    Math::Vector4 outward(position.x, position.y, position.z, 0.0f);
    const f32 distance = outward.Normalize();
    if (!(distance > ArenaRadius))
        return;
    const Math::Point4 target = position - outward * ArenaPullBack;
    if (KnockbackEffectComponent* knockback = MakeKnockback(ArenaPullSeconds, target))
        owner->AddComponent(knockback);
}

void SimpleControllerComponent::UpdateCooldowns()
{
    for (u32 position = 0; position < m_ready.size(); ++position)
    {
        if (m_ready[position])
            continue;
        Scripting::LuaComponent* script = GetAbilityScript(position);
        bool ready = false;
        if (script != nullptr && script->CallReturnBool(CooledDownFunction, ready))
            m_ready[position] = ready;
    }
}

void SimpleControllerComponent::UpdateSkillIcons()
{
    const GameObject* owner = GetOwnerObject();
    const auto* mounts = owner != nullptr ? owner->GetComponent<ObjectMountsComponent>() : nullptr;
    GameFactory* factory = Engine::Factory();
    if (mounts == nullptr || factory == nullptr)
        return;
    const GameObject* bar = factory->FindObject(mounts->FindMountByName(HealthBarName));
    if (bar == nullptr)
        return;
    // The bar's elements are walked in place, counted by their position among the elements.
    const u32 elementType = ComponentTypeId<GameState::HUDComponent>();
    const GameObject::ComponentList& components = bar->GetComponentList();
    const auto elements =
        static_cast<u32>(std::count_if(components.begin(), components.end(),
                                       [elementType](const GameObject::ComponentEntry& entry)
                                       { return entry.typeId == elementType; }));
    if (elements < FirstIconElement + SlotCount)
        return;
    u32 position = 0;
    for (const GameObject::ComponentEntry& entry : components)
    {
        if (entry.typeId != elementType)
            continue;
        const u32 index = position++;
        if (index < FirstIconElement || index >= FirstIconElement + SlotCount)
            continue;
        const u32 slot = index - FirstIconElement;
        if (auto* icon = dynamic_cast<GameState::HUDComponent*>(entry.component))
            icon->SetMaterial(IsReady(slot) ? IconsOn[slot] : IconsOff[slot]);
    }
}
} // namespace Logic
