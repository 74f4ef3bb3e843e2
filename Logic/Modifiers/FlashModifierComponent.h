#pragma once
// Flashes whatever its ability object hits: a FlashEffectComponent with the start and stop
// colours and the seconds per channel, added to the object hit at once, always temporary. Script
// table "FlashModifier": "redStart", "redStop", "redRate", the same for green and blue, then
// "timeToLast" and "isTemporary".
//
// Written form: the modifier base's values, then "start", "stop" and "rate" (X, Y, Z for red,
// green and blue), each optional on reading, so that an attack made from a definition without a
// script (an enemy's) can flash what it hits too.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Modifiers/ModifierComponent.h"
#include "Math/Vector3.h"

namespace Logic
{
class FlashModifierComponent : public ModifierComponent
{
public:
    QUILL_COMPONENT_TYPE(FlashModifierComponent)
    static constexpr const char* ScriptTable = "FlashModifier";

    static constexpr const char* StartTag = "start";
    static constexpr const char* StopTag = "stop";
    static constexpr const char* RateTag = "rate";

    FlashModifierComponent();
    // The members in written order.
    static const MemberTable<FlashModifierComponent>& Members();
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    void OnCollide(CollideMessage& message) override;
    const char* GetScriptTableName() const override { return ScriptTable; }
    // The colours and rates, the duration and the temporary flag; no value.
    void LoadFromScript(Scripting::LuaComponent& script, const char* tableName) override;

    Math::Vector3 start;
    Math::Vector3 stop;
    Math::Vector3 rate;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::FlashModifierComponent)
