#include "Logic/Abilities/AIAttackAbilityComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"

QUILL_DEFINE_TYPE_RECORD(Logic::AIAttackAbilityComponent, &TypeRecordOf<Logic::AbilityComponent>(),
                         false)

namespace Logic
{
void AIAttackAbilityComponent::Deserialize(Serializer::XmlReader&)
{
    RunKindSetup();
}

void AIAttackAbilityComponent::HandleMessage(Message* message)
{
    if (CollideMessage* contact = ContactOf(message, true))
    {
        RunModifiers(*contact);
        CountHit();
    }
}
} // namespace Logic
