#include "Logic/Modifiers/SpeedModifierComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Movement/MoveComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::SpeedModifierComponent, &TypeRecordOf<Logic::ModifierComponent>(),
                         false)

namespace Logic
{
void SpeedModifierComponent::OnCollide(CollideMessage& message)
{
    GameObject* target = TargetOf(message);
    if (target == nullptr || target->GetComponent<MoveComponent>() == nullptr)
        return;
    PostEffect("SpeedEffectComponent", currentStorage_, target->GetId());
}
} // namespace Logic
