#include "Graphics/Components/PointLightComponent.h"
#include "Core/Components/SystemRegistration.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Messages/Graphics/SetLightRadiusToMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Graphics/System/CameraSystem.h"
#include "Math/ColorRGBA.h"
#include "Math/Shapes/Circle3.h"
#include "Xml/MathValueXml.h"

QUILL_DEFINE_TYPE_RECORD(Graphics::PointLightComponent, &TypeRecordOf<Graphics::LightComponent>(),
                         false)

namespace Graphics
{
PointLightComponent::PointLightComponent() : LightComponent(PointKind)
{
    Core::RegisterWithSystem(SystemName, this);
}

PointLightComponent::~PointLightComponent()
{
    Core::UnregisterFromSystem(SystemName, this);
}

void PointLightComponent::Shutdown()
{
    Core::UnregisterFromSystem(SystemName, this);
}

void PointLightComponent::Deserialize(Serializer::XmlReader& reader)
{
    LightComponent::Deserialize(reader);
    Serializer::ReadPingPongValue(reader, nearFraction, nullptr);
    Serializer::ReadPingPongValue(reader, radius, nullptr);
}

void PointLightComponent::Serialize(Serializer::XmlWriter& writer)
{
    LightComponent::Serialize(writer);
    Serializer::WritePingPongValue(writer, nearFraction, "NearFraction");
    Serializer::WritePingPongValue(writer, radius, "Radius");
}

void PointLightComponent::HandleMessage(Message* message)
{
    if (message != nullptr && message->type == SetLightRadiusToMessage::Type)
    {
        const auto* change = static_cast<SetLightRadiusToMessage*>(message);
        // A light switched off goes out at once, whatever the duration.
        if (change->radius == 0.0f)
            radius.Set(0.0f, 0.0f, 0.0f, 0.0f, true, true);
        else
            AnimateTo(radius, change->radius, change->duration);
        return;
    }
    LightComponent::HandleMessage(message);
}

void PointLightComponent::DebugDraw()
{
    GameFactory* factory = Engine::Factory();
    const GameObject* owner = factory != nullptr ? factory->FindObject(m_owner) : nullptr;
    const auto* transform = owner != nullptr ? owner->GetComponent<TransformComponent>() : nullptr;
    System::CameraSystem* cameras = System::CameraSystem::Instance();
    if (transform == nullptr || cameras == nullptr)
        return;
    const Math::Point4& centre = transform->GetPosition();
    Math::Vector4 toCamera = cameras->GetActiveCameraEye() - centre;
    toCamera.w = 0.0f;
    toCamera.Normalize();
    const Math::ColorRGBA red(DebugRed, 0.0f, 0.0f, 1.0f);
    Math::Circle3(centre, toCamera, GetRadius()).Draw(&red);
}

void PointLightComponent::Update(f32 seconds)
{
    LightComponent::Update(seconds);
    nearFraction.Update(seconds);
    radius.Update(seconds);
}
} // namespace Graphics
