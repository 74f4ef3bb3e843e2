#include "Logic/Abilities/LaserAbilityComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"

QUILL_DEFINE_TYPE_RECORD(Logic::LaserAbilityComponent, &TypeRecordOf<Logic::AbilityComponent>(),
                         false)

namespace Logic
{
void LaserAbilityComponent::Deserialize(Serializer::XmlReader&)
{
    static constexpr KindSetup kSetup{
        true, ColliderRule::Fixed, PlayerAttackCategory, PlayerAttackMask, 0, "LMA", false};
    RunKindSetup(kSetup);
}

void LaserAbilityComponent::HandleMessage(Message* message)
{
    if (CollideMessage* contact = ContactOf(message, true))
        ReactToContact(*contact);
}
} // namespace Logic
