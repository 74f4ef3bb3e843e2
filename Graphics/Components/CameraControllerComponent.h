#pragma once
// Turns and zooms the camera of its object at constant rates: theta grows by the turn rate
// (degrees per second, wrapped into [0, 2 pi)) and the radius by the zoom rate (units per
// second), then is held within the radius limits, the maximum applied first. The camera system
// steps every controller after the cameras; an object without a camera is skipped.
//
// XML, by position: turn rate, zoom rate, radius limits (minimum, maximum).
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/Vector2.h"
#include <string>

namespace Graphics
{
class CameraControllerComponent : public GameObjectComponent
{
public:
    static constexpr const char* SystemName = "CameraSystem";

    CameraControllerComponent();
    CameraControllerComponent(const CameraControllerComponent&) = delete;
    CameraControllerComponent& operator=(const CameraControllerComponent&) = delete;
    ~CameraControllerComponent() override;

    QUILL_COMPONENT_TYPE(CameraControllerComponent)

    void Shutdown() override;
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter&) override {}

    // Turns and zooms the owner's camera by the rates over the time.
    void Update(f32 seconds);

    f32 turnRate;
    f32 zoomRate;
    Math::Vector2 radiusLimits; // minimum, maximum
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::CameraControllerComponent)
