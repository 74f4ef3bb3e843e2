#pragma once
// An ability object that acts by itself at a fixed interval (a trap that taunts or burns what
// stands near it): every update adds the frame time, and once more than the pulse interval has
// gathered it takes one interval off and pulses. At most one pulse per update; the rest of a
// long frame carries over to the next.
//
// Written form: the pulse interval (an unnamed float). The ability's own fields are not part
// of it.
#include "Logic/Abilities/AbilityComponent.h"

template <typename Owner> struct MemberTable;

namespace Logic
{
class PulseTrapComponent : public AbilityComponent
{
public:
    static constexpr f32 DefaultPulseInterval = 1.0f;

    PulseTrapComponent();

    const std::string& GetName() const override
    {
        static const std::string name = "PulseTrapComponent";
        return name;
    }
    // The members in written order: the pulse interval alone (not the ability's).
    static const MemberTable<PulseTrapComponent>& Members();
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    void Update(f32 seconds) override;

    // What the trap does once per interval.
    virtual void Pulse() = 0;

    f32 GetPulseInterval() const { return m_pulseInterval; }
    f32 GetTimer() const { return m_timer; }

protected:
    f32 m_pulseInterval;
    f32 m_timer;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::PulseTrapComponent)
