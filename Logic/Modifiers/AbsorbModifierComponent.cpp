#include "Logic/Modifiers/AbsorbModifierComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Containers/AbsorbContainerComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::AbsorbModifierComponent, &TypeRecordOf<Logic::ModifierComponent>(),
                         false)

namespace Logic
{
void AbsorbModifierComponent::OnCollide(CollideMessage& message)
{
    GameObject* target = TargetOf(message);
    if (target == nullptr || target->GetComponent<AbsorbContainerComponent>() == nullptr)
        return;
    PostEffect("AbsorbEffectComponent", currentStorage_, target->GetId());
}
} // namespace Logic
