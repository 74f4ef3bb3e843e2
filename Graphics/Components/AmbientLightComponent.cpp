#include "Graphics/Components/AmbientLightComponent.h"
#include "Core/Components/SystemRegistration.h"

QUILL_DEFINE_TYPE_RECORD(Graphics::AmbientLightComponent, &TypeRecordOf<Graphics::LightComponent>(),
                         false)

namespace Graphics
{
AmbientLightComponent::AmbientLightComponent() : LightComponent(AmbientKind)
{
    Core::RegisterWithSystem(SystemName, this);
}

AmbientLightComponent::~AmbientLightComponent()
{
    Core::UnregisterFromSystem(SystemName, this);
}

void AmbientLightComponent::Shutdown()
{
    Core::UnregisterFromSystem(SystemName, this);
}
} // namespace Graphics
