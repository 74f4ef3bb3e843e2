#include "Logic/Modifiers/FlashModifierComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/MemberTable.h"
#include "Logic/Effects/FlashEffectComponent.h"
#include "Scripting/LuaComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::FlashModifierComponent, &TypeRecordOf<Logic::ModifierComponent>(),
                         false)

namespace Logic
{
FlashModifierComponent::FlashModifierComponent()
    : start(1.0f, 1.0f, 1.0f), stop(1.0f, 1.0f, 1.0f), rate(1.0f, 1.0f, 1.0f)
{
}

const MemberTable<FlashModifierComponent>& FlashModifierComponent::Members()
{
    using namespace MemberFlag;
    QUILL_LINKED_MEMBER_TABLE(table, FlashModifierComponent, ReadRule::ByTag,
                              MemberLinks<FlashModifierComponent>::Extending<ModifierComponent>(),
                              QUILL_MEMBER(FlashModifierComponent, start, Written).Tag(StartTag),
                              QUILL_MEMBER(FlashModifierComponent, stop, Written).Tag(StopTag),
                              QUILL_MEMBER(FlashModifierComponent, rate, Written).Tag(RateTag));
    return table;
}

void FlashModifierComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void FlashModifierComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void FlashModifierComponent::LoadFromScript(Scripting::LuaComponent& script, const char* tableName)
{
    script.GetTableFloat(tableName, "redStart", start.x);
    script.GetTableFloat(tableName, "redStop", stop.x);
    script.GetTableFloat(tableName, "redRate", rate.x);
    script.GetTableFloat(tableName, "greenStart", start.y);
    script.GetTableFloat(tableName, "greenStop", stop.y);
    script.GetTableFloat(tableName, "greenRate", rate.y);
    script.GetTableFloat(tableName, "blueStart", start.z);
    script.GetTableFloat(tableName, "blueStop", stop.z);
    script.GetTableFloat(tableName, "blueRate", rate.z);
    script.GetTableFloat(tableName, TimeToLastKey, timeToLast_);
    script.GetTableBool(tableName, TemporaryKey, resultsAreTemporary_);
}

void FlashModifierComponent::OnCollide(CollideMessage& message)
{
    GameObject* target = TargetOf(message);
    if (target == nullptr)
        return;
    // A flash always hands the colour back.
    constexpr bool Temporary = true;
    auto* flash = static_cast<FlashEffectComponent*>(
        MakeEffect(FlashEffectComponent::GetTypeName(), timeToLast_, 0.0f, Temporary));
    if (flash == nullptr)
        return;
    flash->start = start;
    flash->stop = stop;
    flash->rate = rate;
    target->AddComponent(flash);
}
} // namespace Logic
