#pragma once
// Roams: every wander interval it draws a new speed and turns its direction about the y axis
// by a random angle within MaxAngle either way. The orientation is left as it is. An interval
// of 0 turns in every step.
//
// Written form: the behaviour's base part, then MinSpeed, MaxSpeed and the wander interval in
// seconds (unnamed floats).
#include "AI/Behaviors/BehaviorComponent.h"
#include "Core/Objects/ComponentTypeId.h"

namespace AI
{
class WanderBehaviorComponent : public BehaviorComponent
{
public:
    WanderBehaviorComponent();
    ~WanderBehaviorComponent() override = default;

    QUILL_COMPONENT_TYPE(WanderBehaviorComponent)
    // The members in written order.
    static const MemberTable<WanderBehaviorComponent>& Members();
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    // The behaviour's tuning values, then the options group.
    void BuildEditor(Tools::PropertyGroup& group) override;

    void Step(f32 seconds) override;
    // Speed 0.
    void Stop() override;

    f32 GetInterval() const { return m_interval; }
    void SetInterval(f32 interval) { m_interval = interval; }

    f32 MinSpeed;
    f32 MaxSpeed;

private:
    f32 m_interval;
};
} // namespace AI

QUILL_DECLARE_TYPE_RECORD(AI::WanderBehaviorComponent)
