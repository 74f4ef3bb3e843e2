#include "Logic/Abilities/EarthquakeAbilityComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"

QUILL_DEFINE_TYPE_RECORD(Logic::EarthquakeAbilityComponent,
                         &TypeRecordOf<Logic::AbilityComponent>(), false)

namespace Logic
{
void EarthquakeAbilityComponent::Deserialize(Serializer::XmlReader&)
{
    RunKindSetup();
}

void EarthquakeAbilityComponent::HandleMessage(Message* message)
{
    if (CollideMessage* contact = ContactOf(message, true))
        ReactToContact(*contact);
}
} // namespace Logic
