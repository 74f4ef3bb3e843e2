#include "Logic/Modifiers/ToughnessModifierComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Containers/ToughnessContainerComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ToughnessModifierComponent,
                         &TypeRecordOf<Logic::ModifierComponent>(), false)

namespace Logic
{
void ToughnessModifierComponent::OnCollide(CollideMessage& message)
{
    GameObject* target = TargetOf(message);
    if (target == nullptr || target->GetComponent<ToughnessContainerComponent>() == nullptr)
        return;
    PostEffect("ToughnessEffectComponent", currentStorage_, target->GetId());
}
} // namespace Logic
