// The light's editor panel: whether it casts the frame's shadow.
#include "Graphics/Components/LightComponent.h"
#include "Tools/Model/PropertyCallbacks.h"
#include "Tools/Model/PropertyGroup.h"

namespace Graphics
{
void LightComponent::BuildEditor(Tools::PropertyGroup& group)
{
    group.AddBool("Shadow Caster", &shadowCaster, nullptr, &Tools::SetBoolCallback,
                  &Tools::GetBoolCallback);
    Tools::AddComponentOptions(this, group);
}
} // namespace Graphics
