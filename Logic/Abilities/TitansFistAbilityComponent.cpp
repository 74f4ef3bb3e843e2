#include "Logic/Abilities/TitansFistAbilityComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"

QUILL_DEFINE_TYPE_RECORD(Logic::TitansFistAbilityComponent,
                         &TypeRecordOf<Logic::AbilityComponent>(), false)

namespace Logic
{
void TitansFistAbilityComponent::Deserialize(Serializer::XmlReader&)
{
    RunKindSetup();
}

void TitansFistAbilityComponent::HandleMessage(Message* message)
{
    if (CollideMessage* contact = ContactOf(message, true))
        ReactToContact(*contact);
}
} // namespace Logic
