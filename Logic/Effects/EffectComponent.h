#pragma once
// What a hit does to the object it lands on: a timed change of one of its components. An
// effect is set up by its creator (duration, value, temporary, applied), put on the object,
// binds to the component it changes, applies the change once, counts its time down from the
// next frame, undoes the change on removal when it is temporary, and removes itself by message.
//
// Timing (Update): while not applied, every frame tries Bind and applies when it succeeds;
// once applied, every frame takes the frame time off, and in the frame the time runs out (0 or
// less, within TimeResidue) it calls Remove, posts its own removal and is no longer applied. An
// effect whose Bind keeps failing never counts down.
//
// Written form: time to last and value (unnamed floats), temporary and applied (unnamed
// bools). Every kind answers the family's id "EffectComponent".
#include "Logic/LogicComponent.h"
#include "Math/ColorRGBA.h"
#include <string>

template <typename Owner> struct MemberTable;

namespace Logic
{
class EffectComponent : public LogicComponent
{
public:
    using ComponentFamily = EffectComponent;
    // Time left below this has run out: frame times that add up to the duration (60 frames of
    // 1/60 s to 1 s) leave a rounding residue that must not keep an effect one frame longer.
    static constexpr f32 TimeResidue = 0.00001f;

    EffectComponent();

    static const std::string& GetTypeName()
    {
        static const std::string name = "EffectComponent";
        return name;
    }
    static void RegisterMembers();
    // The members in written order: the duration, the value (reflected), the temporary and
    // applied flags.
    static const MemberTable<EffectComponent>& Members();

    u32 GetType() const override;
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    void Update(f32 seconds) override;

    // Makes the change once.
    virtual void Apply() = 0;
    // Undoes the change when applied and temporary, then lets go of what it bound.
    virtual void Remove() = 0;
    // Finds what the kind changes on its object; false while something it needs is missing.
    virtual bool Bind() = 0;

    // Called by the creator before the effect is put on its object.
    void Setup(f32 timeToLast, f32 value, bool isTemporary, bool applied);
    bool IsApplied() const { return m_applied; }
    bool IsTemporary() const { return m_isTemporary; }
    f32 GetTimeToLast() const { return m_timeToLast; }
    void AddTimeToLast(f32 seconds) { m_timeToLast += seconds; }
    f32 GetValue() const { return statModifyValue_; }
    // The colour of the shield and enrage texts.
    static Math::ColorRGBA ShieldColour();

    f32 statModifyValue_;

protected:
    GameObjectComponent* m_target; // what the kind bound to; not owned
    f32 m_timeToLast;
    bool m_isTemporary;
    bool m_applied;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::EffectComponent)
