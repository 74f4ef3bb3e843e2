#pragma once
// A point light: lights what lies within its radius, fully up to near fraction x radius and
// fading out to the radius (the lighting pass draws it as a sphere of that radius). Both are
// animated values. XML: the light's elements, then the near fraction and the radius.
// Message 56 moves the radius to a target within a duration; a target of 0 is set at once.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Reflection/TypeRecord.h"
#include "Graphics/Components/LightComponent.h"

namespace Graphics
{
class PointLightComponent : public LightComponent
{
public:
    PointLightComponent();
    ~PointLightComponent() override;

    QUILL_COMPONENT_TYPE(PointLightComponent)

    void Shutdown() override;
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    void HandleMessage(Message* message) override;
    // A red circle of the radius about the light, facing the active camera.
    void DebugDraw() override;
    void Update(f32 seconds) override;

    f32 GetRadius() const { return radius.GetClampedValue(); }
    f32 GetNearRadius() const { return nearFraction.GetClampedValue() * GetRadius(); }

    Math::PingPongValue nearFraction;
    Math::PingPongValue radius;
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::PointLightComponent)
