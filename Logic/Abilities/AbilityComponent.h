#pragma once
// What a character can do, and what its ability objects are.
//
// On a character, one plain AbilityComponent per ability slot owns that ability's script (read
// from the definition: the script file below "assets/Scripts/" and the script's name) until
// the character's controller collects it; a script no controller took is removed when the
// component shuts down. Firing asks the script to spawn an ability object with the character
// as its creator.
//
// On an ability object, one ability kind sets the object up when it is read: it binds to a
// script of the character that created the object (through the character's
// SimpleControllerComponent), takes lifetime, move rate, hit count and modifiers from that
// script and turns the object's collisions into script calls and effects. A kind keeps only
// the script's component id and looks the script up before each use: the character may be gone
// while its ability object flies, and then nothing is called.
//
// Script numbers: the global table "Ability" gives "lifetime" (float; above 0 adds a
// LifetimeContainerComponent), "moveRate" (float; not 0 adds a ConstantMoveComponent) and
// "numObjsToHit" (unsigned; the hits before the object ends, 1 by default; 0 means never).
// "GetModifierCount"() and "GetModifier"(i) for i = 1..count name the modifiers (at most
// MaxModifiers); only the modifier family and "BumpModifierComponent" are kept.
//
// Every ability answers the family's id "AbilityComponent".
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/LogicComponent.h"
#include <string>

class CollideMessage;
template <typename Owner> struct MemberTable;

namespace Physics
{
class ColliderComponent;
}
namespace Scripting
{
class LuaComponent;
}

namespace Logic
{
class AbilityComponent : public LogicComponent
{
public:
    using ComponentFamily = AbilityComponent;

    static constexpr const char* AbilityTable = "Ability";
    static constexpr const char* LifetimeKey = "lifetime";
    static constexpr const char* MoveRateKey = "moveRate";
    static constexpr const char* HitCountKey = "numObjsToHit";
    static constexpr const char* ModifierCountFunction = "GetModifierCount";
    static constexpr const char* ModifierFunction = "GetModifier";
    static constexpr const char* CollideFunction = "OnCollide";
    static constexpr const char* BumpModifierName = "BumpModifierComponent";
    static constexpr const char* FileTag = "filename";
    static constexpr const char* ScriptNameTag = "scriptName";
    // An ability object carries at most this many modifiers.
    static constexpr u32 MaxModifiers = 16;

    AbilityComponent();

    QUILL_COMPONENT_TYPE(AbilityComponent)
    // A character carries one plain ability per slot.
    bool MayRepeat() const override { return true; }
    // Leaves the logic system; removes the script unless a controller took it.
    void Shutdown() override;
    // The members in written order: the script file, the script name.
    static const MemberTable<AbilityComponent>& Members();
    // Plain component: the script file and the script's name; the parent is the object's
    // creator.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

    // The script, looked up now; null when there is none or it is gone.
    Scripting::LuaComponent* GetScript() const;
    // The controller takes the script over: this component no longer removes it. Answers the
    // script's component id (0 for none).
    u32 HandOverScript();
    u32 GetNumObjsToHit() const { return numObjsToHit_; }
    u32 GetParent() const { return m_parent; }

    // The registered script with that component id, or null (also without a Lua system).
    static Scripting::LuaComponent* FindScript(u32 componentId);

    // The first collider of the object, or null (also for a null object).
    static Physics::ColliderComponent* ColliderOf(const GameObject* object);

protected:
    // Runs the set-up of this kind's row of the kinds' table (AbilityKinds.h); true when the
    // script was bound and the steps ran, so the kind may add its extras.
    bool RunKindSetup();
    // The collision in the message, or null for any other message (and, with newOnly, for a
    // contact that is not new).
    static CollideMessage* ContactOf(Message* message, bool newOnly);
    // The common reaction to a contact: the script's "OnCollide", the modifiers, one hit.
    void ReactToContact(CollideMessage& message);

    // The character's collider becomes all bits in category and mask, so that nothing with a
    // nonzero mask touches it; the old values are kept. A character that is already
    // untouchable (an overlapping dash) is left alone and nothing is kept, so the earlier
    // dash's restore is the one that counts.
    void MakeParentUntouchable(u32 parentId);
    // Writes the kept category and mask back, once; nothing when nothing was kept.
    void RestoreParentCollision(u32 parentId);
    // The character's move value becomes 0; the old one is kept.
    void FreezeParent(u32 parentId);
    // The kept move value comes back when it is above ContainerComponent's epsilon (a character
    // that could not move stays so).
    void UnfreezeParent(u32 parentId);
    // A dash: reads Ability["moveRate"] and Ability["lifetime"] into the two numbers and slides
    // the character (by a KnockbackEffectComponent of that lifetime) to the point
    // moveRate x lifetime ahead of it along the ability object's facing.
    void StartDash(f32& moveRate, f32& lifetime);
    // The creator of the object (the character) by id, 0 without an object.
    u32 ParentId() const;

    // The object that created this one (the character), or null.
    GameObject* ParentObject() const;
    // Takes the parent's player controller's script at that position, or its selected one;
    // false (nothing bound) without a parent, a player controller or such a script.
    bool BindScript(u32 index);
    bool BindSelectedScript();
    void SetupLifetime();
    void SetupMovement();
    void AddModifiers();
    // One hit: when the count was 1 the object is destroyed; 0 wraps and never ends it.
    void CountHit();
    // The script's "OnCollide"(this object, the other); false when it is missing (reported).
    bool CallOnCollide(u32 otherObjectId);
    // Hands the collision to every modifier of the object, in object order.
    void RunModifiers(CollideMessage& message);
    // Asks for the destruction of this ability object.
    void DestroyOwnObject();
    // Removes the script when this component still owns it.
    void ReleaseScript();

    u32 m_scriptId;    // component id of the script; 0 for none
    bool m_ownsScript; // a plain component's own script, not yet handed over
    u32 m_parent;      // the creator of the object, for the plain component
    u32 m_savedMask;   // the character's collider, while an ability changes it
    u32 m_savedCategory;
    bool m_collisionSaved; // m_savedMask and m_savedCategory hold values to restore
    f32 m_savedMoveValue;
    u32 numObjsToHit_;
    std::string m_fileName;
    std::string m_scriptName;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::AbilityComponent)
