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
// Input (only the messages of its own player; nothing while the game is paused): with game
// controllers connected, actions 1 to 4 select their slot on every repeat and fire it on the
// press; without, they only select, action 0 fires the selected slot on the press and action 5
// swaps the alternate abilities (positions 4 to 6 with 1 to 3; slot 0 never). Moves switch the
// run and idle animations and go to the stance with the cursor. A slot at or above the ability
// count neither selects nor fires; without a stance moves and cursor go nowhere.
//
// Every update, disabled or not: the arena bound (a character more than ArenaRadius from the
// origin gets a short knockback back in), the cooldown polling ("IsCooledDown" of every ability
// that is not ready) and the four skill icons (HUD elements 3 to 6 of the mounted
// "HealthBarCharacter"; nothing unless it has six).
//
// Written form: the player number (an unnamed integer).
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Controllers/ControllerComponent.h"
#include <cstddef>
#include <string>
#include <vector>

class InputActionMessage;
class InputMoveMessage;

namespace Scripting
{
class LuaComponent;
}

template <typename Owner> struct MemberTable;

namespace Logic
{
class StanceComponent;

class SimpleControllerComponent : public ControllerComponent
{
public:
    static constexpr const char* ActivateFunction = "ActivateAbility";
    static constexpr const char* CooledDownFunction = "IsCooledDown";
    static constexpr const char* HealthBarName = "HealthBarCharacter";
    static constexpr const char* RunAnimation = "Run";
    static constexpr const char* IdleAnimation = "Idle";
    static constexpr const char* UnhandledActionText = "Unhandled Ability Action";
    // Room reserved for this many ability scripts.
    static constexpr std::size_t AbilityReserve = 16;
    // The four ability slots the input selects; positions above hold alternates.
    static constexpr u32 SlotCount = 4;
    // The health bar's HUD elements: two for the bars, then one icon per slot.
    static constexpr u32 FirstIconElement = 2;
    // Beyond this distance from the origin a character is pulled back into the arena: by a
    // knockback lasting ArenaPullSeconds to ArenaPullBack units further in.
    static constexpr f32 ArenaRadius = 55.0f;
    static constexpr f32 ArenaPullSeconds = 0.05f;
    static constexpr f32 ArenaPullBack = 0.4f;
    static constexpr const char* KnockbackEffectName = "KnockbackEffectComponent";

    SimpleControllerComponent();

    QUILL_COMPONENT_TYPE(SimpleControllerComponent)
    // Leaves the logic system and removes the collected scripts.
    void Shutdown() override;
    // The members in written order: the player number.
    static const MemberTable<SimpleControllerComponent>& Members();
    // Collects the abilities, enables the controller, then reads the player number.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    // "Owner": the player number, 0 to 6, then the options group.
    void BuildEditor(Tools::PropertyGroup& group) override;
    void HandleMessage(Message* message) override;
    // The arena bound, the cooldown polling and the skill icons.
    void Update(f32 seconds) override;
    void SetDisabled(bool disabled) override;

    // The script of the ability at that position; null beyond the abilities or when it is gone.
    Scripting::LuaComponent* GetAbilityScript(u32 index) const;
    Scripting::LuaComponent* GetSelectedAbilityScript() const;
    // The scripts that are still there, in position order.
    std::vector<Scripting::LuaComponent*> GetAbilityScripts() const;
    // Calls the selected script's "ActivateAbility"; true when it fired, and then the owner's
    // audio response plays the slot's "OnAbility0" to "OnAbility3".
    bool ActivateSelectedAbility();

    // Exchanges the scripts of the alternate positions (4 to 6) with those of 1 to 3, as many as
    // the ability count has; ready bits and the selected slot stay with the positions.
    void SwapAlternateAbilities();

    // Selects a slot; positions beyond the abilities are refused.
    bool Select(u32 index);
    u32 GetSelected() const { return m_selected; }
    // The slot whose ability fired last, or the selected one while none has fired.
    u32 GetFiredSlot() const { return m_firedSlot != NoSlot ? m_firedSlot : m_selected; }
    u32 GetAbilityCount() const { return static_cast<u32>(m_scriptIds.size()); }
    bool IsReady(u32 index) const;
    s32 GetPlayerNumber() const { return m_playerNumber; }
    void SetPlayerNumber(s32 number) { m_playerNumber = number; }
    bool IsMoving() const { return m_moving; }
    // The stance that moves and cursor input go to; null for none.
    StanceComponent* GetStance() const;

private:
    void CollectAbilities();
    void ChooseStance();
    void RemoveScripts();
    void OnInputAction(const InputActionMessage& message);
    void OnInputMove(const InputMoveMessage& message);
    void ReleaseStances();
    void PlayAbilitySound(u32 slot);
    void PlayMoveSound();
    void SwitchAnimation(const char* animation);
    void KeepInArena();
    void UpdateCooldowns();
    void UpdateSkillIcons();

    std::vector<u32> m_scriptIds; // component ids of the ability scripts; 0 for none
    std::vector<bool> m_ready;
    u32 m_selected;
    static constexpr u32 NoSlot = ~0u;
    u32 m_firedSlot; // NoSlot until an ability fires
    s32 m_playerNumber;
    u32 m_stanceId; // component id of the chosen stance; 0 for none
    bool m_moving;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::SimpleControllerComponent)
