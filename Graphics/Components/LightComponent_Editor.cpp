// The light's editor panel: whether it casts the frame's shadow.
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Graphics/Components/LightComponent.h"

namespace Graphics
{
void LightComponent::BuildEditor(Tools::PropertyGroup& group)
{
    group.AddBool("Shadow Caster", &shadowCaster, nullptr, &Tools::SetBoolCallback,
                  &Tools::GetBoolCallback);
    Tools::AddComponentOptions(this, group);
}
} // namespace Graphics
