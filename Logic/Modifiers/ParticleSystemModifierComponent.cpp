#include "Logic/Modifiers/ParticleSystemModifierComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/MemberTable.h"
#include "Logic/Effects/ParticleSystemEffectComponent.h"
#include "Math/Vector3.h"
#include "Scripting/LuaComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ParticleSystemModifierComponent,
                         &TypeRecordOf<Logic::ModifierComponent>(), false)

namespace Logic
{
ParticleSystemModifierComponent::ParticleSystemModifierComponent() : offset(0.0f, 0.0f, 0.0f, 0.0f)
{
}

const MemberTable<ParticleSystemModifierComponent>& ParticleSystemModifierComponent::Members()
{
    using namespace MemberFlag;
    QUILL_LINKED_MEMBER_TABLE(
        table, ParticleSystemModifierComponent, ReadRule::ByTag,
        MemberLinks<ParticleSystemModifierComponent>::Extending<ModifierComponent>(),
        QUILL_MEMBER(ParticleSystemModifierComponent, systemName, Written).Tag(SystemNameTag),
        QUILL_MEMBER(ParticleSystemModifierComponent, offset, Written).Tag(OffsetTag));
    return table;
}

void ParticleSystemModifierComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void ParticleSystemModifierComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
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
