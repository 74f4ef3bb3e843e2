#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Audio/AudioResponseComponent.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Abilities/AbilityComponent.h"
#include "Scripting/LuaComponent.h"
#include "Scripting/LuaSystem.h"
#include "Serializer/Xml/ValueXml.h"
#include "Tools/Model/PropertyCallbacks.h"
#include "Tools/Model/PropertyGroup.h"

QUILL_DEFINE_TYPE_RECORD(Logic::SimpleControllerComponent,
                         &TypeRecordOf<Logic::ControllerComponent>(), false)

namespace Logic
{
SimpleControllerComponent::SimpleControllerComponent()
    : m_selected(0), m_playerNumber(0), m_moving(false)
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

void SimpleControllerComponent::Deserialize(Serializer::XmlReader& reader)
{
    if (OwnerObject() != nullptr)
    {
        CollectAbilities();
        m_disabled = false;
    }
    Serializer::ReadValue(reader, m_playerNumber, "");
}

void SimpleControllerComponent::CollectAbilities()
{
    // A second reading gives the scripts collected before back to the Lua system's care.
    RemoveScripts();
    const GameObject* owner = OwnerObject();
    for (GameObjectComponent* component : owner->GetComponents(ComponentTypeId<AbilityComponent>()))
    {
        auto* ability = dynamic_cast<AbilityComponent*>(component);
        if (ability == nullptr)
            continue;
        m_scriptIds.push_back(ability->HandOverScript());
        m_ready.push_back(true);
    }
    m_selected = 0;
}

void SimpleControllerComponent::Serialize(Serializer::XmlWriter& writer)
{
    Serializer::WriteValue(writer, m_playerNumber, "");
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

void SimpleControllerComponent::PlayAbilitySound(u32 slot) const
{
    const GameObject* owner = OwnerObject();
    auto* response =
        owner != nullptr ? owner->GetComponent<Audio::AudioResponseComponent>() : nullptr;
    if (response == nullptr)
        return;
    // The response script has a sound for each of the first four slots only.
    switch (slot)
    {
    case 0:
        response->OnAbility0();
        break;
    case 1:
        response->OnAbility1();
        break;
    case 2:
        response->OnAbility2();
        break;
    case 3:
        response->OnAbility3();
        break;
    default:
        break;
    }
}

bool SimpleControllerComponent::ActivateSelectedAbility()
{
    Scripting::LuaComponent* script = GetSelectedAbilityScript();
    if (script == nullptr)
        return false;
    bool fired = false;
    if (!script->CallBoolFunction(ActivateFunction, m_owner, fired) || !fired)
        return false;
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

} // namespace Logic
