#pragma once
// A camera placed by a spherical coordinate: eye = the placement's GetPosition, look-at point =
// its GetTarget, look direction the unit vector between them. Each camera-system update builds
// its view (LookAt) and projection (Perspective), both in OpenGL's column order (Math/Matrix4.h).
// Registered with the camera system in its constructor; the first registered camera is active
// unless a switch, cycle or MakeSafe says otherwise.
//
// XML, by position: right, up, look direction (directions), the placement (perspective, radius,
// phi and theta in degrees), a flag, an unnamed float, near and far, the centre (a point) and
// the vertical field of view in degrees. Serialize writes the same order. Main thread only.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/Matrix4.h"
#include "Math/SphericalCoordinate.h"
#include "Math/Vector2.h"
#include "Math/Vector4.h"
#include <string>

namespace Graphics
{
class CameraComponent : public GameObjectComponent
{
public:
    static constexpr const char* SystemName = "CameraSystem";
    static constexpr f32 DefaultFieldOfView = 45.0f;
    static constexpr f32 DefaultNear = 1.0f;
    static constexpr f32 DefaultFar = 10000.0f;
    static constexpr f32 DefaultRadius = 10.0f;

    // Looking down -z from 10 units away, the window's size, fov 45; registered with the
    // camera system.
    CameraComponent();
    // The camera system's own default camera is made without registering.
    explicit CameraComponent(bool registerWithSystem);
    CameraComponent(const CameraComponent&) = delete;
    CameraComponent& operator=(const CameraComponent&) = delete;
    ~CameraComponent() override;

    QUILL_COMPONENT_TYPE(CameraComponent)

    void Shutdown() override;
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

    // Direction, right vector, projection and view from the placement.
    void Update();

    Math::Point4 GetEye() const { return placement.GetPosition(); }
    Math::Point4 GetLookAt() const { return placement.GetTarget(); }
    const Math::Matrix4& GetView() const { return view; }
    const Math::Matrix4& GetProjection() const { return projection; }
    f32 GetFieldOfView() const { return fieldOfView; }
    void SetFieldOfView(f32 degrees) { fieldOfView = degrees; }

    Math::Matrix4 view;
    Math::Matrix4 projection;
    Math::Vector4 right;
    Math::Vector4 up;
    Math::Vector4 look;
    bool flag;
    Math::SphericalCoordinate placement;
    f32 unnamed;
    Math::Vector2 nearFar;
    Math::Vector2 viewport;
    f32 fieldOfView;

private:
    bool m_registered;
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::CameraComponent)
