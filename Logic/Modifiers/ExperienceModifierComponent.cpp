#include "Logic/Modifiers/ExperienceModifierComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Containers/ExperienceContainerComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ExperienceModifierComponent,
                         &TypeRecordOf<Logic::ModifierComponent>(), false)

namespace Logic
{
void ExperienceModifierComponent::OnCollide(CollideMessage& message)
{
    GameObject* target = TargetOf(message);
    if (target == nullptr ||
        !(message.newContact && target->GetComponent<ExperienceContainerComponent>() != nullptr))
        return;
    PostEffect("ExperienceEffectComponent", currentStorage_, target->GetId());
    DestroyOwnObject();
}
} // namespace Logic
