#include "AI/Spawning/AISpawnComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Messages/Gameplay/PositionSetMessage.h"
#include "Core/Messages/Object/ObjectCreateMessage.h"
#include "Core/Messages/Object/RemoveComponentMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/MemberTable.h"
#include "Math/MathUtils.h"

QUILL_DEFINE_TYPE_RECORD(AI::AISpawnComponent, &TypeRecordOf<AI::AIComponent>(), false)

namespace AI
{
namespace
{
constexpr u32 NoTarget = 0;
constexpr const char* WaveLineEnd = "\n";

const GameObject* FindObject(u32 id)
{
    GameFactory* factory = Engine::Factory();
    return factory != nullptr ? factory->FindObject(id) : nullptr;
}
} // namespace

AISpawnComponent::AISpawnComponent()
    : m_count(0), m_interval(0.0f), m_timer(0.0f), m_lifetime(0.0f), m_removing(false)
{
    JoinSystem();
}

const MemberTable<AISpawnComponent>& AISpawnComponent::Members()
{
    using namespace MemberFlag;
    // Once read, the wave clock restarts; an interval of zero or less is reported.
    static constexpr void (*Restart)(AISpawnComponent&) = [](AISpawnComponent& spawn)
    {
        spawn.m_timer = 0.0f;
        if (spawn.m_interval <= 0.0f)
        {
            const GameObject* owner = FindObject(spawn.m_owner);
            Core::Log() << "Error [AISpawnComponent]: object "
                        << (owner != nullptr ? owner->GetName() : std::string("(none)")) << ":"
                        << spawn.m_owner << " has a wave interval of " << spawn.m_interval
                        << "; it makes a wave of " << spawn.m_archetype << " every frame\n";
        }
    };
    QUILL_LINKED_MEMBER_TABLE(table, AISpawnComponent, ReadRule::ByPosition,
                              MemberLinks<AISpawnComponent>{}.AfterRead(Restart),
                              QUILL_MEMBER(AISpawnComponent, m_archetype, Written).Tag(""),
                              QUILL_MEMBER(AISpawnComponent, m_count, Written).Tag(""),
                              QUILL_MEMBER(AISpawnComponent, m_interval, Written).Tag(""),
                              QUILL_MEMBER(AISpawnComponent, m_lifetime, Written).Tag(""));
    return table;
}

void AISpawnComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void AISpawnComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void AISpawnComponent::Update(f32 seconds)
{
    if (m_removing)
        return;
    m_lifetime -= seconds;
    m_timer += seconds;
    if (m_lifetime > 0.0f)
    {
        if (m_timer > m_interval)
        {
            m_timer -= m_interval;
            SpawnWave();
        }
        return;
    }
    // Run out: the removal takes the spawner out of the system when it is delivered.
    m_removing = true;
    PostNew<RemoveComponentMessage>(m_id, m_id, m_owner);
}

void AISpawnComponent::SpawnWave()
{
    MakeWave(*this, m_archetype, m_count, 0.0f, WaveSpread, true, WaveLineEnd);
}

Math::Vector4 AISpawnComponent::RandomOffset()
{
    const f32 a = OffsetReach * Math::RandUnit();
    const f32 b = (OffsetReach - a) + a * Math::RandUnit();
    const f32 x = Math::RoundToInt(Math::RandUnit()) == 1 ? -a : a;
    const f32 z = Math::RoundToInt(Math::RandUnit()) == 1 ? -b : b;
    return Math::Vector4(x, 0.0f, z, 0.0f);
}

void AISpawnComponent::MakeWave(const GameObjectComponent& sender, const std::string& archetype,
                                s32 count, f32 minDelay, f32 spread, bool grounded,
                                const char* lineEnd)
{
    if (g_Engine == nullptr)
        return;
    const GameObject* owner = FindObject(sender.GetOwner());
    // An owner without a transform makes its wave around the origin.
    const TransformComponent* transform =
        owner != nullptr ? owner->GetComponent<TransformComponent>() : nullptr;
    const Math::Point4 centre = transform != nullptr ? transform->GetPosition() : Math::Point4();
    for (s32 i = 0; i < count; ++i)
    {
        const u32 objectId = GenerateIdLocked();
        const f32 delay = minDelay + spread * Math::RandUnit();
        Core::PostNew<ObjectCreateMessage>(sender.GetName().c_str(), delay, sender.GetId(),
                                           objectId, archetype, NoTarget);
        const Math::Vector4 offset = RandomOffset();
        Math::Vector4 position(centre.x + offset.x, centre.y + offset.y, centre.z + offset.z,
                               centre.w);
        if (grounded)
            position.y = 0.0f;
        Core::PostNew<PositionSetMessage>(sender.GetName().c_str(), delay, sender.GetId(), position,
                                          objectId);
    }
    Core::Log() << g_Engine->GetTimer().GetTotalSeconds() << ' '
                << (owner != nullptr ? owner->GetName() : std::string()) << ':' << sender.GetOwner()
                << " spawned a wave of " << count << ' ' << archetype << lineEnd;
}
} // namespace AI
