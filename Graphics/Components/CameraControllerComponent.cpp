#include "Graphics/Components/CameraControllerComponent.h"
#include "Core/Components/SystemRegistration.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Graphics/Components/CameraComponent.h"
#include "Math/MathUtils.h"
#include "Xml/MathValueXml.h"
#include "Xml/PlainValueXml.h"
#include "Xml/XmlReader.h"
#include <algorithm>

QUILL_DEFINE_TYPE_RECORD(Graphics::CameraControllerComponent, &TypeRecordOf<GameObjectComponent>(),
                         false)

namespace Graphics
{
CameraControllerComponent::CameraControllerComponent()
    : GameObjectComponent(true), turnRate(0.0f), zoomRate(0.0f), radiusLimits(0.0f, 0.0f)
{
    Core::RegisterWithSystem(SystemName, this);
}

CameraControllerComponent::~CameraControllerComponent()
{
    Core::UnregisterFromSystem(SystemName, this);
}

void CameraControllerComponent::Shutdown()
{
    Core::UnregisterFromSystem(SystemName, this);
}

void CameraControllerComponent::Deserialize(Serializer::XmlReader& reader)
{
    Serializer::ReadElement<float>(reader, turnRate, "");
    Serializer::ReadElement<float>(reader, zoomRate, "");
    Serializer::ReadVector2(reader, radiusLimits, "");
}

void CameraControllerComponent::Update(f32 seconds)
{
    GameFactory* factory = Engine::Factory();
    const GameObject* owner = factory != nullptr ? factory->FindObject(m_owner) : nullptr;
    CameraComponent* camera = owner != nullptr ? owner->GetComponent<CameraComponent>() : nullptr;
    if (camera == nullptr)
        return;
    camera->placement.AddTheta(turnRate * seconds * Math::DEG_TO_RAD);
    f32 radius = camera->placement.radius + zoomRate * seconds;
    radius = std::min(radius, radiusLimits.y);
    radius = std::max(radius, radiusLimits.x);
    camera->placement.radius = radius;
}
} // namespace Graphics
