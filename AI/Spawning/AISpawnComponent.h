#pragma once
// A spawner: every interval it makes a wave of objects of one archetype around its object, for
// as long as its lifetime lasts, then removes itself. The first wave comes one interval after
// it starts. Scripts count live spawners to decide when a level is won.
//
// A wave: count objects, each made by a creation message and placed by a position message
// posted with the same random delay (up to 1.5 s, so that a wave does not appear in one
// frame), at the spawner's place plus a random offset on the ground (height 0). Offsets lie
// inside the square of half-width 3 around the spawner and outside the diamond |x| + |z| < 3.
// Each wave is logged: "<seconds> <object name>:<object id> spawned a wave of <count>
// <archetype>".
//
// Written form: archetype (an unnamed string), count (an unnamed integer), interval and
// lifetime in seconds (unnamed floats); the lifetime written is what remains, so a copied
// spawner goes on where the original stood. An interval of 0 or below makes a wave every
// frame and is logged when read.
#include "AI/AIComponent.h"
#include "Core/Objects/ComponentTypeId.h"
#include "Math/Point4.h"
#include "Math/Vector4.h"
#include <string>

template <typename Owner> struct MemberTable;

namespace AI
{
class AISpawnComponent : public AIComponent
{
public:
    // Offsets reach this far from the spawner on x and z.
    static constexpr f32 OffsetReach = 3.0f;
    // A wave's objects arrive within this many seconds.
    static constexpr f32 WaveSpread = 1.5f;

    AISpawnComponent();
    ~AISpawnComponent() override = default;

    QUILL_COMPONENT_TYPE(AISpawnComponent)
    // The members in written order: archetype, count, interval, lifetime.
    static const MemberTable<AISpawnComponent>& Members();
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

    void Update(f32 seconds) override;
    void SpawnWave();

    // A random offset on the ground (y and w 0), from four draws: a = 3r, b between 3 - a and
    // 3, then the signs of x and z.
    static Math::Vector4 RandomOffset();
    // What a wave shares between spawners and splitting enemies: count objects of the archetype
    // around the centre, each with a delay drawn as minDelay + spread x r; on the ground when
    // grounded. Logs the line, ending with the given line breaks. The sender is the component
    // making the wave, owner the object it sits on.
    static void MakeWave(const GameObjectComponent& sender, const std::string& archetype, s32 count,
                         f32 minDelay, f32 spread, bool grounded, const char* lineEnd);

    const std::string& GetArchetype() const { return m_archetype; }
    void SetArchetype(const std::string& archetype) { m_archetype = archetype; }
    s32 GetCount() const { return m_count; }
    void SetCount(s32 count) { m_count = count; }
    f32 GetInterval() const { return m_interval; }
    void SetInterval(f32 interval) { m_interval = interval; }
    f32 GetLifetime() const { return m_lifetime; }
    void SetLifetime(f32 lifetime) { m_lifetime = lifetime; }
    f32 GetTimer() const { return m_timer; }

private:
    std::string m_archetype;
    s32 m_count;
    f32 m_interval;
    f32 m_timer;
    f32 m_lifetime;
    bool m_removing; // the removal message is on its way
};
} // namespace AI

QUILL_DECLARE_TYPE_RECORD(AI::AISpawnComponent)
