#include "Graphics/Components/CameraComponent.h"
#include "Core/Components/SystemRegistration.h"
#include "Core/CoreServices.h"
#include "Math/MathUtils.h"
#include "Xml/MathValueXml.h"
#include "Xml/PlainValueXml.h"
#include "Xml/XmlReader.h"

QUILL_DEFINE_TYPE_RECORD(Graphics::CameraComponent, &TypeRecordOf<GameObjectComponent>(), false)

namespace Graphics
{
CameraComponent::CameraComponent() : CameraComponent(true) {}

CameraComponent::CameraComponent(bool registerWithSystem)
    : GameObjectComponent(true), right(1.0f, 0.0f, 0.0f, 0.0f), up(0.0f, 1.0f, 0.0f, 0.0f),
      look(0.0f, 0.0f, -1.0f, 0.0f), flag(false),
      placement(Math::HALF_PI, 0.0f, DefaultRadius, Math::Point4(0.0f, 0.0f, 0.0f, 1.0f),
                Math::SphericalCoordinate::ORBIT),
      unnamed(1.0f), nearFar(DefaultNear, DefaultFar),
      viewport(static_cast<f32>(Core::WindowWidth()), static_cast<f32>(Core::WindowHeight())),
      fieldOfView(DefaultFieldOfView), m_registered(registerWithSystem)
{
    if (m_registered)
        Core::RegisterWithSystem(SystemName, this);
}

CameraComponent::~CameraComponent()
{
    if (m_registered)
        Core::UnregisterFromSystem(SystemName, this);
}

void CameraComponent::Shutdown()
{
    if (m_registered)
        Core::UnregisterFromSystem(SystemName, this);
    m_registered = false;
}

void CameraComponent::Deserialize(Serializer::XmlReader& reader)
{
    // Every element by position, whatever its tag.
    Serializer::ReadVector4(reader, right, "");
    Serializer::ReadVector4(reader, up, "");
    Serializer::ReadVector4(reader, look, "");
    Serializer::ReadSphericalCoordinate(reader, placement, "");
    Serializer::ReadBool(reader, flag, "");
    Serializer::ReadElement<float>(reader, unnamed, "");
    Serializer::ReadVector2(reader, nearFar, "");
    Math::Point4 centre = placement.centre;
    Serializer::ReadPoint4(reader, centre, "");
    placement.centre = centre;
    Serializer::ReadElement<float>(reader, fieldOfView, "");
}

void CameraComponent::Serialize(Serializer::XmlWriter& writer)
{
    Serializer::WriteVector3(writer, right, "vec4");
    Serializer::WriteVector3(writer, up, "vec4");
    Serializer::WriteVector3(writer, look, "vec4");
    Serializer::WriteSphericalCoordinate(writer, placement, "sphr");
    Serializer::WriteBool(writer, flag, "bool");
    Serializer::WriteFloat(writer, unnamed, "f32");
    Serializer::WriteVector2(writer, nearFar, "vec2");
    Serializer::WriteVector3(
        writer, Math::Vector4(placement.centre.x, placement.centre.y, placement.centre.z, 0.0f),
        "pnt4");
    Serializer::WriteFloat(writer, fieldOfView, "f32");
}

void CameraComponent::Update()
{
    const Math::Point4 eye = placement.GetPosition();
    const Math::Point4 target = placement.GetTarget();
    look = Math::Vector4(target.x - eye.x, target.y - eye.y, target.z - eye.z, 0.0f);
    look.Normalize();
    right = look.Cross(up);
    right.w = 0.0f;
    const f32 aspect = viewport.y != 0.0f ? viewport.x / viewport.y : 1.0f;
    projection = Math::Matrix4::Perspective(fieldOfView, aspect, nearFar.x, nearFar.y);
    view = Math::Matrix4::LookAt(eye, target, up);
}
} // namespace Graphics
