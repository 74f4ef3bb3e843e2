#include "Logic/Abilities/OrbAbilityComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"

QUILL_DEFINE_TYPE_RECORD(Logic::OrbAbilityComponent, &TypeRecordOf<Logic::AbilityComponent>(),
                         false)

namespace Logic
{
void OrbAbilityComponent::Deserialize(Serializer::XmlReader&)
{
    static constexpr KindSetup kSetup{true, ColliderRule::Fixed, 5, 23, 3, "LMA", false};
    RunKindSetup(kSetup);
}

void OrbAbilityComponent::HandleMessage(Message* message)
{
    if (CollideMessage* contact = ContactOf(message, true))
        ReactToContact(*contact);
}
} // namespace Logic
