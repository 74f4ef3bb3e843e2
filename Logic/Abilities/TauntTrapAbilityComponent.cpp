#include "Logic/Abilities/TauntTrapAbilityComponent.h"
#include "Logic/LogicServices.h"

QUILL_DEFINE_TYPE_RECORD(Logic::TauntTrapAbilityComponent,
                         &TypeRecordOf<Logic::PulseTrapComponent>(), false)

namespace Logic
{
void TauntTrapAbilityComponent::Deserialize(Serializer::XmlReader& reader)
{
    static constexpr KindSetup kSetup{
        false, ColliderRule::Fixed, TauntCategory, TauntMask, NoScript, "", false};
    RunKindSetup(kSetup);
    PulseTrapComponent::Deserialize(reader);
}

void TauntTrapAbilityComponent::Pulse()
{
    Services().setAIControllerTargets(GetOwner());
}
} // namespace Logic
