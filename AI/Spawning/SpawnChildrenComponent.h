#pragma once
// Makes an enemy split: whenever its health changes to a fraction at or below the threshold,
// a wave of children of one archetype appears around it (each 0.15 to 0.35 s later, at the
// parent's height). The component stays, so every further change at or below the threshold
// makes another wave; the health container calls it and decides the parent's death.
//
// Written form: archetype (an unnamed string), count (an unnamed integer), threshold (an
// unnamed float, a health fraction).
#include "AI/AIComponent.h"
#include "Core/Objects/ComponentTypeId.h"
#include <string>

template <typename Owner> struct MemberTable;

namespace AI
{
class SpawnChildrenComponent : public AIComponent
{
public:
    static constexpr f32 MinDelay = 0.15f;
    static constexpr f32 DelaySpread = 0.2f;

    SpawnChildrenComponent();
    ~SpawnChildrenComponent() override = default;

    QUILL_COMPONENT_TYPE(SpawnChildrenComponent)
    // The members in written order: archetype, count, threshold.
    static const MemberTable<SpawnChildrenComponent>& Members();
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

    // Makes a wave when the fraction is at or below the threshold; true when it made one
    // (with at least one child).
    bool SpawnOnHealth(f32 fraction);

    const std::string& GetArchetype() const { return m_archetype; }
    s32 GetCount() const { return m_count; }
    f32 GetThreshold() const { return m_threshold; }

private:
    std::string m_archetype;
    s32 m_count;
    f32 m_threshold;
};
} // namespace AI

QUILL_DECLARE_TYPE_RECORD(AI::SpawnChildrenComponent)
