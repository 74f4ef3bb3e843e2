#include "Logic/Abilities/DamageTrapAbilityComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"

QUILL_DEFINE_TYPE_RECORD(Logic::DamageTrapAbilityComponent,
                         &TypeRecordOf<Logic::AbilityComponent>(), false)

namespace Logic
{
void DamageTrapAbilityComponent::Deserialize(Serializer::XmlReader&)
{
    RunKindSetup();
}

void DamageTrapAbilityComponent::HandleMessage(Message* message)
{
    if (CollideMessage* contact = ContactOf(message, false))
    {
        CallOnCollide(contact->otherObjectId);
        RunModifiers(*contact);
    }
}
} // namespace Logic
