#pragma once
// Runs at its target until nearer than MinDistance, stops there and hands the target to the
// object's Attack behaviours, and runs again once the target is farther than MaxDistance. Works
// in the horizontal plane; turns straight to the target.
//
// Written form: the behaviour's base part, then MinSpeed, MaxSpeed, MinDistance, MaxDistance
// (unnamed floats) and engaged (an unnamed bool).
#include "AI/Behaviors/BehaviorComponent.h"

namespace AI
{
class SeekBehaviorComponent : public BehaviorComponent
{
public:
    SeekBehaviorComponent();
    ~SeekBehaviorComponent() override = default;

    static std::string GetTypeName() { return "SeekBehaviorComponent"; }
    static u32 GetSize() { return static_cast<u32>(sizeof(SeekBehaviorComponent)); }
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
