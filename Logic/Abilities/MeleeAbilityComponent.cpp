#include "Logic/Abilities/MeleeAbilityComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"

QUILL_DEFINE_TYPE_RECORD(Logic::MeleeAbilityComponent, &TypeRecordOf<Logic::AbilityComponent>(),
                         false)

namespace Logic
{

void MeleeAbilityComponent::Deserialize(Serializer::XmlReader&)
{
    RunKindSetup();
}

void MeleeAbilityComponent::HandleMessage(Message* message)
{
    if (message == nullptr || message->type != CollideMessage::Type)
        return;
    if (const auto* collision = dynamic_cast<const CollideMessage*>(message))
        CallOnCollide(collision->otherObjectId);
}
} // namespace Logic
