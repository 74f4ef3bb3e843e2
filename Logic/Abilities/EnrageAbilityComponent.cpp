#include "Logic/Abilities/EnrageAbilityComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"

QUILL_DEFINE_TYPE_RECORD(Logic::EnrageAbilityComponent, &TypeRecordOf<Logic::AbilityComponent>(),
                         false)

namespace Logic
{
void EnrageAbilityComponent::Deserialize(Serializer::XmlReader&)
{
    static constexpr KindSetup kSetup{true, ColliderRule::IgnoreParent, 0, 0, 3, "MLA", false};
    RunKindSetup(kSetup);
}

void EnrageAbilityComponent::HandleMessage(Message* message)
{
    if (CollideMessage* contact = ContactOf(message, true))
        ReactToContact(*contact);
}
} // namespace Logic
