#pragma once
// Base of the behaviours that keep a range to their target (Seek closes it, Flee opens it):
// the speeds to draw from, the two distances that switch the behaviour on and off, whether it
// is engaged, and the start of every step (the body and the live target). The kinds decide
// what the distances mean and how to steer.
//
// Written form: the behaviour's base part, then MinSpeed, MaxSpeed, MinDistance, MaxDistance
// (unnamed floats) and engaged (an unnamed bool).
#include "AI/Behaviors/BehaviorComponent.h"

namespace AI
{
class RangeBehaviorComponent : public BehaviorComponent
{
public:
    // The members in written order.
    static const MemberTable<RangeBehaviorComponent>& Members();
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    // The behaviour's tuning values, then the options group.
    void BuildEditor(Tools::PropertyGroup& group) override;

    // Speed 0, not engaged.
    void Stop() override;

    bool IsEngaged() const { return m_engaged; }
    void SetEngaged(bool engaged) { m_engaged = engaged; }

    f32 MinSpeed;
    f32 MaxSpeed;
    f32 MinDistance;
    f32 MaxDistance;

protected:
    // Kinds join the AI system in their own constructors (AIComponent.h says why).
    RangeBehaviorComponent();

    // The live target's transform with the body filled in, or null when the body is incomplete
    // or the target is gone or dying (then a new target is picked for the next step).
    const TransformComponent* FindBodyAndTarget(Body& body);

    bool m_engaged;
};
} // namespace AI
