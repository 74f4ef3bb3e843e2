#include "Graphics/Components/AmbientLightComponent.h"
#include "Core/Components/SystemRegistration.h"
#include "Core/Reflection/HashTypeName.h"

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

u32 AmbientLightComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}

void AmbientLightComponent::Shutdown()
{
    Core::UnregisterFromSystem(SystemName, this);
}
} // namespace Graphics
