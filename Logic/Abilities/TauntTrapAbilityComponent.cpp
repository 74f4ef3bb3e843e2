#include "Logic/Abilities/TauntTrapAbilityComponent.h"
#include "Logic/LogicServices.h"

QUILL_DEFINE_TYPE_RECORD(Logic::TauntTrapAbilityComponent,
                         &TypeRecordOf<Logic::PulseTrapComponent>(), false)

namespace Logic
{
void TauntTrapAbilityComponent::Deserialize(Serializer::XmlReader& reader)
{
    RunKindSetup();
    PulseTrapComponent::Deserialize(reader);
}

void TauntTrapAbilityComponent::Pulse()
{
    Services().setAIControllerTargets(GetOwner());
}
} // namespace Logic
