#include "Logic/Modifiers/EnrageModifierComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Controllers/ControllerComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::EnrageModifierComponent, &TypeRecordOf<Logic::ModifierComponent>(),
                         false)

namespace Logic
{
void EnrageModifierComponent::OnCollide(CollideMessage& message)
{
    GameObject* target = TargetOf(message);
    // Only characters, and an enraged one is not enraged again.
    if (target == nullptr || target->GetComponent<ControllerComponent>() == nullptr ||
        HoldsComponentNamed(*target, "EnrageEffectComponent"))
        return;
    PostEffect("EnrageEffectComponent", currentStorage_, target->GetId());
}
} // namespace Logic
