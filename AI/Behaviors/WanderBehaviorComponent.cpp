#include "AI/Behaviors/WanderBehaviorComponent.h"
#include "Core/Objects/GameObject.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Logic/Movement/MoveComponent.h"
#include "Math/MathUtils.h"
#include "Xml/ValueXml.h"

QUILL_DEFINE_TYPE_RECORD(AI::WanderBehaviorComponent, &TypeRecordOf<AI::BehaviorComponent>(), false)

namespace AI
{
WanderBehaviorComponent::WanderBehaviorComponent()
    : MinSpeed(0.0f), MaxSpeed(0.0f), m_interval(0.0f)
{
    JoinSystem();
}

void WanderBehaviorComponent::Deserialize(Serializer::XmlReader& reader)
{
    BehaviorComponent::Deserialize(reader);
    Serializer::ReadValue(reader, MinSpeed, "");
    Serializer::ReadValue(reader, MaxSpeed, "");
    Serializer::ReadValue(reader, m_interval, "");
}

void WanderBehaviorComponent::Serialize(Serializer::XmlWriter& writer)
{
    BehaviorComponent::Serialize(writer);
    Serializer::WriteValue(writer, MinSpeed, "");
    Serializer::WriteValue(writer, MaxSpeed, "");
    Serializer::WriteValue(writer, m_interval, "");
}

void WanderBehaviorComponent::Step(f32 seconds)
{
    Body body{};
    if (!FindBody(body))
        return;
    m_timer += seconds;
    if (m_timer <= m_interval)
        return;
    m_timer -= m_interval;
    RandomizeSpeed(*body.move, MinSpeed, MaxSpeed);
    const f32 angle = -MaxAngle + 2.0f * MaxAngle * Math::RandUnit();
    Math::Quaternion turn;
    turn.FromEuler(0.0f, angle, 0.0f);
    body.move->direction_ = turn.Rotate(body.move->direction_);
}

void WanderBehaviorComponent::Stop()
{
    if (const GameObject* owner = GetOwnerObject())
    {
        if (auto* move = owner->GetComponent<Logic::MoveComponent>())
            move->moveValue_ = 0.0f;
    }
}

namespace
{
// Editor ranges of the behaviours: speeds and distances up to 10, angles in degrees.
constexpr f32 EditorMaxValue = 10.0f;
constexpr f32 EditorValueStep = 0.1f;
constexpr f32 EditorMaxAngle = 360.0f;
constexpr f32 EditorAngleStep = 0.5f;
} // namespace

void WanderBehaviorComponent::BuildEditor(Tools::PropertyGroup& group)
{
    using namespace Tools;
    const PropertyAttributes value(0.0f, EditorMaxValue, EditorValueStep);
    group.AddFloat("MinSpeed", &MinSpeed, &value, &SetScalarCallback, &GetScalarCallback);
    group.AddFloat("MaxSpeed", &MaxSpeed, &value, &SetScalarCallback, &GetScalarCallback);
    const PropertyAttributes angle(0.0f, EditorMaxAngle, EditorAngleStep);
    group.AddFloat("MaxAngle", &MaxAngle, &angle, &SetScalarCallback, &GetScalarCallback);
    AddComponentOptions(this, group);
}

} // namespace AI
