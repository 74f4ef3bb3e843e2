#pragma once
// Shows a particle system on whatever its ability object hits: a ParticleSystemEffectComponent
// with the system's name and offset, added to the object hit at once. Script table
// "ParticleSystemModifier": "systemName", "xOff", "yOff", "zOff", "timeToLast", "isTemporary".
//
// Written form: the modifier base's values, then "systemName" (string) and "offset" (X, Y, Z),
// both optional on reading, so that an attack made from a definition without a script (an
// enemy's) can carry one too.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Modifiers/ModifierComponent.h"
#include "Math/Vector4.h"
#include <string>

namespace Logic
{
class ParticleSystemModifierComponent : public ModifierComponent
{
public:
    QUILL_COMPONENT_TYPE(ParticleSystemModifierComponent)
    static constexpr const char* ScriptTable = "ParticleSystemModifier";

    static constexpr const char* SystemNameTag = "systemName";
    static constexpr const char* OffsetTag = "offset";

    ParticleSystemModifierComponent();
    // The members in written order.
    static const MemberTable<ParticleSystemModifierComponent>& Members();
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    void OnCollide(CollideMessage& message) override;
    const char* GetScriptTableName() const override { return ScriptTable; }
    // The name, the offset, the duration and the temporary flag; no value.
    void LoadFromScript(Scripting::LuaComponent& script, const char* tableName) override;

    Math::Vector4 offset;
    std::string systemName;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::ParticleSystemModifierComponent)
