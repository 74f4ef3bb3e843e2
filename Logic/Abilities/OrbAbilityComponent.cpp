#include "Logic/Abilities/OrbAbilityComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"

QUILL_DEFINE_TYPE_RECORD(Logic::OrbAbilityComponent, &TypeRecordOf<Logic::AbilityComponent>(),
                         false)

namespace Logic
{
void OrbAbilityComponent::Deserialize(Serializer::XmlReader&)
{
    RunKindSetup();
}

void OrbAbilityComponent::HandleMessage(Message* message)
{
    if (CollideMessage* contact = ContactOf(message, true))
        ReactToContact(*contact);
}
} // namespace Logic
