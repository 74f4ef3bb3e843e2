#include "Logic/Modifiers/FlashModifierComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Effects/FlashEffectComponent.h"
#include "Scripting/LuaComponent.h"
#include "Xml/ValueXml.h"

QUILL_DEFINE_TYPE_RECORD(Logic::FlashModifierComponent, &TypeRecordOf<Logic::ModifierComponent>(),
                         false)

namespace Logic
{
FlashModifierComponent::FlashModifierComponent()
    : start(1.0f, 1.0f, 1.0f), stop(1.0f, 1.0f, 1.0f), rate(1.0f, 1.0f, 1.0f)
{
}

void FlashModifierComponent::Deserialize(Serializer::XmlReader& reader)
{
    ModifierComponent::Deserialize(reader);
    Serializer::ReadValue(reader, start, StartTag);
    Serializer::ReadValue(reader, stop, StopTag);
    Serializer::ReadValue(reader, rate, RateTag);
}

void FlashModifierComponent::Serialize(Serializer::XmlWriter& writer)
{
    ModifierComponent::Serialize(writer);
    Serializer::WriteValue(writer, start, StartTag);
    Serializer::WriteValue(writer, stop, StopTag);
    Serializer::WriteValue(writer, rate, RateTag);
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
    constexpr bool kTemporary = true;
    auto* flash = static_cast<FlashEffectComponent*>(
        MakeEffect(FlashEffectComponent::GetTypeName(), timeToLast_, 0.0f, kTemporary));
    if (flash == nullptr)
        return;
    flash->start = start;
    flash->stop = stop;
    flash->rate = rate;
    target->AddComponent(flash);
}
} // namespace Logic
