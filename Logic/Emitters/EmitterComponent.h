#pragma once
// Calls a script at a fixed interval with its object's world position: a random number of
// times "OnEmit"(x, y, z), then once "OnEmitInterval"(x, y, z). The script decides what comes
// out (projectiles, pick-ups, particles). The number is drawn between the count range's
// minimum and maximum (truncated to whole numbers) each interval, and at most MaxEmissions:
// a larger draw is clamped with a log line naming the object, since a runaway count would stall
// the frame. An "OnEmit" that fails ends its interval's emissions (logged): a broken or runaway
// script would fail as often again. Time beyond the interval is dropped; an inactive emitter
// gathers no time.
//
// The emitter owns its script: it is made and loaded when the emitter is read, told its owner
// through "SetOwner"(object id), and removed when the emitter shuts down. A script that does
// not load is reported by the script component, and the emitter then calls nothing.
//
// Written form, by position: the script file (below "assets/Scripts/"), the count range (two
// values, taken as their absolute values), the interval in seconds, the active flag.
// Messages: interval set (88) and count range set (89).
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/LogicComponent.h"
#include "Math/Vector2.h"
#include <string>

template <typename Owner> struct MemberTable;

namespace Logic
{
class EmitterComponent : public LogicComponent
{
public:
    static constexpr u32 MaxEmissions = 256;
    static constexpr const char* OwnerFunction = "SetOwner";
    static constexpr const char* EmitFunction = "OnEmit";
    static constexpr const char* IntervalFunction = "OnEmitInterval";
    static constexpr const char* FileTag = "filename";
    static constexpr const char* CountTag = "vec2";
    static constexpr const char* IntervalTag = "interval";
    static constexpr const char* ActiveTag = "active";

    EmitterComponent();

    QUILL_COMPONENT_TYPE(EmitterComponent)
    // Leaves the logic system and removes the script.
    void Shutdown() override;
    // The members in written order: file name, count range, interval, active.
    static const MemberTable<EmitterComponent>& Members();
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    void HandleMessage(Message* message) override;
    void Update(f32 seconds) override;

    const Math::Vector2& GetCountRange() const { return m_countRange; }
    f32 GetInterval() const { return m_interval; }
    bool IsActive() const { return m_active; }
    void SetActive(bool active) { m_active = active; }

private:
    void ReleaseScript();
    void Emit();

    Math::Vector2 m_countRange; // minimum, maximum emissions per interval
    bool m_active;
    f32 m_interval;
    f32 m_timer;
    u32 m_scriptId; // component id of the script; 0 for none
    std::string m_fileName;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::EmitterComponent)
