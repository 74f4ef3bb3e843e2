#pragma once
// What an ability object does to what it touches. A modifier is a container whose value (its
// current value and maximum) is the strength of the effect it makes; it takes its numbers from
// the ability's script when the ability object is set up, and when the ability hands it a
// collision it creates its effect on the other object.
//
// Script numbers (LoadFromScript, table named by GetScriptTableName): "value" (float),
// "timeToLast" (float), "isTemporary" (bool); when the script's global "Character".enraged is
// true, "enrageModifier" is added to the value. A missing table or key leaves the value 0 (and
// the other numbers as they were); a missing "Character" table means not enraged.
//
// Written form: the container's three values, then time to last (float) and temporary (bool),
// unnamed. Kinds answer the family's id "ModifierComponent"; the base itself would answer
// "ContainerComponent".
#include "Logic/Containers/ContainerComponent.h"
#include <string>
#include <string_view>

class CollideMessage;
class GameObject;
template <typename Owner> struct MemberTable;
namespace Scripting
{
class LuaComponent;
}

namespace Logic
{
class EffectComponent;

class ModifierComponent : public ContainerComponent
{
public:
    using ComponentFamily = ModifierComponent;

    static constexpr const char* ValueKey = "value";
    static constexpr const char* TimeToLastKey = "timeToLast";
    static constexpr const char* TemporaryKey = "isTemporary";
    static constexpr const char* EnrageKey = "enrageModifier";
    static constexpr const char* CharacterTable = "Character";
    static constexpr const char* EnragedKey = "enraged";

    ModifierComponent();

    static const std::string& GetTypeName()
    {
        static const std::string name = "ModifierComponent";
        return name;
    }
    static void RegisterMembers();
    // The reflected members: time to last and temporary.
    static const MemberTable<ModifierComponent>& Members();

    // Kinds answer the family's id; see the header comment.
    u32 GetType() const override;
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

    // The collision its ability object had; the other object is the one to affect.
    virtual void OnCollide(CollideMessage& message) = 0;
    // The script table that holds this kind's numbers.
    virtual const char* GetScriptTableName() const = 0;
    virtual void LoadFromScript(Scripting::LuaComponent& script, const char* tableName);

    f32 GetTimeToLast() const { return timeToLast_; }
    bool AreResultsTemporary() const { return resultsAreTemporary_; }

    f32 timeToLast_;
    bool resultsAreTemporary_;

protected:
    // The object the collision is with, or null when it is gone (a normal skip).
    static GameObject* TargetOf(const CollideMessage& message);
    // An effect of that type set up with the numbers (not yet applied), or null (logged) when
    // the factory does not make it or it is no effect.
    EffectComponent* MakeEffect(std::string_view typeName, f32 seconds, f32 value,
                                bool temporary) const;
    // Posts the effect to the object with this modifier as the sender, at once.
    void PostEffect(EffectComponent* effect, u32 targetId) const;
    // MakeEffect with this modifier's duration and temporary flag, then PostEffect.
    void PostEffect(std::string_view typeName, f32 value, u32 targetId) const;
    // Asks for the end of this modifier's own object (a used pick-up, a spent ability).
    void DestroyOwnObject() const;
    // Kinds that react to their own object's collisions hand each one to OnCollide.
    void CollideOnOwnContact(Message* message);
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::ModifierComponent)
