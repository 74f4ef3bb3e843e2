#include "Graphics/Components/SpotLightComponent.h"
#include "Core/Components/SystemRegistration.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Math/ColorRGBA.h"
#include "Math/MathUtils.h"
#include "Math/Shapes/Cone3.h"
#include "Xml/PlainValueXml.h"
#include <cmath>

QUILL_DEFINE_TYPE_RECORD(Graphics::SpotLightComponent, &TypeRecordOf<Graphics::LightComponent>(),
                         false)

namespace Graphics
{
namespace
{
// The object's forward direction before its orientation turns it.
const Math::Vector4 Forward(0.0f, 0.0f, 1.0f, 0.0f);

// Radians back to degrees in double precision, so that an angle read as 30 degrees is written
// as 30 again rather than as the single-precision product's 30.000002.
f32 ToDegrees(f32 radians)
{
    return static_cast<f32>(static_cast<double>(radians) * (180.0 / Math::PI_DOUBLE));
}

void ReadDegrees(Serializer::XmlReader& reader, f32& radians)
{
    f32 degrees = radians * Math::RAD_TO_DEG;
    Serializer::ReadElement(reader, degrees, nullptr);
    radians = degrees * Math::DEG_TO_RAD;
}
} // namespace

SpotLightComponent::SpotLightComponent()
    : LightComponent(SpotKind), firstAngle(0.0f), coneAngle(0.0f), thirdValue(0.0f), range(0.0f)
{
    Core::RegisterWithSystem(SystemName, this);
}

SpotLightComponent::~SpotLightComponent()
{
    Core::UnregisterFromSystem(SystemName, this);
}

void SpotLightComponent::Shutdown()
{
    Core::UnregisterFromSystem(SystemName, this);
}

void SpotLightComponent::Deserialize(Serializer::XmlReader& reader)
{
    LightComponent::Deserialize(reader);
    ReadDegrees(reader, firstAngle);
    ReadDegrees(reader, coneAngle);
    Serializer::ReadElement(reader, thirdValue, nullptr);
    Serializer::ReadElement(reader, range, nullptr);
}

void SpotLightComponent::Serialize(Serializer::XmlWriter& writer)
{
    LightComponent::Serialize(writer);
    Serializer::WriteFloat(writer, ToDegrees(firstAngle), "FirstAngle");
    Serializer::WriteFloat(writer, ToDegrees(coneAngle), "ConeAngle");
    Serializer::WriteFloat(writer, thirdValue, "ThirdValue");
    Serializer::WriteFloat(writer, range, "Range");
}

void SpotLightComponent::DebugDraw()
{
    GameFactory* factory = Engine::Factory();
    const GameObject* owner = factory != nullptr ? factory->FindObject(m_owner) : nullptr;
    const auto* transform = owner != nullptr ? owner->GetComponent<TransformComponent>() : nullptr;
    if (transform == nullptr)
        return;
    const Math::Vector4 forward = transform->GetOrientation().Rotate(Forward);
    const Math::Point4& apex = transform->GetPosition();
    const Math::Point4 baseCentre(apex.x + forward.x * range, apex.y + forward.y * range,
                                  apex.z + forward.z * range, 1.0f);
    const Math::Circle3 base(baseCentre, -forward, range * std::tan(coneAngle * 0.5f));
    const Math::ColorRGBA red(DebugRed, 0.0f, 0.0f, 1.0f);
    Math::Cone3(base, range).Draw(&red);
}
} // namespace Graphics
