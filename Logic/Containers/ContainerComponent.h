#pragma once
// A bounded number an object holds: health, shield, damage taken, toughness, mana, experience,
// an ability object's age. Every change goes through Add, which clamps the value to the bounds
// (the maximum first, then the minimum, so with the minimum above the maximum the minimum
// wins); the kinds add what happens when the value changes.
//
// Written form: three unnamed floats (current, minimum, maximum); on reading, the bounds are
// taken and then the current value arrives through Add, so the kind's reaction runs. Kinds with
// fields of their own write and read them after these three.
//
// Each container kind answers its own name as its type id (not a family); the modifiers, which
// are containers too, answer "ContainerComponent".
#include "Logic/LogicComponent.h"
#include <string>

template <typename Owner> struct MemberTable;

namespace Logic
{
class ContainerComponent : public LogicComponent
{
public:
    // Values closer than this count as equal (a full container, an empty shield).
    static constexpr f32 Epsilon = 0.00001f;

    ContainerComponent();

    static const std::string& GetTypeName()
    {
        static const std::string name = "ContainerComponent";
        return name;
    }
    static void RegisterMembers();
    // The reflected members: current, minimum, maximum.
    static const MemberTable<ContainerComponent>& Members();

    u32 GetType() const override;
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

    // The clamped change; kinds extend it.
    virtual void Add(f32 delta);

    f32 GetCurrentStorage() const { return currentStorage_; }
    f32 GetMinimumStorage() const { return minimumStorage_; }
    f32 GetMaximumStorage() const { return maximumStorage_; }
    // Sets the maximum without clamping the current value.
    void SetMaximumStorage(f32 maximum) { maximumStorage_ = maximum; }
    void SetMinimumStorage(f32 minimum) { minimumStorage_ = minimum; }

    f32 currentStorage_;
    f32 minimumStorage_;
    f32 maximumStorage_;

protected:
    // The plain clamped change, for kinds that replace Add.
    void AddClamped(f32 delta);
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::ContainerComponent)
