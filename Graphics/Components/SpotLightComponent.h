#pragma once
// A spot light: a cone from its object's position along the object's forward direction. The
// renderer draws none of its light; the first spot light flagged as a shadow caster lends its
// object's camera to the shadow pass. XML: the light's elements, then four floats: a first
// angle, the cone's full opening angle (both degrees in files, radians in memory), a third
// value and the range (the cone's length). Message 56 is ignored.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Reflection/TypeRecord.h"
#include "Graphics/Components/LightComponent.h"

namespace Graphics
{
class SpotLightComponent : public LightComponent
{
public:
    SpotLightComponent();
    ~SpotLightComponent() override;

    QUILL_COMPONENT_TYPE(SpotLightComponent)

    void Shutdown() override;
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    // A red cone of the range and opening angle.
    void DebugDraw() override;

    f32 firstAngle; // radians
    f32 coneAngle;  // radians, the full opening
    f32 thirdValue;
    f32 range;
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::SpotLightComponent)
