#include "Logic/Modifiers/HealthModifierComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Math/ColorRGBA.h"
#include <algorithm>
#include <sstream>

QUILL_DEFINE_TYPE_RECORD(Logic::HealthModifierComponent, &TypeRecordOf<Logic::ModifierComponent>(),
                         false)

namespace Logic
{
namespace
{
constexpr const char* PlayerControllerName = "SimpleControllerComponent";
const Math::ColorRGBA Green(0.0f, 1.0f, 0.0f, 1.0f);
} // namespace

void HealthModifierComponent::Add(f32 delta)
{
    AddClamped(delta);
    if (currentStorage_ < Epsilon)
        DestroyOwnObject();
}

void HealthModifierComponent::OnCollide(CollideMessage& message)
{
    GameObject* target = TargetOf(message);
    const HealthContainerComponent* health =
        target != nullptr ? target->GetComponent<HealthContainerComponent>() : nullptr;
    if (health == nullptr || health->GetCurrentStorage() == health->GetMaximumStorage())
        return;
    const f32 missing = health->GetMaximumStorage() - health->GetCurrentStorage();
    // A negative loss heals.
    PostEffect("HealthEffectComponent", -currentStorage_, target->GetId());
    DestroyOwnObject();
    if (HoldsComponentNamed(*target, PlayerControllerName))
    {
        std::ostringstream text;
        text << std::min(currentStorage_, missing);
        ShowText(text.str(), Green, *target, TextDuration);
    }
}
} // namespace Logic
