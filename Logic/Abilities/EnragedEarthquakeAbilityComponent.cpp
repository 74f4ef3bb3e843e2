#include "Logic/Abilities/EnragedEarthquakeAbilityComponent.h"
#include "Core/Log.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Effects/EffectComponent.h"
#include "Scripting/LuaComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::EnragedEarthquakeAbilityComponent,
                         &TypeRecordOf<Logic::AbilityComponent>(), false)

namespace Logic
{
void EnragedEarthquakeAbilityComponent::Deserialize(Serializer::XmlReader&)
{
    if (!RunKindSetup())
        return;
    const GameObject* owner = GetOwnerObject();
    auto* scale = owner != nullptr ? owner->GetComponent<EffectComponent>() : nullptr;
    Scripting::LuaComponent* script = GetScript();
    if (scale == nullptr || script == nullptr)
    {
        Core::Log() << "Error [EnragedEarthquakeAbilityComponent]: object " << m_owner
                    << " has no effect to take its end scale, it keeps its size\n";
        return;
    }
    f32 endScale = 0.0f;
    f32 seconds = 0.0f;
    script->GetGlobalFloat("endingScaleEffectValue", endScale);
    script->GetGlobalFloat("timeToReachEndScale", seconds);
    scale->Setup(seconds, endScale, false, false);
    scale->Bind();
}

void EnragedEarthquakeAbilityComponent::HandleMessage(Message* message)
{
    if (CollideMessage* contact = ContactOf(message, true))
        ReactToContact(*contact);
}
} // namespace Logic
