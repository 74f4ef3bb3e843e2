#pragma once
// Keeps away from its target: once nearer than MinDistance it runs off, turning at most
// MaxAngle per step, until farther than MaxDistance; its Attack behaviours shoot at the target
// all the while. Works in the horizontal plane.
//
// Written form: the behaviour's base part, then MinSpeed, MaxSpeed, MinDistance, MaxDistance
// (unnamed floats) and engaged (an unnamed bool).
#include "AI/Behaviors/BehaviorComponent.h"

namespace AI
{
class FleeBehaviorComponent : public BehaviorComponent
{
public:
    FleeBehaviorComponent();
    ~FleeBehaviorComponent() override = default;

    static std::string GetTypeName() { return "FleeBehaviorComponent"; }
    static u32 GetSize() { return static_cast<u32>(sizeof(FleeBehaviorComponent)); }
    std::string GetName() const override { return GetTypeName(); }
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

    void Step(f32 seconds) override;
    // Speed 0, not engaged.
    void Stop() override;

    bool IsEngaged() const { return m_engaged; }
    void SetEngaged(bool engaged) { m_engaged = engaged; }

    f32 MinSpeed;
    f32 MaxSpeed;
    f32 MinDistance;
    f32 MaxDistance;

private:
    bool m_engaged;
};
} // namespace AI
