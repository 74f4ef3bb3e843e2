#include "Logic/Abilities/DummyAbilityComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"

QUILL_DEFINE_TYPE_RECORD(Logic::DummyAbilityComponent, &TypeRecordOf<Logic::AbilityComponent>(),
                         false)

namespace Logic
{
void DummyAbilityComponent::HandleMessage(Message* message)
{
    if (CollideMessage* contact = ContactOf(message, false))
    {
        RunModifiers(*contact);
        DestroyOwnObject();
    }
}
} // namespace Logic
