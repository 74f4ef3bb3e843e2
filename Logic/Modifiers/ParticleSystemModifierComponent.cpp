#include "Logic/Modifiers/ParticleSystemModifierComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Effects/ParticleSystemEffectComponent.h"
#include "Math/Vector3.h"
#include "Scripting/LuaComponent.h"
#include "Xml/ValueXml.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ParticleSystemModifierComponent,
                         &TypeRecordOf<Logic::ModifierComponent>(), false)

namespace Logic
{
ParticleSystemModifierComponent::ParticleSystemModifierComponent() : offset(0.0f, 0.0f, 0.0f, 0.0f)
{
}

void ParticleSystemModifierComponent::Deserialize(Serializer::XmlReader& reader)
{
    ModifierComponent::Deserialize(reader);
    Serializer::ReadValue(reader, systemName, SystemNameTag);
    Math::Vector3 point(offset.x, offset.y, offset.z);
    Serializer::ReadValue(reader, point, OffsetTag);
    offset = Math::Vector4(point.x, point.y, point.z, offset.w);
}

void ParticleSystemModifierComponent::Serialize(Serializer::XmlWriter& writer)
{
    ModifierComponent::Serialize(writer);
    Serializer::WriteValue(writer, systemName, SystemNameTag);
    Serializer::WriteValue(writer, Math::Vector3(offset.x, offset.y, offset.z), OffsetTag);
}

void ParticleSystemModifierComponent::LoadFromScript(Scripting::LuaComponent& script,
                                                     const char* tableName)
{
    script.GetTableString(tableName, "systemName", systemName);
    script.GetTableFloat(tableName, "xOff", offset.x);
    script.GetTableFloat(tableName, "yOff", offset.y);
    script.GetTableFloat(tableName, "zOff", offset.z);
    script.GetTableFloat(tableName, TimeToLastKey, timeToLast_);
    script.GetTableBool(tableName, TemporaryKey, resultsAreTemporary_);
}

void ParticleSystemModifierComponent::OnCollide(CollideMessage& message)
{
    GameObject* target = TargetOf(message);
    if (target == nullptr)
        return;
    auto* effect = static_cast<ParticleSystemEffectComponent*>(MakeEffect(
        ParticleSystemEffectComponent::GetTypeName(), timeToLast_, 0.0f, resultsAreTemporary_));
    if (effect == nullptr)
        return;
    effect->systemName = systemName;
    effect->offset = offset;
    target->AddComponent(effect);
}
} // namespace Logic
