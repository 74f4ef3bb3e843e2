#include "Logic/Modifiers/ModifierComponent.h"
#include "Core/Reflection/HashTypeName.h"
#include "Core/Reflection/MemberTable.h"
#include "Scripting/LuaComponent.h"
#include "Serializer/Xml/ValueXml.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ModifierComponent, &TypeRecordOf<Logic::ContainerComponent>(),
                         false)

namespace Logic
{
ModifierComponent::ModifierComponent() : timeToLast_(0.0f), resultsAreTemporary_(true) {}

void ModifierComponent::RegisterMembers()
{
    RegisterTableMembers(Members());
}

const MemberTable<ModifierComponent>& ModifierComponent::Members()
{
    using MemberFlag::Reflected;
    QUILL_MEMBER_TABLE(table, ModifierComponent, ReadRule::ByPosition,
                       QUILL_MEMBER(ModifierComponent, timeToLast_, Reflected),
                       QUILL_MEMBER(ModifierComponent, resultsAreTemporary_, Reflected));
    return table;
}

u32 ModifierComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}

void ModifierComponent::Deserialize(Serializer::XmlReader& reader)
{
    ContainerComponent::Deserialize(reader);
    Serializer::ReadValue(reader, timeToLast_, "");
    Serializer::ReadValue(reader, resultsAreTemporary_, "");
}

void ModifierComponent::Serialize(Serializer::XmlWriter& writer)
{
    ContainerComponent::Serialize(writer);
    Serializer::WriteValue(writer, timeToLast_, "");
    Serializer::WriteValue(writer, resultsAreTemporary_, "");
}

void ModifierComponent::LoadFromScript(Scripting::LuaComponent& script, const char* tableName)
{
    f32 value = 0.0f;
    script.GetTableFloat(tableName, ValueKey, value);
    script.GetTableFloat(tableName, TimeToLastKey, timeToLast_);
    script.GetTableBool(tableName, TemporaryKey, resultsAreTemporary_);
    bool enraged = false;
    script.GetTableBool(CharacterTable, EnragedKey, enraged);
    if (enraged)
    {
        f32 enrage = 0.0f;
        script.GetTableFloat(tableName, EnrageKey, enrage);
        value += enrage;
    }
    SetMaximumStorage(value);
    Add(value - currentStorage_);
}
} // namespace Logic
