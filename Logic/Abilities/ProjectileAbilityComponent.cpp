#include "Logic/Abilities/ProjectileAbilityComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ProjectileAbilityComponent,
                         &TypeRecordOf<Logic::AbilityComponent>(), false)

namespace Logic
{

void ProjectileAbilityComponent::Deserialize(Serializer::XmlReader&)
{
    if (ParentObject() == nullptr || !BindSelectedScript())
        return;
    SetupLifetime();
    SetupMovement();
    AddModifiers();
}

void ProjectileAbilityComponent::HandleMessage(Message* message)
{
    if (message == nullptr || message->type != CollideMessage::Type)
        return;
    auto* collision = dynamic_cast<CollideMessage*>(message);
    if (collision == nullptr)
        return;
    CallOnCollide(collision->otherObjectId);
    RunModifiers(*collision);
    DestroyOwnObject();
}
} // namespace Logic
