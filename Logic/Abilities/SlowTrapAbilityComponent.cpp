#include "Logic/Abilities/SlowTrapAbilityComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"

QUILL_DEFINE_TYPE_RECORD(Logic::SlowTrapAbilityComponent, &TypeRecordOf<Logic::AbilityComponent>(),
                         false)

namespace Logic
{
void SlowTrapAbilityComponent::Deserialize(Serializer::XmlReader&)
{
    RunKindSetup();
}

void SlowTrapAbilityComponent::HandleMessage(Message* message)
{
    if (CollideMessage* contact = ContactOf(message, false))
    {
        CallOnCollide(contact->otherObjectId);
        RunModifiers(*contact);
    }
}
} // namespace Logic
