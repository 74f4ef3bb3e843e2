#include "Graphics/Components/DirectionalLightComponent.h"
#include "Core/Components/SystemRegistration.h"
#include "Core/Reflection/HashTypeName.h"

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

u32 DirectionalLightComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}

void DirectionalLightComponent::Shutdown()
{
    Core::UnregisterFromSystem(SystemName, this);
}
} // namespace Graphics
