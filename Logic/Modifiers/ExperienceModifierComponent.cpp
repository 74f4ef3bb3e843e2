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
    // Only the first step of a contact, and only with something that gathers experience.
    if (!message.newContact || target == nullptr ||
        target->GetComponent<ExperienceContainerComponent>() == nullptr)
        return;
    PostEffect("ExperienceEffectComponent", currentStorage_, target->GetId());
    DestroyOwnObject();
}
} // namespace Logic
