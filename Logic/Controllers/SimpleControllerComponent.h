#pragma once
// The controller that makes a character a player character. When it is read it collects the
// scripts of the character's abilities (the AbilityComponents that stand before it in the
// definition, in object order) and from then on owns them: it removes them from the Lua
// system when it shuts down. Ability objects spawned by the character take their script from
// here. Firing the selected ability calls the script's "ActivateAbility" with the character's
// id; a fired ability is not ready until its script says so again.
//
// Scripts are held by their component id and looked up in the Lua system on every use, so a
// script removed meanwhile is simply not called.
//
// Written form: the player number (an unnamed integer).
#include "Logic/Controllers/ControllerComponent.h"
#include <string>
#include <vector>

namespace Scripting
{
class LuaComponent;
}

namespace Logic
{
class SimpleControllerComponent : public ControllerComponent
{
public:
    static constexpr const char* ActivateFunction = "ActivateAbility";
    // Room reserved for this many ability scripts.
    static constexpr std::size_t AbilityReserve = 16;

    SimpleControllerComponent();

    static std::string GetTypeName() { return "SimpleControllerComponent"; }
    std::string GetName() const override { return GetTypeName(); }
    // Leaves the logic system and removes the collected scripts.
    void Shutdown() override;
    // Collects the abilities, enables the controller, then reads the player number.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    // "Owner": the player number, 0 to 6, then the options group.
    void BuildEditor(Tools::PropertyGroup& group) override;
    void SetDisabled(bool disabled) override;

    // The script of the ability at that position; null beyond the abilities or when it is gone.
    Scripting::LuaComponent* GetAbilityScript(u32 index) const;
    Scripting::LuaComponent* GetSelectedAbilityScript() const;
    // The scripts that are still there, in position order.
    std::vector<Scripting::LuaComponent*> GetAbilityScripts() const;
    // Calls the selected script's "ActivateAbility"; true when it fired, and then the owner's
    // audio response plays the slot's "OnAbility0" to "OnAbility3".
    bool ActivateSelectedAbility();

    // Selects a slot; positions beyond the abilities are refused.
    bool Select(u32 index);
    u32 GetSelected() const { return m_selected; }
    u32 GetAbilityCount() const { return static_cast<u32>(m_scriptIds.size()); }
    bool IsReady(u32 index) const;
    s32 GetPlayerNumber() const { return m_playerNumber; }
    void SetPlayerNumber(s32 number) { m_playerNumber = number; }

private:
    void CollectAbilities();
    void RemoveScripts();
    void PlayAbilitySound(u32 slot) const;

    std::vector<u32> m_scriptIds; // component ids of the ability scripts; 0 for none
    std::vector<bool> m_ready;
    u32 m_selected;
    s32 m_playerNumber;
    bool m_moving;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::SimpleControllerComponent)
