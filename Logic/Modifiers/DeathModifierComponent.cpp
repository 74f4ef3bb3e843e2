#include "Logic/Modifiers/DeathModifierComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Controllers/ControllerComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::DeathModifierComponent, &TypeRecordOf<Logic::ModifierComponent>(),
                         false)

namespace Logic
{
void DeathModifierComponent::OnCollide(CollideMessage& message)
{
    GameObject* target = TargetOf(message);
    // Only the first step of a contact, only characters, and a dying one dies once.
    if (!message.newContact || target == nullptr ||
        target->GetComponent<ControllerComponent>() == nullptr ||
        HoldsComponentNamed(*target, "DeathEffectComponent"))
        return;
    PostEffect("DeathEffectComponent", 0.0f, target->GetId());
}
} // namespace Logic
