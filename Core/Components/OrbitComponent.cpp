#include "Core/Components/OrbitComponent.h"
#include "Core/Components/SystemRegistration.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Messages/Object/SetOrbitAroundMessage.h"
#include "Core/Messages/Object/SetOrbitDistanceMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Math/MathUtils.h"
#include "Xml/MathValueXml.h"
#include "Xml/PlainValueXml.h"
#include "Xml/XmlReader.h"

QUILL_DEFINE_TYPE_RECORD(OrbitComponent, &TypeRecordOf<GameObjectComponent>(), false)

OrbitComponent::OrbitComponent() : GameObjectComponent(true), m_orbit(), m_speed(0.0f)
{
    Core::RegisterWithSystem(SystemName, this);
}

OrbitComponent::~OrbitComponent()
{
    Core::UnregisterFromSystem(SystemName, this);
}

void OrbitComponent::Shutdown()
{
    Core::UnregisterFromSystem(SystemName, this);
}

void OrbitComponent::Deserialize(Serializer::XmlReader& reader)
{
    // Empty member names: the three elements are taken in order whatever their tags.
    Serializer::ReadSphericalCoordinate(reader, m_orbit, "");
    Math::Point4 centre(0.0f, 0.0f, 0.0f, 1.0f);
    Serializer::ReadPoint4(reader, centre, "");
    m_orbit.centre = centre;
    if (reader.Accepts(""))
    {
        f32 degreesPerSecond = 0.0f;
        Serializer::ReadElement<float>(reader, degreesPerSecond, "");
        m_speed = degreesPerSecond * Math::DEG_TO_RAD;
    }
}

void OrbitComponent::HandleMessage(Message* message)
{
    if (message == nullptr)
        return;
    switch (message->type)
    {
    case SetOrbitAroundMessage::Type:
        m_orbit.centre = Math::Point4(static_cast<SetOrbitAroundMessage*>(message)->point);
        break;
    case SetOrbitDistanceMessage::Type:
        m_orbit.radius = static_cast<SetOrbitDistanceMessage*>(message)->distance;
        break;
    default:
        break;
    }
}

void OrbitComponent::Update(f32 seconds)
{
    m_orbit.AddTheta(m_speed * seconds);
    GameFactory* factory = Engine::Factory();
    GameObject* owner = factory != nullptr ? factory->FindObject(m_owner) : nullptr;
    if (owner == nullptr)
        return;
    auto* transform = owner->GetComponent<TransformComponent>();
    if (transform == nullptr)
        return;
    const Math::Point4 target = m_orbit.GetTarget();
    transform->position = Math::Point4(target.x, target.y, target.z, 1.0f);
}
