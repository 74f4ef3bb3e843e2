#include "Graphics/Components/DirectionalLightComponent.h"
#include "Core/Components/SystemRegistration.h"

QUILL_DEFINE_TYPE_RECORD(Graphics::DirectionalLightComponent,
                         &TypeRecordOf<Graphics::LightComponent>(), false)

namespace Graphics
{
DirectionalLightComponent::DirectionalLightComponent() : LightComponent(DirectionalKind)
{
    Core::RegisterWithSystem(SystemName, this);
}

DirectionalLightComponent::~DirectionalLightComponent()
{
    Core::UnregisterFromSystem(SystemName, this);
}

void DirectionalLightComponent::Shutdown()
{
    Core::UnregisterFromSystem(SystemName, this);
}
} // namespace Graphics
