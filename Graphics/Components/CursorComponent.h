#pragma once
// The object that stands where the mouse points. Each camera-system update casts the cursor
// ray from the active camera's eye through the mouse position, keeps where it meets the view
// plane and the ground (y = 0; a ray that misses keeps the last point), and puts the object's
// transform on the ground point raised by 0.1. Reads and writes nothing.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/Point4.h"
#include "Math/Shapes/Ray3.h"
#include <string>

namespace Graphics
{
class CursorComponent : public GameObjectComponent
{
public:
    static constexpr const char* SystemName = "CameraSystem";
    // The object floats this far above the ground point, so it is not hidden in the floor.
    static constexpr f32 GroundLift = 0.1f;

    CursorComponent();
    CursorComponent(const CursorComponent&) = delete;
    CursorComponent& operator=(const CursorComponent&) = delete;
    ~CursorComponent() override;

    QUILL_COMPONENT_TYPE(CursorComponent)

    void Shutdown() override;
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}

    Math::Point4 viewPoint;
    Math::Point4 groundPoint;
    Math::Ray3 ray;
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::CursorComponent)
