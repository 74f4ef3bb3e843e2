#pragma once
// A ambient light: the light's channels and flag only, which it neither reads nor writes; its
// channels stay at 0 unless messages 54 and 55 move them. No pass draws it yet.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Reflection/TypeRecord.h"
#include "Graphics/Components/LightComponent.h"

namespace Graphics
{
class AmbientLightComponent : public LightComponent
{
public:
    AmbientLightComponent();
    ~AmbientLightComponent() override;

    QUILL_COMPONENT_TYPE(AmbientLightComponent)

    void Shutdown() override;
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::AmbientLightComponent)
