#pragma once
// Fires a projectile (an object definition) at its target every fire interval. Seek and Flee
// hand it the target; with no target its clock waits full, so that the first step with a
// target fires at once. A target that is gone or dying is dropped and the object's chasers are
// sent after a random player instead.
//
// A shot: a new object of the projectile archetype made by the owner (its creator), and a
// direction message giving it the way to the target (target position - own position, not
// normalised); the owner's AI controller shows the strike ("Attack" once); then the owner's
// audio response, if it has one, plays "OnAbility0".
//
// Written form: the behaviour's base part, the projectile archetype (an unnamed string) and the
// fire interval in seconds (an unnamed float).
#include "AI/Behaviors/BehaviorComponent.h"
#include "Core/Objects/ComponentTypeId.h"
#include <string>

namespace AI
{
class AttackBehaviorComponent : public BehaviorComponent
{
public:
    AttackBehaviorComponent();
    ~AttackBehaviorComponent() override = default;

    QUILL_COMPONENT_TYPE(AttackBehaviorComponent)
    // The members in written order.
    static const MemberTable<AttackBehaviorComponent>& Members();
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    // The behaviour's tuning values, then the options group.
    void BuildEditor(Tools::PropertyGroup& group) override;

    void Step(f32 seconds) override;

    const std::string& GetArchetype() const { return m_archetype; }
    void SetArchetype(const std::string& archetype) { m_archetype = archetype; }
    f32 GetInterval() const { return m_interval; }
    void SetInterval(f32 interval) { m_interval = interval; }
    f32 GetFireTimer() const { return m_fireTimer; }

private:
    void Fire(const GameObject& owner, const GameObject& target);
    void Retarget(const GameObject& owner);

    std::string m_archetype;
    f32 m_interval;
    f32 m_fireTimer;
};
} // namespace AI

QUILL_DECLARE_TYPE_RECORD(AI::AttackBehaviorComponent)
