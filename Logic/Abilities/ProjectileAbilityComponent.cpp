#include "Logic/Abilities/ProjectileAbilityComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ProjectileAbilityComponent,
                         &TypeRecordOf<Logic::AbilityComponent>(), false)

namespace Logic
{

void ProjectileAbilityComponent::Deserialize(Serializer::XmlReader&)
{
    RunKindSetup();
}

void ProjectileAbilityComponent::HandleMessage(Message* message)
{
    if (message == nullptr || message->type != CollideMessage::Type)
        return;
    auto* collision = dynamic_cast<CollideMessage*>(message);
    if (collision == nullptr)
        return;
    CallOnCollide(collision->otherObjectId);
    // Unlike a contact that only calls the script and ends the object, the modifiers run first:
    // they carry the projectile's damage, which would otherwise never land.
    RunModifiers(*collision);
    DestroyOwnObject();
}
} // namespace Logic
